#include "boardlink.h"

#include "faultinjector.h"
#include "machine.h"
#include "pseudoterminal.h"
#include "wire.h"

#include <QSocketNotifier>
#include <QTimer>

namespace rk710sim {

BoardLink::BoardLink(PseudoTerminal* line, Machine* machine, FaultInjector* faults, QObject* parent)
    : QObject(parent)
    , m_line(line)
    , m_machine(machine)
    , m_faults(faults)
    , m_commands(machine)
    , m_notifier(new QSocketNotifier(line->masterDescriptor(), QSocketNotifier::Read, this))
{
    m_clock.start();
    connect(m_notifier, &QSocketNotifier::activated, this, &BoardLink::onReadable);
    connect(machine, &Machine::boardWasReset, this, &BoardLink::forgetLastRequest);
}

bool BoardLink::setRequestLog(const QString& path, qint64 limitBytes)
{
    m_log.setFileName(path);
    m_logLimit = limitBytes;
    return m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text | QIODevice::Unbuffered);
}

void BoardLink::rotateLog()
{
    const QString path = m_log.fileName();
    const QString previous = path + QStringLiteral(".1");
    m_log.close();
    QFile::remove(previous);
    QFile::rename(path, previous);
    m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text | QIODevice::Unbuffered);
}

void BoardLink::log(const char* direction, const QByteArray& bytes, const QString& note)
{
    if (!m_log.isOpen())
        return;
    QByteArray line = QByteArray::number(m_clock.elapsed()).rightJustified(8, '0');
    line += ' ';
    line += direction;
    if (!bytes.isEmpty())
        line += ' ' + to_hex(bytes);
    if (!note.isEmpty())
        line += " # " + note.toUtf8();
    line += '\n';
    if (m_logLimit > 0 && m_log.size() + line.size() > m_logLimit)
        rotateLog();
    m_log.write(line);
}

void BoardLink::onReadable()
{
    const QByteArray bytes = m_line->readAvailable();
    const QList<FrameCodec::Frame> frames = m_codec.feed(bytes, m_clock.elapsed());
    const QByteArray skipped = m_codec.takeSkipped();
    if (!skipped.isEmpty()) {
        m_stats.skippedBytes += skipped.size();
        log("rx", skipped, QStringLiteral("outside a frame"));
    }
    for (const FrameCodec::Frame& frame : frames)
        handleFrame(frame);
}

void BoardLink::forgetLastRequest()
{
    m_last = LastRequest();
}

void BoardLink::handleFrame(const FrameCodec::Frame& frame)
{
    switch (frame.kind) {
    case FrameCodec::Frame::Abandoned:
        ++m_stats.badFrames;
        log("rx", frame.raw, QStringLiteral("incomplete frame abandoned"));
        return;
    case FrameCodec::Frame::Oversized:
        ++m_stats.badFrames;
        log("rx", frame.raw, QStringLiteral("length too large, frame skipped"));
        return;
    case FrameCodec::Frame::BadChecksum:
        ++m_stats.badFrames;
        log("rx", frame.raw, QStringLiteral("bad checksum"));
        if (!m_faults->silent())
            transmit(QByteArray(1, char(FrameCodec::NAK)), QStringLiteral("nak: bad checksum"));
        return;
    case FrameCodec::Frame::Valid:
        break;
    }

    ++m_stats.frames;
    if (m_faults->silent()) {
        ++m_stats.ignored;
        log("rx", frame.raw, QStringLiteral("silent"));
        return;
    }
    log("rx", frame.raw);
    m_machine->hostActivity();

    if (m_faults->hit(FaultInjector::Nak)) {
        ++m_stats.naks;
        transmit(QByteArray(1, char(FrameCodec::NAK)), QStringLiteral("nak: injected"));
        return;
    }
    if (isRetransmission(frame)) {
        ++m_stats.retransmissions;
        // A read is simply answered afresh: a host that starts counting
        // again from zero must not get an old input word.
        if (!BoardCommands::isPureRead(frame.data)) {
            log("--", QByteArray(), QStringLiteral("retransmission, answered again"));
            m_last.atMs = m_clock.elapsed();
            answer(frame, m_last.answer);
            return;
        }
        log("--", QByteArray(), QStringLiteral("retransmission of a read, read again"));
    }
    const BoardCommands::Answer result = m_commands.execute(frame.data);
    if (!result.accepted) {
        ++m_stats.naks;
        transmit(QByteArray(1, char(FrameCodec::NAK)), QStringLiteral("nak: ") + result.note);
        return;
    }
    ++m_stats.executed;
    m_last = LastRequest{true, frame.identifier, frame.data, result.data, m_clock.elapsed()};
    answer(frame, result.data);
}

bool BoardLink::isRetransmission(const FrameCodec::Frame& frame) const
{
    return m_last.valid && frame.identifier == m_last.identifier && frame.data == m_last.data
        && m_clock.elapsed() - m_last.atMs <= m_machine->timings().retransmitMs;
}

// A status answer naming an operation (its command letter) in a state other
// than running.
bool BoardLink::reportsAnEnd(const FrameCodec::Frame& frame, const QByteArray& answerData)
{
    return frame.data.startsWith('N') && answerData.size() >= 2 && answerData.at(0) != 0 && answerData.at(1) != 0;
}

void BoardLink::answer(const FrameCodec::Frame& frame, const QByteArray& answerData)
{
    QByteArray bytes = FrameCodec::encodeAnswer(frame.identifier, answerData);
    QString note;
    if ((reportsAnEnd(frame, answerData) && m_faults->hitEndReport()) || m_faults->hit(FaultInjector::Drop)) {
        ++m_stats.dropped;
        log("--", bytes, QStringLiteral("answer dropped"));
        return;
    }
    if (m_faults->hit(FaultInjector::Corrupt)) {
        ++m_stats.corrupted;
        bytes.back() = char(quint8(FrameCodec::checksum(frame.identifier, answerData) ^ 0xFF));
        note = QStringLiteral("checksum corrupted");
    }
    if (m_faults->strayBytes() > 0) {
        bytes.prepend(m_faults->noise(m_faults->strayBytes(), true));
        note += (note.isEmpty() ? "" : ", ") + QStringLiteral("%1 stray bytes first").arg(m_faults->strayBytes());
    }
    const int delay = m_faults->delayMs();
    if (delay <= 0) {
        transmit(bytes, note);
        return;
    }
    QTimer::singleShot(delay, this, [this, bytes, note, delay] {
        transmit(bytes, (note.isEmpty() ? QString() : note + ", ") + QStringLiteral("delayed %1 ms").arg(delay));
    });
}

// Logged before it is written: whoever reads the log after the host got an
// answer finds that answer there.
void BoardLink::transmit(const QByteArray& bytes, const QString& note)
{
    log("tx", bytes, note);
    if (!m_line->write(bytes))
        log("--", QByteArray(), QStringLiteral("line full, not all written"));
}

void BoardLink::sendNoise(int count)
{
    transmit(m_faults->noise(count, false), QStringLiteral("noise"));
}

QJsonObject BoardLink::statistics() const
{
    return QJsonObject{{"frames", m_stats.frames},           {"executed", m_stats.executed},
                       {"retransmissions", m_stats.retransmissions}, {"naks", m_stats.naks},
                       {"badFrames", m_stats.badFrames},     {"dropped", m_stats.dropped},
                       {"corrupted", m_stats.corrupted},     {"ignored", m_stats.ignored},
                       {"skippedBytes", m_stats.skippedBytes}};
}

} // namespace rk710sim
