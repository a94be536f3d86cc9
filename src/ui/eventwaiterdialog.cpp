#include "ui/eventwaiterdialog.h"

#include <QEvent>

EventWaiterDialog::EventWaiterDialog(const QString& title, const QString& text, QWidget* parent)
    : TaskWatcherDialog(title, text, parent)
{
}

void EventWaiterDialog::customEvent(QEvent* event)
{
    event->accept();
    accept();
}
