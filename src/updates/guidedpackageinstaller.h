#pragma once

#include "updates/resourcehandler.h"

// Installs the packages an update directory brings: the directory's
// "package_update.ini" lists them, and each one that must be installed
// (by its own name, version and policy) goes to the package manager in one
// installation. The application must restart when it succeeded. The package
// files stay where they are: they belong to the update directory.
class GuidedPackageInstaller : public ResourceHandler
{
public:
    bool accepts(const QString& fileName) const override;
    void apply(QDir dir, UpdateProcessContext* ctx) override;
};
