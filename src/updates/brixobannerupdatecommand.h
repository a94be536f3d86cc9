#pragma once

#include "updates/singleitemupdatecommand.h"

// The partner brand's banner picture.
class BrixoBannerUpdateCommand : public SingleItemUpdateCommand
{
public:
    static const char* const ASSET_ID; // "brixo-banner"

    explicit BrixoBannerUpdateCommand(AssetsRegistry* registry);
};
