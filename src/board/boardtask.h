#pragma once

#include "board/rk710controller.h"

#include <QFuture>
#include <QPromise>
#include <QRunnable>

#include <memory>
#include <type_traits>

namespace VM24 {

// The controller's two queues: short jobs, and long ones (motors, hoppers).
enum class BoardQueue { Short, Long };

// Runs function on one of the controller's queues and returns the future of
// its result, for a wait box on the GUI thread.
template <typename Function>
auto run_on_board(Rk710Controller* controller, BoardQueue queue, Function function)
    -> QFuture<std::invoke_result_t<Function>>
{
    using Result = std::invoke_result_t<Function>;
    auto promise = std::make_shared<QPromise<Result>>();
    QFuture<Result> future = promise->future();
    promise->start();
    QRunnable* task = QRunnable::create([promise, function]() mutable {
        if constexpr (std::is_void_v<Result>)
            function();
        else
            promise->addResult(function());
        promise->finish();
    });
    if (queue == BoardQueue::Long)
        controller->startTimeConsuming(task);
    else
        controller->start(task);
    return future;
}

} // namespace VM24
