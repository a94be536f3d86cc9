#include "updates/mediaupdatecommand.h"

#include "updates/assetsregistry.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

const char* const MediaUpdateCommand::ASSET_ID = "media";

MediaUpdateCommand::MediaUpdateCommand(AssetsRegistry* registry)
    : SingleItemUpdateCommand(QLatin1String(ASSET_ID), registry)
{
}

void MediaUpdateCommand::execute(QDir& downloadDir, UpdateProcessContext* ctx)
{
    const QString downloaded = downloadedFile(downloadDir);
    const QString target = registry()->assetDir(assetId());
    if (downloaded.isEmpty() || target.isEmpty())
        return;
    ctx->beginProcessingItem(fileName());
    if (!VM24::extract_zip_replacing(downloaded, target)) {
        qCWarning(updatesLog) << "Media archive not installed, the former media stay:" << fileName();
        return;
    }
    registry()->notifyAssetChanged(assetId());
}
