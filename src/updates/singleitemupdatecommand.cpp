#include "updates/singleitemupdatecommand.h"

#include "updates/assetsregistry.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QFile>
#include <QFileInfo>

SingleItemUpdateCommand::SingleItemUpdateCommand(const QString& assetId, AssetsRegistry* registry)
    : UpdateCommand(registry)
    , m_assetId(assetId)
{
}

void SingleItemUpdateCommand::reset()
{
    m_url = QUrl();
    m_fileName.clear();
}

bool SingleItemUpdateCommand::parse(const QStringList& fields)
{
    if (fields.size() < 3 || fields.at(0) != m_assetId)
        return false;
    const qint64 published = publication(fields.at(2), fields.value(3));
    if (!isDue(published))
        return true;
    const QUrl url(fields.at(1), QUrl::StrictMode);
    if (!isUsableUrl(url))
        return true;
    if (modified(registry()->baseDir() + QLatin1Char('/') + m_assetId) < published) {
        m_url = url;
        m_fileName = VM24::url_filename(url);
    } else {
        reset();
    }
    return true;
}

// Prefixed with the asset: the banner's and the events' URLs may end alike.
QString SingleItemUpdateCommand::localFileName() const
{
    return m_assetId + QLatin1Char('-') + m_fileName;
}

QList<QPair<QUrl, QString>> SingleItemUpdateCommand::downloads() const
{
    if (m_url.isValid())
        return {{m_url, localFileName()}};
    return {};
}

QString SingleItemUpdateCommand::downloadedFile(const QDir& downloadDir) const
{
    if (m_fileName.isEmpty())
        return QString();
    const QFileInfo file(downloadDir.filePath(localFileName()));
    return file.isFile() ? file.absoluteFilePath() : QString();
}

void SingleItemUpdateCommand::execute(QDir& downloadDir, UpdateProcessContext* ctx)
{
    const QString downloaded = downloadedFile(downloadDir);
    const QString target = registry()->assetDir(m_assetId);
    if (downloaded.isEmpty() || target.isEmpty())
        return;
    ctx->beginProcessingItem(m_fileName);
    const QString staged = VM24::make_staging_dir(target);
    if (staged.isEmpty())
        return;
    const QString suffix = QFileInfo(downloaded).suffix();
    const QString name = suffix.isEmpty() ? m_assetId : m_assetId + QLatin1Char('.') + suffix;
    if (!QFile::rename(downloaded, QDir(staged).filePath(name)) || !VM24::replace_dir(staged, target)) {
        VM24::rm_dir(staged);
        qCWarning(updatesLog) << "Content not installed, the former one stays:" << m_assetId;
        return;
    }
    registry()->notifyAssetChanged(m_assetId);
}
