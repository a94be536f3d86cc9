#pragma once

#include "updates/signedindex.h"

#include <QHash>
#include <QList>
#include <QString>

class UpdateAuthenticator;

// Package files vouched for by a signed index, and their installation: the
// package manager gets only copies made while the original was hashed, so
// the bytes it installs are the bytes that were checked.
namespace VM24 {

struct VerifiedPackage
{
    QString path;   // the package file
    QString name;   // its name in the index
    SignedIndex::Entry entry;
};

// The signed sizes and hashes of the cached packages, kept beside them in
// the cache as a hidden file (hidden files are never cached packages).
inline constexpr char SIGNED_PACKAGES_FILENAME[] = ".signed-packages";
bool write_signed_packages(const QString& cacheDir, const QHash<QString, SignedIndex::Entry>& entries);
QHash<QString, SignedIndex::Entry> read_signed_packages(const QString& cacheDir);

// Copies each package into a private directory while hashing it, checks
// each copy against its entry and installs the copies in one invocation.
// When one does not match, nothing is installed and the authenticator
// names it. True when the package manager reports success.
bool install_verified_packages(const QList<VerifiedPackage>& packages, UpdateAuthenticator* authenticator);

} // namespace VM24
