#include "maintenance/getcountersdialog.h"

#include "accounting/getcountersevent.h"

GetCountersDialog::GetCountersDialog(QWidget* parent)
    : EventWaiterDialog(tr("Attendere recupero dettagli contabilità"), QString(), parent)
{
}

void GetCountersDialog::customEvent(QEvent* event)
{
    if (event->type() == VM24::GetCountersEvent::TYPE) {
        const auto* counters = static_cast<const VM24::GetCountersEvent*>(event);
        m_permanent = counters->permanent();
        m_partial = counters->partial();
        m_daily = counters->daily();
        m_received = true;
    }
    EventWaiterDialog::customEvent(event);
}
