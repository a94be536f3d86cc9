#include "core/blockingcall.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <QThreadPool>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

std::mutex mutex;
std::condition_variable changed;
bool releasing = false;

struct Call
{
    bool started = false;
    bool done = false;
    bool abandoned = false;
};

} // namespace

bool BlockingCall::run(QObject* context, std::function<void()> job)
{
    if (!context)
        return false;
    if (QThread::currentThread() == context->thread()) {
        job();
        return true;
    }
    auto call = std::make_shared<Call>();
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (releasing)
            return false;
    }
    QMetaObject::invokeMethod(
        context,
        [call, job = std::move(job)] {
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (call->abandoned)
                    return;
                call->started = true;
            }
            job();
            std::lock_guard<std::mutex> lock(mutex);
            call->done = true;
            changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(mutex);
    // Once begun, the call ends on its thread whatever the quit path does.
    changed.wait(lock, [&call] { return call->done || (releasing && !call->started); });
    if (call->done)
        return true;
    call->abandoned = true;
    return false;
}

void BlockingCall::waitForWorkers()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        releasing = true;
        changed.notify_all();
    }
    QThreadPool::globalInstance()->waitForDone();
    std::lock_guard<std::mutex> lock(mutex);
    releasing = false;
}
