#include "updates/homepagemediahandler.h"

#include "updates/assetsregistry.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QFile>
#include <QFileInfo>

const char* const HomePageMediaHandler::MEDIA_DIR = "media";
const char* const HomePageMediaHandler::MEDIA_ARCHIVE_FILENAME = "media.zip";
const char* const HomePageMediaHandler::LOCAL_MEDIA_DIR = "data:media";

HomePageMediaHandler::HomePageMediaHandler(AssetsRegistry* registry)
    : m_registry(registry)
{
}

bool HomePageMediaHandler::accepts(const QString& fileName) const
{
    return fileName == QLatin1String(MEDIA_DIR) || fileName == QLatin1String(MEDIA_ARCHIVE_FILENAME);
}

void HomePageMediaHandler::apply(QDir dir, UpdateProcessContext* ctx)
{
    const QFileInfo mediaDir(dir.filePath(QLatin1String(MEDIA_DIR)));
    if (mediaDir.isDir() && !mediaDir.isSymLink()) {
        install(mediaDir.absoluteFilePath(), ctx);
        return;
    }
    const QString archive = dir.filePath(QLatin1String(MEDIA_ARCHIVE_FILENAME));
    if (!QFileInfo(archive).isFile() || QFileInfo(archive).isSymLink())
        return;
    const QString unpacked = VM24::unzip_archive_temp(archive);
    if (unpacked.isEmpty()) {
        qCWarning(updatesLog) << "Media archive not installed, the former media stay:" << archive;
        return;
    }
    install(unpacked, ctx);
    VM24::rm_dir(unpacked);
}

// The new media are put together beside the old ones and swapped in only
// when every file was copied.
void HomePageMediaHandler::install(const QString& source, UpdateProcessContext* ctx)
{
    const QString target = m_registry->assetDir(QLatin1String(MEDIA_DIR));
    if (target.isEmpty())
        return;
    const QFileInfoList files = QDir(source).entryInfoList(QDir::Files | QDir::Readable | QDir::NoSymLinks, QDir::Name);
    const QString staged = VM24::make_staging_dir(target);
    if (staged.isEmpty())
        return;
    ctx->setTotal(files.size());
    bool copied = true;
    for (const QFileInfo& file : files) {
        ctx->beginProcessingItem(file.fileName());
        copied = QFile::copy(file.absoluteFilePath(), QDir(staged).filePath(file.fileName())) && copied;
    }
    if (!copied || !VM24::replace_dir(staged, target)) {
        VM24::rm_dir(staged);
        qCWarning(updatesLog) << "Media not installed, the former media stay";
        return;
    }
    m_registry->notifyAssetChanged(QLatin1String(MEDIA_DIR));
}
