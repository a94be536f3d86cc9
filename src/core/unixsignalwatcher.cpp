#include "core/unixsignalwatcher.h"

#include "core/corelog.h"

#include <QSocketNotifier>
#include <QtDebug>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

int signalPipe[2] = {-1, -1};
// Lock-free, so that the handler may set it.
std::atomic<bool> signalReceived{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void writeSignalNumber(int signalNumber)
{
    const int savedErrno = errno;
    signalReceived = true;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Nothing useful can be done in a handler when the pipe is full.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

void closeSignalPipe()
{
    for (int& fd : signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace

UnixSignalWatcher::UnixSignalWatcher(const QList<int>& signalNumbers, QObject* parent)
    : QObject(parent)
    , m_signalNumbers(signalNumbers)
{
    if (signalPipe[0] >= 0) {
        qCWarning(coreLog, "UnixSignalWatcher: only one watcher per process");
        m_signalNumbers.clear();
        return;
    }
    if (::pipe2(signalPipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        qCWarning(coreLog, "UnixSignalWatcher: cannot create the signal pipe");
        m_signalNumbers.clear();
        return;
    }
    signalReceived = false;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignalWatcher::readPendingSignals);

    struct sigaction action = {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : m_signalNumbers)
        ::sigaction(signalNumber, &action, nullptr);
}

UnixSignalWatcher::~UnixSignalWatcher()
{
    if (!m_notifier)
        return;
    for (int signalNumber : m_signalNumbers)
        ::signal(signalNumber, SIG_DFL);
    delete m_notifier;
    closeSignalPipe();
}

bool UnixSignalWatcher::hasReceived() const
{
    return m_notifier && signalReceived;
}

const std::atomic<bool>& UnixSignalWatcher::receivedFlag()
{
    return signalReceived;
}

void UnixSignalWatcher::readPendingSignals()
{
    unsigned char byte = 0;
    while (::read(signalPipe[0], &byte, 1) == 1)
        emit received(byte);
}
