#include "updates/brixobannerupdatecommand.h"

const char* const BrixoBannerUpdateCommand::ASSET_ID = "brixo-banner";

BrixoBannerUpdateCommand::BrixoBannerUpdateCommand(AssetsRegistry* registry)
    : SingleItemUpdateCommand(QLatin1String(ASSET_ID), registry)
{
}
