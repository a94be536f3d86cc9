#pragma once

#include "board/accountingcounters.h"
#include "ui/eventwaiterdialog.h"

// Waits for the board's counters of its three periods (a GetCountersEvent)
// and keeps them.
class GetCountersDialog : public EventWaiterDialog
{
    Q_OBJECT

public:
    explicit GetCountersDialog(QWidget* parent = nullptr);

    bool hasCounters() const { return m_received; }
    AccountingCounters permanent() const { return m_permanent; }
    AccountingCounters partial() const { return m_partial; }
    AccountingCounters daily() const { return m_daily; }

protected:
    void customEvent(QEvent* event) override;

private:
    AccountingCounters m_permanent;
    AccountingCounters m_partial;
    AccountingCounters m_daily;
    bool m_received = false;
};
