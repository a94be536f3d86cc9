#pragma once

#include "ui/taskwatcherdialog.h"

// A message shown for a while. It closes by itself after its time (5000 ms
// unless told otherwise) and, when shown interactively, at the first touch.
class InteractiveMessageDialog : public TaskWatcherDialog
{
    Q_OBJECT

public:
    static const int DEFAULT_DURATION_MS = 5000;

    explicit InteractiveMessageDialog(QWidget* parent = nullptr);
    InteractiveMessageDialog(const QString& title, const QString& text, QWidget* parent = nullptr);

    // Shows the message modally for ms milliseconds; touches are ignored.
    static int showTemporary(const QString& title, const QString& text, int ms,
                             QWidget* parent = nullptr);
    // Shows the message modally until the first touch or for ms milliseconds.
    static int showInteractive(const QString& title, const QString& text, int ms,
                               QWidget* parent = nullptr);

private:
    static int showModal(const QString& title, const QString& text, int ms, bool closesOnTouch,
                         QWidget* parent);
};
