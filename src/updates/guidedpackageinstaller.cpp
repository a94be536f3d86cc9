#include "updates/guidedpackageinstaller.h"

#include "updates/packagelists.h"
#include "updates/packagemanager.h"
#include "updates/updateprocesscontext.h"

bool GuidedPackageInstaller::accepts(const QString& fileName) const
{
    return fileName == QLatin1String(VM24::PACKAGE_DESCRIPTOR);
}

void GuidedPackageInstaller::apply(QDir dir, UpdateProcessContext* ctx)
{
    const QList<VM24::PkgAction> actions =
        VM24::parse_package_update_file(dir.absoluteFilePath(QLatin1String(VM24::PACKAGE_DESCRIPTOR)));
    if (actions.isEmpty())
        return;
    ctx->beginProcessingItem(QString());
    QStringList files;
    for (const VM24::PkgAction& action : actions) {
        if (action.name.isEmpty() || action.version.isEmpty())
            continue;
        if (VM24::is_installation_required(action))
            files.append(action.file);
    }
    if (!files.isEmpty() && VM24::install_packages(files))
        ctx->setRestartRequired();
}
