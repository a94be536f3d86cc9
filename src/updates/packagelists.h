#pragma once

#include "updates/pkgaction.h"

#include <QList>

#include <functional>

class QIODevice;

// The two package lists. Both are line oriented: a line is trimmed, blank
// lines and lines starting with "#" are skipped, and the fields are separated
// by runs of white space: policy word, name, version, then the package.
namespace VM24 {

// The name of the package update file in an update directory.
inline constexpr char PACKAGE_DESCRIPTOR[] = "package_update.ini";

// The list served by the updates server: a line of at least four fields
// gives name and version as written and the LAST field as the package's URL.
QList<PkgAction> parse_server_descriptor(QIODevice* device);

// A package update file: the fourth field is the package file, relative to
// the file's directory; name and version are read from the package file
// itself, and stay empty when a line is short or its file is missing or
// unreadable (the installer skips such actions).
QList<PkgAction> parse_package_update_file(const QString& path);
// The same, each package file first handed to admit: a file it refuses is
// never read by the package manager, and the whole parse gives nothing.
QList<PkgAction> parse_package_update_file(const QString& path, const std::function<bool(const QString&)>& admit);

} // namespace VM24
