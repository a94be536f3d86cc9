#pragma once

#include "updates/singleitemupdatecommand.h"

// The partner brand's events picture.
class BrixoEventsUpdateCommand : public SingleItemUpdateCommand
{
public:
    static const char* const ASSET_ID; // "brixo-events"

    explicit BrixoEventsUpdateCommand(AssetsRegistry* registry);
};
