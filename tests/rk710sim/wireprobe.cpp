#include "wireprobe.h"

#include <QElapsedTimer>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

WireProbe::~WireProbe()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool WireProbe::open(const QString& device)
{
    m_fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (m_fd < 0)
        return false;
    termios tio;
    if (tcgetattr(m_fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return tcsetattr(m_fd, TCSANOW, &tio) == 0;
}

QByteArray WireProbe::frame(quint8 identifier, const QByteArray& data)
{
    QByteArray bytes;
    bytes.append(char(0x23));
    bytes.append(char(identifier));
    bytes.append(char(data.size() >> 8));
    bytes.append(char(data.size() & 0xFF));
    bytes.append(data);
    quint8 sum = 0;
    for (qsizetype i = 1; i < bytes.size(); ++i)
        sum = quint8(sum + quint8(bytes[i]));
    bytes.append(char(quint8(~sum)));
    return bytes;
}

void WireProbe::sendRaw(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

int WireProbe::readByte(int timeoutMs)
{
    pollfd fd{m_fd, POLLIN, 0};
    if (poll(&fd, 1, timeoutMs) <= 0)
        return -1;
    unsigned char byte = 0;
    return ::read(m_fd, &byte, 1) == 1 ? byte : -1;
}

WireProbe::Reply WireProbe::readReply(int timeoutMs)
{
    Reply reply;
    QElapsedTimer clock;
    clock.start();
    auto next = [&]() {
        const int byte = readByte(qMax(0, timeoutMs - int(clock.elapsed())));
        if (byte >= 0)
            reply.raw.append(char(byte));
        return byte;
    };
    int lead;
    while ((lead = next()) >= 0 && lead != 0x06 && lead != 0x15)
        reply.skipped.append(char(lead));
    reply.elapsedMs = int(clock.elapsed());
    if (lead == 0x15) {
        reply.kind = Reply::Nak;
        return reply;
    }
    if (lead != 0x06)
        return reply;
    const int identifier = next();
    const int high = next();
    const int low = next();
    if (identifier < 0 || high < 0 || low < 0)
        return reply;
    reply.identifier = quint8(identifier);
    quint8 sum = quint8(identifier + high + low);
    for (int i = 0; i < (high << 8 | low); ++i) {
        const int byte = next();
        if (byte < 0)
            return reply;
        reply.data.append(char(byte));
        sum = quint8(sum + byte);
    }
    const int checksum = next();
    if (checksum < 0)
        return reply;
    reply.kind = checksum == quint8(~sum) ? Reply::Answer : Reply::BadChecksum;
    reply.elapsedMs = int(clock.elapsed());
    return reply;
}

QByteArray WireProbe::drain(int timeoutMs)
{
    QByteArray bytes;
    int byte;
    while ((byte = readByte(timeoutMs)) >= 0)
        bytes.append(char(byte));
    return bytes;
}

WireProbe::Reply WireProbe::request(const QByteArray& data, int timeoutMs)
{
    const quint8 identifier = nextIdentifier();
    ++m_sequence;
    return requestWithIdentifier(identifier, data, timeoutMs);
}

WireProbe::Reply WireProbe::requestWithIdentifier(quint8 identifier, const QByteArray& data, int timeoutMs)
{
    tcflush(m_fd, TCIOFLUSH);
    sendRaw(frame(identifier, data));
    return readReply(timeoutMs);
}

QByteArray WireProbe::runLongCommand(const QByteArray& start, int pollMs, int limitMs)
{
    if (request(start).kind != Reply::Answer)
        return QByteArray();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < limitMs) {
        QThread::msleep(ulong(pollMs));
        const Reply status = request(QByteArrayLiteral("N"));
        if (status.kind != Reply::Answer || status.data.size() < 2)
            return QByteArray();
        if (status.data.at(1) != 0)
            return status.data;
    }
    return QByteArray();
}
