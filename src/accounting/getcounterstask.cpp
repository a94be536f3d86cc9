#include "accounting/getcounterstask.h"

#include "accounting/getcountersevent.h"
#include "board/rk710controller.h"

#include <QCoreApplication>

GetCountersTask::GetCountersTask(Rk710Controller* controller, QObject* target)
    : m_controller(controller)
    , m_target(target)
{
    setAutoDelete(true);
}

void GetCountersTask::run()
{
    const AccountingCounters permanent = m_controller->getCounters(Rk710SerialProtocol::Permanent);
    const AccountingCounters partial = m_controller->getCounters(Rk710SerialProtocol::Partial);
    const AccountingCounters daily = m_controller->getCounters(Rk710SerialProtocol::Daily);
    if (m_target)
        QCoreApplication::postEvent(m_target, new VM24::GetCountersEvent(permanent, partial, daily));
}
