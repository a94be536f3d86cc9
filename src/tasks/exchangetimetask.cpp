#include "tasks/exchangetimetask.h"

#include "board/rk710controller.h"
#include "core/vm24.h"

#include <QDateTime>

ExchangeTimeTask::ExchangeTimeTask(Rk710Controller* controller)
    : m_controller(controller)
{
}

void ExchangeTimeTask::run()
{
    const QDateTime boardTime = m_controller->exchangeDateTime(QDateTime::currentDateTime());
    VM24::adjust_system_date_time(boardTime);
}
