#include "tasks/rk710timeupdater.h"

#include "board/rk710controller.h"
#include "core/vm24.h"

#include <QDateTime>

Rk710TimeUpdater::Rk710TimeUpdater(Rk710Controller* controller)
    : m_controller(controller)
{
    setInterval(DEFAULT_INTERVAL);
}

void Rk710TimeUpdater::run()
{
    // Sends the system time and takes the board's battery-backed clock back:
    // a system clock that was never set (before 2000) is set from it.
    Rk710Controller* controller = m_controller;
    controller->shortJobs()->start([controller] {
        VM24::adjust_system_date_time(controller->exchangeDateTime(QDateTime::currentDateTime()));
    });
}
