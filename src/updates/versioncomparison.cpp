#include "updates/versioncomparison.h"

#include "updates/updateslog.h"

#include <QLibrary>

#include <alpm.h>

namespace VM24 {

namespace {

using Vercmp = decltype(&alpm_pkg_vercmp);

// The package manager's library, with its own requirements (curl, gpgme,
// openssl and theirs: some thirty libraries, some 6 MB resident), is
// loaded when a version is first compared, that is, with the first package
// list, not with every start of the kiosk. It stays loaded.
Vercmp load_vercmp()
{
    QLibrary library(QStringLiteral("alpm"), VM24_ALPM_SOVERSION);
    const auto vercmp = reinterpret_cast<Vercmp>(library.resolve("alpm_pkg_vercmp"));
    if (!vercmp)
        qCCritical(updatesLog) << "package versions cannot be compared:" << library.errorString();
    return vercmp;
}

} // namespace

int compare_versions(const char* a, const char* b)
{
    static const Vercmp vercmp = load_vercmp();
    // Without the library no version is newer than another, so nothing is
    // installed on a guess.
    if (!vercmp)
        return 0;
    // The library answers with any negative or positive number.
    const int order = vercmp(a, b);
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
