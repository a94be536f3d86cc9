#pragma once

#include "board/accountingcounters.h"

#include <QEvent>

namespace VM24 {

// The board's cash counters of its three periods, posted to the object that
// asked for them.
class GetCountersEvent : public QEvent
{
public:
    static const QEvent::Type TYPE = QEvent::Type(QEvent::User + 10);

    GetCountersEvent(const AccountingCounters& permanent, const AccountingCounters& partial,
                     const AccountingCounters& daily)
        : QEvent(TYPE)
        , m_permanent(permanent)
        , m_partial(partial)
        , m_daily(daily)
    {
    }

    AccountingCounters permanent() const { return m_permanent; }
    AccountingCounters partial() const { return m_partial; }
    AccountingCounters daily() const { return m_daily; }

private:
    AccountingCounters m_permanent;
    AccountingCounters m_partial;
    AccountingCounters m_daily;
};

} // namespace VM24
