#pragma once

#include "updates/pkgaction.h"
#include "updates/signedindex.h"

#include <QHash>

#include <QFileInfoList>
#include <QList>
#include <QUrl>

// The local package cache: the package files downloaded at night, waiting
// for the operator to install them. A cached package is a plain, readable,
// not hidden file of the directory, named by the last segment of its URL.
class UpdateAuthenticator;

namespace VM24 {

inline constexpr char PACKAGE_CACHE[] = "data:package-cache";

QFileInfoList cached_packages(const QString& cacheDir = QLatin1String(PACKAGE_CACHE));
int count_cached_packages(const QString& cacheDir = QLatin1String(PACKAGE_CACHE));

// The cache file name of a package URL: the URL's file name (url_filename),
// or empty when there is none or it is a hidden name.
QString package_file_name(const QUrl& url);

// Whether a listed URL may be fetched: http or https with a host and a
// usable file name.
bool is_downloadable_package_url(const QUrl& url);

// Brings the cache in line with a package list: every listed package that
// must be installed is kept when cached and otherwise returned for download
// (each file once); every other cached file is deleted. Blocks on the
// package manager's queries: run it on a worker thread.
QList<QUrl> update_local_package_cache(const QList<PkgAction>& actions,
                                       const QString& cacheDir = QLatin1String(PACKAGE_CACHE));
// The same for a signed list: a cached file is kept only when it matches
// its entry (by cache file name), and the entries of the wanted packages
// are kept in the cache for the installation.
QList<QUrl> update_local_package_cache(const QList<PkgAction>& actions, const QString& cacheDir,
                                       const QHash<QString, SignedIndex::Entry>& signedFiles);

// Installs every cached package in one invocation and then empties the
// cache whatever the outcome (a package that failed is fetched again by the
// next check if it is still listed). True when the installation succeeded.
// With an authenticator whose key is present, only cached packages that
// match their signed entries are installed, and none when one does not.
bool install_cached_packages(const QString& cacheDir = QLatin1String(PACKAGE_CACHE),
                             UpdateAuthenticator* authenticator = nullptr);
// Removes every cached package and the signed entries.
void empty_package_cache(const QString& cacheDir);

} // namespace VM24
