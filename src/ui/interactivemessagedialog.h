#pragma once

#include "ui/taskwatcherdialog.h"

#include <functional>

// A message shown for a while. It closes by itself after its time (5000 ms
// unless told otherwise) and, when shown interactively, at the first touch.
class InteractiveMessageDialog : public TaskWatcherDialog
{
    Q_OBJECT

public:
    static const int DEFAULT_DURATION_MS = 5000;

    explicit InteractiveMessageDialog(QWidget* parent = nullptr);
    InteractiveMessageDialog(const QString& title, const QString& text, QWidget* parent = nullptr);

    // Opens the message window-modal for ms milliseconds and returns it;
    // touches are ignored. closed runs when it has closed; it deletes itself.
    static InteractiveMessageDialog* showTemporary(const QString& title, const QString& text, int ms,
                                                   QWidget* parent = nullptr, std::function<void()> closed = {});
    // The same until the first touch or for ms milliseconds.
    static InteractiveMessageDialog* showInteractive(const QString& title, const QString& text, int ms,
                                                     QWidget* parent = nullptr, std::function<void()> closed = {});

private:
    static InteractiveMessageDialog* showModal(const QString& title, const QString& text, int ms,
                                               bool closesOnTouch, QWidget* parent, std::function<void()> closed);
};
