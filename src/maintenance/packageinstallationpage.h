#pragma once

#include "ui/menuactivity.h"

class PackageUpdateService;
class PowerControl;
class UpdateProgressDialog;

// The maintenance page that installs the cached packages behind the
// progress dialog, with the power button off meanwhile, and has the
// application restart. Opened while a check runs, it goes straight back.
class PackageInstallationPage : public MenuActivity
{
    Q_OBJECT

public:
    PackageInstallationPage(PackageUpdateService* service, PowerControl* powerControl, Context* context,
                            QWidget* parent = nullptr);

    UpdateProgressDialog* dialog() const { return m_dialog; }

    void onStart() override;
    void onStop() override;

private:
    PackageUpdateService* m_service;
    PowerControl* m_powerControl;
    UpdateProgressDialog* m_dialog;
};
