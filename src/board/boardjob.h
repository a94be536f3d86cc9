#pragma once

#include "board/rk710controller.h"

#include <QFuture>
#include <QPromise>
#include <QRunnable>

#include <memory>
#include <type_traits>

namespace VM24 {

// Runs function on the controller's queue of short board jobs and returns
// the future of its result, for a page that waits for it in a modal box.
template <typename Function>
auto run_board_job(Rk710Controller* controller, Function function) -> QFuture<std::invoke_result_t<Function>>
{
    using Result = std::invoke_result_t<Function>;
    auto promise = std::make_shared<QPromise<Result>>();
    QFuture<Result> future = promise->future();
    promise->start();
    controller->start(QRunnable::create([promise, function]() mutable {
        if constexpr (std::is_void_v<Result>)
            function();
        else
            promise->addResult(function());
        promise->finish();
    }));
    return future;
}

} // namespace VM24
