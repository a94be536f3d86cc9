#include "updates/packagecache.h"

#include "updates/packagemanager.h"
#include "updates/updatefiles.h"
#include "updates/updateslog.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>

namespace VM24 {

QFileInfoList cached_packages(const QString& cacheDir)
{
    return QDir(cacheDir).entryInfoList(QDir::Files | QDir::Readable | QDir::NoDotAndDotDot, QDir::Name);
}

int count_cached_packages(const QString& cacheDir)
{
    return cached_packages(cacheDir).size();
}

// A hidden file never counts as cached: it would be fetched again every night.
QString package_file_name(const QUrl& url)
{
    const QString name = url_filename(url);
    return name.startsWith(QLatin1Char('.')) ? QString() : name;
}

bool is_downloadable_package_url(const QUrl& url)
{
    return is_downloadable_url(url) && !package_file_name(url).isEmpty();
}

QList<QUrl> update_local_package_cache(const QList<PkgAction>& actions, const QString& cacheDir)
{
    const QDir cache(cacheDir);
    QSet<QString> wanted;
    QSet<QString> queued;
    QList<QUrl> downloads;
    // A name listed twice is asked about once.
    QHash<QString, PkgInfo> installed;
    QStringList refused;
    for (const PkgAction& action : actions) {
        auto known = installed.constFind(action.name);
        if (known == installed.constEnd())
            known = installed.insert(action.name, query_package_info_from_database(action.name));
        if (!is_installation_required(action, *known))
            continue;
        const QUrl url(action.file);
        const QString name = package_file_name(url);
        if (!name.isEmpty() && cache.exists(name)) {
            wanted.insert(name);
        } else if (is_downloadable_package_url(url) && !queued.contains(name)) {
            queued.insert(name);
            downloads.append(url);
        } else if (!queued.contains(name)) {
            refused.append(action.file);
        }
    }
    if (!refused.isEmpty())
        qCWarning(updatesLog) << refused.size() << "package URLs refused, the first:" << refused.first();
    for (const QFileInfo& file : cached_packages(cacheDir)) {
        if (!wanted.contains(file.fileName()) && !QFile::remove(file.absoluteFilePath()))
            qCWarning(updatesLog) << "cannot remove" << file.absoluteFilePath();
    }
    return downloads;
}

bool install_cached_packages(const QString& cacheDir)
{
    const QFileInfoList files = cached_packages(cacheDir);
    QStringList paths;
    for (const QFileInfo& file : files)
        paths.append(file.absoluteFilePath());
    const bool installed = install_packages(paths);
    for (const QString& path : paths)
        QFile::remove(path);
    return installed;
}

} // namespace VM24
