#include "tasks/rk710timeupdater.h"

#include "board/rk710controller.h"
#include "tasks/exchangetimetask.h"

Rk710TimeUpdater::Rk710TimeUpdater(Rk710Controller* controller)
    : m_controller(controller)
{
    setInterval(DEFAULT_INTERVAL);
}

void Rk710TimeUpdater::run()
{
    m_controller->start(new ExchangeTimeTask(m_controller));
}
