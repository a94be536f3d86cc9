#include "updates/brixoeventsupdatecommand.h"

const char* const BrixoEventsUpdateCommand::ASSET_ID = "brixo-events";

BrixoEventsUpdateCommand::BrixoEventsUpdateCommand(AssetsRegistry* registry)
    : SingleItemUpdateCommand(QLatin1String(ASSET_ID), registry)
{
}
