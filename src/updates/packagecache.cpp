#include "updates/packagecache.h"

#include "updates/filedigest.h"
#include "updates/packagemanager.h"
#include "updates/updateauthenticator.h"
#include "updates/verifiedpackages.h"
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

namespace {

bool matches(const QString& path, const SignedIndex::Entry& entry)
{
    FileDigest digest;
    return digest_file(path, &digest) && digest.size == entry.size && digest.sha256 == entry.sha256;
}

QList<QUrl> update_cache(const QList<PkgAction>& actions, const QString& cacheDir,
                         const QHash<QString, SignedIndex::Entry>* signedFiles)
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
        if (!name.isEmpty() && cache.exists(name) && (!signedFiles || matches(cache.filePath(name), signedFiles->value(name)))) {
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
    if (signedFiles) {
        QHash<QString, SignedIndex::Entry> kept;
        for (const QString& name : wanted + queued)
            kept.insert(name, signedFiles->value(name));
        write_signed_packages(cacheDir, kept);
    }
    return downloads;
}

} // namespace

QList<QUrl> update_local_package_cache(const QList<PkgAction>& actions, const QString& cacheDir)
{
    return update_cache(actions, cacheDir, nullptr);
}

QList<QUrl> update_local_package_cache(const QList<PkgAction>& actions, const QString& cacheDir,
                                       const QHash<QString, SignedIndex::Entry>& signedFiles)
{
    return update_cache(actions, cacheDir, &signedFiles);
}

void empty_package_cache(const QString& cacheDir)
{
    for (const QFileInfo& file : cached_packages(cacheDir))
        QFile::remove(file.absoluteFilePath());
    QFile::remove(QDir(cacheDir).filePath(QLatin1String(SIGNED_PACKAGES_FILENAME)));
}

bool install_cached_packages(const QString& cacheDir, UpdateAuthenticator* authenticator)
{
    const QFileInfoList files = cached_packages(cacheDir);
    bool installed = false;
    if (authenticator && authenticator->isKeyPresent()) {
        const QHash<QString, SignedIndex::Entry> entries = read_signed_packages(cacheDir);
        QList<VerifiedPackage> packages;
        bool listed = true;
        for (const QFileInfo& file : files) {
            if (!entries.contains(file.fileName())) {
                authenticator->refuse(file.fileName(), UpdateAuthenticator::reasonUnlisted());
                listed = false;
                break;
            }
            packages.append({file.absoluteFilePath(), file.fileName(), entries.value(file.fileName())});
        }
        installed = listed && install_verified_packages(packages, authenticator);
    } else {
        QStringList paths;
        for (const QFileInfo& file : files)
            paths.append(file.absoluteFilePath());
        installed = install_packages(paths);
    }
    empty_package_cache(cacheDir);
    return installed;
}

} // namespace VM24
