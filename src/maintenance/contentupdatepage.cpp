#include "maintenance/contentupdatepage.h"

#include "board/powercontrol.h"
#include "ui/pendingactivityqueue.h"
#include "ui/updateprogressdialog.h"
#include "updates/contentupdateservice.h"

ContentUpdatePage::ContentUpdatePage(ContentUpdateService* service, PendingActivityQueue* activityQueue,
                                     PowerControl* powerControl, Context* context, QWidget* dialogParent)
    : MenuActivity(context, nullptr)
    , m_service(service)
    , m_activityQueue(activityQueue)
    , m_powerControl(powerControl)
    , m_dialog(new UpdateProgressDialog(dialogParent))
{
    connect(m_service, &ContentUpdateService::stateChanged, this, &ContentUpdatePage::onServiceStateChanged);
    connect(m_dialog, &QDialog::accepted, this, [this] { finish(); });
}

ContentUpdatePage::~ContentUpdatePage()
{
    delete m_dialog.data();
}

void ContentUpdatePage::onServiceStateChanged(int state)
{
    if (state == ContentUpdateService::ContentsReady)
        m_activityQueue->enqueue(this, PENDING_PRIORITY);
}

// The page below stays on screen under the dialog.
void ContentUpdatePage::onStart()
{
    m_powerControl->setEnabled(false);
    m_dialog->prepare(tr("Aggiornamento contenuti in corso"), tr("Lettura file di aggiornamento in corso..."), 0);
    m_dialog->open();
    m_service->apply(m_dialog);
}

void ContentUpdatePage::onStop()
{
    m_powerControl->setEnabled(true);
    m_service->endApplying();
}
