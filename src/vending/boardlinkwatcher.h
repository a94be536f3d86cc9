#pragma once

#include "logging/notificationservice.h"

#include <QObject>

// Writes the loss of the controller board and its return into the event log
// as warnings, so that the owner learns why the machine stopped selling and
// when it could again. Fed with the controller's boardStatus(alive).
class BoardLinkWatcher : public QObject
{
    Q_OBJECT

public:
    BoardLinkWatcher(VM24::NotificationService* notifications, bool alive, QObject* parent = nullptr);

    static QString lostMessage();
    static QString backMessage();

public slots:
    void onBoardStatus(bool alive);

private:
    VM24::NotificationService* m_notifications;
    bool m_alive;
};
