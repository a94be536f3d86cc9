#include "ptypeer.h"

#include <QDeadlineTimer>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

PtyPeer::PtyPeer()
{
    m_clock.start();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        ::close(m_master);
        m_master = -1;
        return;
    }
    m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    // Holding the slave open keeps the master readable while the program
    // closes and reopens its end; raw mode stops echo before it configures.
    m_slaveKeeper = ::open(ptsname(m_master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slaveKeeper >= 0) {
        termios tio;
        tcgetattr(m_slaveKeeper, &tio);
        cfmakeraw(&tio);
        tcsetattr(m_slaveKeeper, TCSANOW, &tio);
    }
}

PtyPeer::~PtyPeer()
{
    stop();
    if (m_slaveKeeper >= 0)
        ::close(m_slaveKeeper);
    if (m_master >= 0)
        ::close(m_master);
}

void PtyPeer::setResponder(Responder responder)
{
    m_responder = std::move(responder);
}

void PtyPeer::start()
{
    if (m_running || m_master < 0)
        return;
    m_running = true;
    m_thread = std::thread([this] { run(); });
}

void PtyPeer::stop()
{
    m_running = false;
    if (m_thread.joinable())
        m_thread.join();
}

void PtyPeer::inject(const QByteArray& bytes)
{
    if (m_master >= 0 && !bytes.isEmpty())
        (void)!::write(m_master, bytes.constData(), size_t(bytes.size()));
}

QList<PtyPeer::Frame> PtyPeer::frames() const
{
    QMutexLocker locker(&m_mutex);
    return m_frames;
}

int PtyPeer::frameCount() const
{
    QMutexLocker locker(&m_mutex);
    return int(m_frames.size());
}

QByteArray PtyPeer::received() const
{
    QMutexLocker locker(&m_mutex);
    return m_received;
}

bool PtyPeer::waitForFrames(int count, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker locker(&m_mutex);
    while (m_frames.size() < count) {
        if (!m_frameArrived.wait(&m_mutex, deadline))
            return m_frames.size() >= count;
    }
    return true;
}

void PtyPeer::clearRecords()
{
    QMutexLocker locker(&m_mutex);
    m_frames.clear();
    m_received.clear();
}

quint8 PtyPeer::checksum(const QByteArray& bytes)
{
    quint8 sum = 0;
    for (char byte : bytes)
        sum += quint8(byte);
    return quint8(~sum);
}

namespace {

QByteArray framed(char start, quint8 identifier, const QByteArray& data)
{
    QByteArray body;
    body.append(char(identifier));
    body.append(char(data.size() >> 8));
    body.append(char(data.size() & 0xFF));
    body.append(data);
    return start + body + char(PtyPeer::checksum(body));
}

} // namespace

QByteArray PtyPeer::answer(quint8 identifier, const QByteArray& data)
{
    return framed(0x06, identifier, data);
}

QByteArray PtyPeer::request(quint8 identifier, const QByteArray& data)
{
    return framed(0x23, identifier, data);
}

void PtyPeer::run()
{
    char buffer[512];
    while (m_running) {
        pollfd pfd{m_master, POLLIN, 0};
        if (poll(&pfd, 1, 10) <= 0 || !(pfd.revents & POLLIN))
            continue;
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        {
            QMutexLocker locker(&m_mutex);
            m_received.append(buffer, int(n));
        }
        m_pending.append(buffer, int(n));
        parseFrames();
    }
}

// Takes every complete frame off the front of the pending bytes, skipping
// anything before a start byte.
void PtyPeer::parseFrames()
{
    for (;;) {
        const int start = int(m_pending.indexOf(char(0x23)));
        if (start < 0) {
            m_pending.clear();
            return;
        }
        m_pending.remove(0, start);
        if (m_pending.size() < 4)
            return;
        const int length = (quint8(m_pending[2]) << 8) | quint8(m_pending[3]);
        if (m_pending.size() < 5 + length)
            return;
        Frame frame;
        frame.receivedAtMs = m_clock.elapsed();
        frame.raw = m_pending.left(5 + length);
        frame.identifier = quint8(frame.raw[1]);
        frame.data = frame.raw.mid(4, length);
        frame.checksumOk = checksum(frame.raw.mid(1, 3 + length)) == quint8(frame.raw[4 + length]);
        m_pending.remove(0, 5 + length);

        const QByteArray reply = m_responder ? m_responder(frame) : QByteArray();
        {
            QMutexLocker locker(&m_mutex);
            m_frames.append(frame);
        }
        inject(reply);
        m_frameArrived.wakeAll();
    }
}
