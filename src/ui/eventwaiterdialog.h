#pragma once

#include "ui/taskwatcherdialog.h"

// A wait box for a worker thread. The worker never touches the dialog: it
// posts a custom event to it (QCoreApplication::postEvent), and the dialog
// accepts itself when the event arrives on the GUI thread.
class EventWaiterDialog : public TaskWatcherDialog
{
    Q_OBJECT

public:
    EventWaiterDialog(const QString& title, const QString& text, QWidget* parent = nullptr);

protected:
    void customEvent(QEvent* event) override;
};
