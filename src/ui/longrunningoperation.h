#pragma once

#include <QFuture>
#include <QPromise>
#include <QString>
#include <QThreadPool>

#include <memory>
#include <type_traits>

class QWidget;

namespace VM24 {

// Runs function on the global thread pool and returns the future of its result.
template <typename Function>
auto run_in_thread_pool(Function function) -> QFuture<std::invoke_result_t<Function>>
{
    using Result = std::invoke_result_t<Function>;
    auto promise = std::make_shared<QPromise<Result>>();
    QFuture<Result> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, function]() mutable {
        if constexpr (std::is_void_v<Result>)
            function();
        else
            promise->addResult(function());
        promise->finish();
    });
    return future;
}

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
