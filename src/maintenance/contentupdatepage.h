#pragma once

#include "ui/menuactivity.h"
#include "ui/updateprogressdialog.h"

#include <QPointer>

class ContentUpdateService;
class PendingActivityQueue;
class PowerControl;

// Applies the content the service has ready: it waits in the queue until
// the home page hands over the screen, then applies it under a progress
// dialog shown over the screen, with the power button off meanwhile.
// dialogParent is the progress dialog's parent.
class ContentUpdatePage : public MenuActivity
{
    Q_OBJECT

public:
    static constexpr int PENDING_PRIORITY = 10;

    ContentUpdatePage(ContentUpdateService* service, PendingActivityQueue* activityQueue, PowerControl* powerControl,
                      Context* context, QWidget* dialogParent = nullptr);
    ~ContentUpdatePage() override;

    UpdateProgressDialog* dialog() const { return m_dialog.data(); }

    void onStart() override;
    void onResume(const ActivityResult&) override {}
    void onStop() override;

private:
    void onServiceStateChanged(int state);

    ContentUpdateService* m_service;
    PendingActivityQueue* m_activityQueue;
    PowerControl* m_powerControl;
    QPointer<UpdateProgressDialog> m_dialog;
};
