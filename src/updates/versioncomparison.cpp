#include "updates/versioncomparison.h"

#include <alpm.h>

namespace VM24 {

int compare_versions(const char* a, const char* b)
{
    // The library answers with any negative or positive number.
    const int order = alpm_pkg_vercmp(a, b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

// Up to the first NUL, as the package manager reads its strings.
int compare_versions(const QByteArray& a, const QByteArray& b)
{
    return compare_versions(a.isNull() ? nullptr : a.constData(), b.isNull() ? nullptr : b.constData());
}

int compare_versions(const QString& a, const QString& b)
{
    const QByteArray one = a.toUtf8();
    const QByteArray two = b.toUtf8();
    return compare_versions(a.isNull() ? nullptr : one.constData(), b.isNull() ? nullptr : two.constData());
}

} // namespace VM24
