#pragma once

#include "ui/taskwatcherdialog.h"

// Shown while the reset instructions of a USB key run; once they are done
// it asks for the restart and closes at a touch or after 5 seconds.
class ResetDialog : public TaskWatcherDialog
{
    Q_OBJECT

public:
    static const int CLOSE_AFTER_MS = 5000;

    explicit ResetDialog(QWidget* parent = nullptr);

public slots:
    void onResetDone();
};
