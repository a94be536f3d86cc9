#include "updates/verifiedpackages.h"

#include "core/durablefile.h"
#include "core/vm24.h"
#include "updates/filedigest.h"
#include "updates/packagecache.h"
#include "updates/packagemanager.h"
#include "updates/updateauthenticator.h"
#include "updates/updatefiles.h"

#include <QDir>
#include <QFile>

#include <stdlib.h>

namespace VM24 {

namespace {

const qint64 MAX_SIGNED_PACKAGES_SIZE = 256 * 1024;

// The copies wait in a hidden directory of the package cache: the root
// path of the installed machine installs files of the cache only (a
// directory is never a cached package). Without a cache, under /tmp.
QString make_staging_dir()
{
    const QDir cache{QString::fromLatin1(PACKAGE_CACHE)};
    const QString parent = cache.exists() ? cache.absolutePath() : QDir::tempPath();
    QByteArray path = QFile::encodeName(parent + QStringLiteral("/.verified-XXXXXX"));
    const char* created = ::mkdtemp(path.data());
    return created ? QFile::decodeName(created) : QString();
}

} // namespace

bool write_signed_packages(const QString& cacheDir, const QHash<QString, SignedIndex::Entry>& entries)
{
    QByteArray text;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        text += it.key().toUtf8() + ' ' + QByteArray::number(it->size) + ' ' + it->sha256 + '\n';
    return write_file_durably(QDir(cacheDir).filePath(QLatin1String(SIGNED_PACKAGES_FILENAME)), text);
}

QHash<QString, SignedIndex::Entry> read_signed_packages(const QString& cacheDir)
{
    QHash<QString, SignedIndex::Entry> entries;
    QFile file(QDir(cacheDir).filePath(QLatin1String(SIGNED_PACKAGES_FILENAME)));
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray& line : file.read(MAX_SIGNED_PACKAGES_SIZE).split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        bool ok = false;
        const qint64 size = fields.value(1).toLongLong(&ok);
        if (fields.size() == 3 && ok)
            entries.insert(QString::fromUtf8(fields.at(0)), {size, fields.at(2)});
    }
    return entries;
}

bool install_verified_packages(const QList<VerifiedPackage>& packages, UpdateAuthenticator* authenticator)
{
    if (packages.isEmpty())
        return true;
    const QString staging = make_staging_dir();
    if (staging.isEmpty())
        return false;
    QStringList copies;
    bool verified = true;
    for (const VerifiedPackage& package : packages) {
        const QString copy = QDir(staging).filePath(QString::number(copies.size()) + QLatin1Char('-') + package.name);
        FileDigest digest;
        if (!digest_file(package.path, &digest, copy)) {
            authenticator->refuse(package.name, UpdateAuthenticator::reasonNotDownloaded());
            verified = false;
            break;
        }
        if (digest.size != package.entry.size || digest.sha256 != package.entry.sha256) {
            authenticator->refuse(package.name, digest.size > package.entry.size
                                                    ? UpdateAuthenticator::reasonTooLong()
                                                    : UpdateAuthenticator::reasonChanged());
            verified = false;
            break;
        }
        copies.append(copy);
    }
    const bool installed = verified && install_packages(copies);
    rm_dir(staging);
    return installed;
}

} // namespace VM24
