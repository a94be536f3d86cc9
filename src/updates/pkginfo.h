#pragma once

#include <QString>

namespace VM24 {

// A package as the package manager reports it: name and full version
// "[epoch:]version[-release]", and the package file it came from (empty for
// an installed package). Empty fields mean the package manager gave nothing.
struct PkgInfo
{
    QString name;
    QString version;
    QString file;

    // Same name and a newer version than other.
    bool isNewerThan(const PkgInfo& other) const;
    // Same name and the same version as other.
    bool equalsTo(const PkgInfo& other) const;
};

} // namespace VM24
