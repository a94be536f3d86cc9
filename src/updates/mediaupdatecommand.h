#pragma once

#include "updates/singleitemupdatecommand.h"

// The home-page media: an archive whose content replaces "media".
class MediaUpdateCommand : public SingleItemUpdateCommand
{
public:
    static const char* const ASSET_ID; // "media"

    explicit MediaUpdateCommand(AssetsRegistry* registry);

    void execute(QDir& downloadDir, UpdateProcessContext* ctx) override;
};
