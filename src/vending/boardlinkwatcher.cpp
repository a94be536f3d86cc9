#include "vending/boardlinkwatcher.h"

#include "board/rk710controller.h"
#include "logging/warningnotification.h"

#include <QCoreApplication>

BoardLinkWatcher::BoardLinkWatcher(VM24::NotificationService* notifications, bool alive, QObject* parent)
    : QObject(parent)
    , m_notifications(notifications)
    , m_alive(alive)
{
}

QString BoardLinkWatcher::lostMessage()
{
    return QCoreApplication::translate("BoardLinkWatcher",
                                       "La scheda di controllo non risponde: nuovo tentativo ogni %1 s")
        .arg(Rk710Controller::RECOVERY_PERIOD_MS / 1000);
}

QString BoardLinkWatcher::backMessage()
{
    return QCoreApplication::translate("BoardLinkWatcher", "La scheda di controllo risponde di nuovo");
}

void BoardLinkWatcher::onBoardStatus(bool alive)
{
    if (alive == m_alive)
        return;
    m_alive = alive;
    m_notifications->notify(std::make_unique<VM24::WarningNotification>(alive ? backMessage() : lostMessage()));
}
