#pragma once

#include "ui/messagedialog.h"

#include <QFuture>
#include <QPointer>
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
// (cancelled) gives fallback. A box whose parent goes first takes done with it.
template <typename T, typename Done>
void long_running_operation(QFuture<T> future, QWidget* parent, const QString& title, const QString& text,
                            T fallback, Done done)
{
    QPointer<MessageDialog> box = detail::open_wait_box(parent, title, text, [future] { return future.isFinished(); });
    future
        .then(box.data(),
              [box, done, fallback](QFuture<T> ended) {
                  detail::close_wait_box(box);
                  done(ended.resultCount() > 0 ? ended.result() : fallback);
              })
        .onCanceled(box.data(), [box, done, fallback] {
            detail::close_wait_box(box);
            done(fallback);
        });
}

template <typename Done>
void long_running_operation(QFuture<void> future, QWidget* parent, const QString& title, const QString& text,
                            Done done)
{
    QPointer<MessageDialog> box = detail::open_wait_box(parent, title, text, [future] { return future.isFinished(); });
    future
        .then(box.data(),
              [box, done] {
                  detail::close_wait_box(box);
                  done();
              })
        .onCanceled(box.data(), [box, done] {
            detail::close_wait_box(box);
            done();
        });
}

} // namespace VM24
