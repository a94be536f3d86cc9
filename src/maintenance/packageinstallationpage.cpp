#include "maintenance/packageinstallationpage.h"

#include "board/powercontrol.h"
#include "ui/updateprogressdialog.h"
#include "updates/packageupdateservice.h"

#include <QTimer>

PackageInstallationPage::PackageInstallationPage(PackageUpdateService* service, PowerControl* powerControl,
                                                 Context* context, QWidget* parent)
    : MenuActivity(context, parent)
    , m_service(service)
    , m_powerControl(powerControl)
    , m_dialog(new UpdateProgressDialog(this))
{
    connect(m_dialog, &QDialog::accepted, this, [this] { finish(); });
}

void PackageInstallationPage::onStart()
{
    if (m_service->state() != PackageUpdateService::Idle) {
        QTimer::singleShot(0, this, [this] { finish(); });
        return;
    }
    MenuActivity::onStart();
    m_powerControl->setEnabled(false);
    m_dialog->prepare(tr("Preparazione aggiornamento software"), tr("Lettura package in corso..."), userLevel());
    m_dialog->open();
    m_service->install(m_dialog);
}

void PackageInstallationPage::onStop()
{
    if (m_service->state() != PackageUpdateService::Installing)
        return;
    m_service->endInstallation();
    if (m_dialog->restartRequired())
        m_powerControl->doAction(PowerControl::Restart);
    m_powerControl->setEnabled(true);
}
