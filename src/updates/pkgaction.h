#pragma once

#include "updates/pkginfo.h"

#include <QDebug>

namespace VM24 {

// A package named by a package list, with the rule that decides whether it
// is installed over what the machine has.
struct PkgAction : PkgInfo
{
    enum Policy : int {
        // Whenever the installed version differs from the listed one, older or newer.
        Force = 0,
        // Only when the package is missing or the listed version is newer.
        Auto = 1,
    };

    Policy policy = Auto;
};

// Force for the word "force" in any letter case, Auto for every other word.
PkgAction::Policy policy_from_string(const QString& word);

QDebug operator<<(QDebug debug, const PkgAction& action);

} // namespace VM24
