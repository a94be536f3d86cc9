#pragma once

#include "updates/pkgaction.h"
#include "updates/pkginfo.h"

#include <QStringList>

// The platform's package manager, pacman, run as a child process without a
// shell. When the environment variable VM24_PACMAN_CONFIG names a pacman.conf,
// every call is handed that configuration (and so its root and database):
// tests keep a private root that way. Queries are limited in time; the
// installation is not, since stopping it half-way would leave the machine
// half updated.
namespace VM24 {

inline constexpr int PACKAGE_QUERY_TIMEOUT_MS = 60000;

// The package manager's rule for names: lower-case letters, digits and
// "@._+-", not starting with "-" or ".". A name from outside that breaks it
// is never handed to the package manager.
bool is_valid_package_name(const QString& name);

// The installed package of that name; all fields empty when it is not
// installed or the package manager fails.
PkgInfo query_package_info_from_database(const QString& name);
// Name and version read from a package file, file set to path; all fields
// empty when the file is missing or the package manager cannot read it.
PkgInfo query_package_file_info(const QString& path);

// Whether the listed package must be installed over what the machine has.
bool is_installation_required(const PkgAction& action);
// The same decision against what the package manager reported as installed.
bool is_installation_required(const PkgAction& action, const PkgInfo& installed);

// Installs the files in one invocation and waits for it however long it
// takes. True when the package manager reports success. Without a private
// configuration the installation is a platform action (recorded in tests).
bool install_packages(const QStringList& files);
bool install_package_file(const QString& file);

} // namespace VM24
