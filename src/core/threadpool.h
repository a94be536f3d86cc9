#pragma once

#include <QFuture>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <type_traits>

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

} // namespace VM24
