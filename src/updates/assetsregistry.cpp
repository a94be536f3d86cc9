#include "updates/assetsregistry.h"

#include "updates/updatefiles.h"
#include "updates/updateslog.h"

#include <QFileInfo>

const char* const AssetsRegistry::SEARCH_PREFIX = "data";

AssetsRegistry::AssetsRegistry(const QString& baseDir, QObject* parent)
    : QObject(parent)
    , m_base(QDir(baseDir).absolutePath(), QString(), QDir::Name,
             QDir::Dirs | QDir::Readable | QDir::NoDotAndDotDot)
{
}

void AssetsRegistry::addBaseDirToSearchPath() const
{
    QDir::setSearchPaths(QLatin1String(SEARCH_PREFIX), {m_base.absolutePath()});
}

bool AssetsRegistry::addAsset(const QString& name)
{
    if (name.isEmpty())
        return false;
    return m_base.mkpath(name);
}

bool AssetsRegistry::addAsset(const QStringList& names)
{
    bool allCreated = true;
    for (const QString& name : names)
        allCreated = addAsset(name) && allCreated;
    return allCreated;
}

void AssetsRegistry::recoverInterruptedUpdates() const
{
    VM24::recover_interrupted_replacements(m_base.absolutePath());
    for (const QString& asset : m_base.entryList())
        VM24::recover_interrupted_replacements(m_base.filePath(asset));
}

QString AssetsRegistry::baseDir() const
{
    return m_base.absolutePath();
}

QString AssetsRegistry::assetDir(const QString& name) const
{
    if (name.isEmpty())
        return QString();
    const QFileInfo info(m_base.filePath(name));
    return info.isDir() ? info.absoluteFilePath() : QString();
}

QDateTime AssetsRegistry::lastModified(const QString& name) const
{
    if (name.isEmpty())
        return QDateTime();
    const QFileInfo info(m_base.filePath(name));
    return info.exists() ? info.lastModified() : QDateTime();
}

void AssetsRegistry::notifyAssetChanged(const QString& id)
{
    if (assetDir(id).isEmpty())
        return;
    qCDebug(updatesLog) << "Content changed:" << id;
    emit contentChanged(id);
}
