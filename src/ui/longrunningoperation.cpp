#include "ui/longrunningoperation.h"

#include "ui/messagedialog.h"

#include <QFutureWatcher>

namespace VM24 {

namespace {

template <typename T>
T result_or(const QFuture<T>& future, T fallback)
{
    return future.resultCount() > 0 ? future.result() : fallback;
}

} // namespace

namespace detail {

void await_completion_with_message_box(const QFuture<void>& future, QWidget* parent,
                                       const QString& title, const QString& text)
{
    MessageDialog dialog(title, text, parent);
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &dialog, &QDialog::accept);
    watcher.setFuture(future);
    // The watcher reports the end through the event loop, so a task that ends
    // right after this check still closes the dialog once it is running. The
    // box comes back if anything else closes it while the task still runs.
    while (!future.isFinished())
        dialog.exec();
}

} // namespace detail

int long_running_operation(const QFuture<int>& future, QWidget* parent,
                           const QString& title, const QString& text)
{
    detail::await_completion_with_message_box(QFuture<void>(future), parent, title, text);
    return result_or(future, -1);
}

bool long_running_operation(const QFuture<bool>& future, QWidget* parent,
                            const QString& title, const QString& text)
{
    detail::await_completion_with_message_box(QFuture<void>(future), parent, title, text);
    return result_or(future, false);
}

void long_running_operation(const QFuture<void>& future, QWidget* parent,
                            const QString& title, const QString& text)
{
    detail::await_completion_with_message_box(future, parent, title, text);
}

} // namespace VM24
