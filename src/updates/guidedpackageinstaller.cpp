#include "updates/guidedpackageinstaller.h"

#include "updates/packagelists.h"
#include "updates/packagemanager.h"
#include "updates/updateauthenticator.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"
#include "updates/verifiedpackages.h"

#include <QFileInfo>

GuidedPackageInstaller::GuidedPackageInstaller(UpdateAuthenticator* authenticator)
    : m_authenticator(authenticator)
{
}

bool GuidedPackageInstaller::accepts(const QString& fileName) const
{
    return fileName == QLatin1String(VM24::PACKAGE_DESCRIPTOR);
}

void GuidedPackageInstaller::apply(QDir dir, UpdateProcessContext* ctx)
{
    const QString list = dir.absoluteFilePath(QLatin1String(VM24::PACKAGE_DESCRIPTOR));
    if (!QFileInfo(list).isFile())
        return;
    const int level = ctx->userLevel();
    const bool keyPresent = m_authenticator && m_authenticator->isKeyPresent();
    if (level == 1 && !keyPresent) {
        if (m_authenticator)
            m_authenticator->refuse(QLatin1String(VM24::PACKAGE_DESCRIPTOR), UpdateAuthenticator::reasonLevelOneSoftware());
        else
            qCWarning(updatesLog) << "Packages from a level-1 stick are not installed";
        return;
    }
    const bool authenticate = m_authenticator && m_authenticator->mustAuthenticate(level);
    const QString stream = UpdateAuthenticator::directoryStream(level);
    SignedIndex index;
    if (authenticate
        && !m_authenticator->checkDirectory(dir.absolutePath(), {QLatin1String(VM24::PACKAGE_DESCRIPTOR)}, stream, &index))
        return;
    bool admitted = true;
    const QList<VM24::PkgAction> actions = VM24::parse_package_update_file(list, [&](const QString& file) {
        admitted = !authenticate || m_authenticator->checkFile(index, QFileInfo(file).fileName(), file);
        return admitted;
    });
    if (actions.isEmpty() || !admitted)
        return;
    ctx->beginProcessingItem(QString());
    QList<VM24::VerifiedPackage> packages;
    QStringList files;
    for (const VM24::PkgAction& action : actions) {
        if (action.name.isEmpty() || action.version.isEmpty() || !VM24::is_installation_required(action))
            continue;
        const QString name = QFileInfo(action.file).fileName();
        packages.append({action.file, name, index.entry(name)});
        files.append(action.file);
    }
    if (files.isEmpty())
        return;
    const bool installed =
        authenticate ? VM24::install_verified_packages(packages, m_authenticator) : VM24::install_packages(files);
    if (installed) {
        ctx->setRestartRequired();
        if (authenticate)
            m_authenticator->recordApplied(stream, index);
    }
}
