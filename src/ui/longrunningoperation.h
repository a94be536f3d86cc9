#pragma once

#include "core/threadpool.h"

#include <QFuture>
#include <QString>

class QWidget;

namespace VM24 {

namespace detail {
// Shows a modal MessageDialog(title, text, parent) until the future has finished.
void await_completion_with_message_box(const QFuture<void>& future, QWidget* parent,
                                       const QString& title, const QString& text);
} // namespace detail

// Keeps the person waiting in a modal box while a background task runs, then
// returns the task's result. A task that ended without a result (cancelled)
// gives -1 or false.
int long_running_operation(const QFuture<int>& future, QWidget* parent,
                           const QString& title, const QString& text);
bool long_running_operation(const QFuture<bool>& future, QWidget* parent,
                            const QString& title, const QString& text);
void long_running_operation(const QFuture<void>& future, QWidget* parent,
                            const QString& title, const QString& text);

} // namespace VM24
