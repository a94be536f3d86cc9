#include "updates/pkginfo.h"

#include "updates/versioncomparison.h"

namespace VM24 {

bool PkgInfo::isNewerThan(const PkgInfo& other) const
{
    return name == other.name && compare_versions(version, other.version) == 1;
}

bool PkgInfo::equalsTo(const PkgInfo& other) const
{
    return name == other.name && compare_versions(version, other.version) == 0;
}

} // namespace VM24
