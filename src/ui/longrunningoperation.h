#pragma once

#include "ui/messagedialog.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QString>
#include <QtConcurrentRun>

#include <functional>
#include <utility>

class QWidget;

namespace VM24 {

namespace detail {
// Opens a window-modal MessageDialog(title, text, parent) and returns at once;
// it opens again whenever something else closes it while finished() is false.
MessageDialog* open_wait_box(QWidget* parent, const QString& title, const QString& text,
                             std::function<bool()> finished);
void close_wait_box(MessageDialog* box);
} // namespace detail

// Keeps the person waiting in a window-modal box while a background task
// runs and returns at once. When the task has ended the box closes and done
// gets its result on the GUI thread; a task that ended without a result
// (cancelled) gives fallback. The end reaches done through a watcher that
// belongs to the box, so a box whose parent goes first takes done with it.
template <typename T, typename Done>
void long_running_operation(QFuture<T> future, QWidget* parent, const QString& title, const QString& text,
                            T fallback, Done done)
{
    MessageDialog* box = detail::open_wait_box(parent, title, text, [future] { return future.isFinished(); });
    auto* watcher = new QFutureWatcher<T>(box);
    QObject::connect(watcher, &QFutureWatcherBase::finished, box, [box, watcher, done, fallback] {
        const QFuture<T> ended = watcher->future();
        const T result = ended.resultCount() > 0 ? ended.result() : fallback;
        detail::close_wait_box(box);
        done(result);
    });
    watcher->setFuture(future);
}

template <typename Done>
void long_running_operation(QFuture<void> future, QWidget* parent, const QString& title, const QString& text,
                            Done done)
{
    MessageDialog* box = detail::open_wait_box(parent, title, text, [future] { return future.isFinished(); });
    auto* watcher = new QFutureWatcher<void>(box);
    QObject::connect(watcher, &QFutureWatcherBase::finished, box, [box, done] {
        detail::close_wait_box(box);
        done();
    });
    watcher->setFuture(future);
}

} // namespace VM24
