#pragma once

#include "updates/resourcehandler.h"

class UpdateAuthenticator;

// Installs the packages an update directory brings: the directory's
// "package_update.ini" lists them, and each one that must be installed
// (by its own name, version and policy) goes to the package manager in one
// installation. The application must restart when it succeeded. The package
// files stay where they are: they belong to the update directory.
//
// From a level-1 stick packages are installed only with the update key
// present, and then, as from the push directory (level 0), only when the
// directory's signed index lists the list and every package file with its
// hash. From level 2 the stick is trusted.
class GuidedPackageInstaller : public ResourceHandler
{
public:
    explicit GuidedPackageInstaller(UpdateAuthenticator* authenticator = nullptr);

    bool accepts(const QString& fileName) const override;
    void apply(QDir dir, UpdateProcessContext* ctx) override;

private:
    UpdateAuthenticator* m_authenticator;
};
