#include "scriptedboard.h"

#include <QThread>

namespace {

QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray data;
    for (int i = bytes - 1; i >= 0; --i)
        data.append(char((value >> (8 * i)) & 0xFF));
    return data;
}

bool startsLongCommand(char code)
{
    return QByteArray("BDQRTX").contains(code);
}

} // namespace

ScriptedBoard::ScriptedBoard()
    : m_inputs(0x00280083)
    , m_status(0x0001FC7E)
    , m_presence(0x3FFFF)
    , m_credit(QByteArray(8, '\0') + QByteArray(4, '\xff'))
    , m_versions(QByteArray("\x01\x07", 2) + bigEndian(0, 4))
    , m_finalAnswer(QByteArray("\x00\x01\x01\x00", 4))
{
    m_peer.setResponder([this](const PtyPeer::Frame& frame) { return respond(frame); });
    m_peer.start();
}

void ScriptedBoard::setInputs(int inputs)
{
    QMutexLocker locker(&m_mutex);
    m_inputs = inputs;
}

void ScriptedBoard::setStatus(int status)
{
    QMutexLocker locker(&m_mutex);
    m_status = status;
}

void ScriptedBoard::setPresence(qint64 mask)
{
    QMutexLocker locker(&m_mutex);
    m_presence = mask;
}

void ScriptedBoard::setCreditAnswer(const QByteArray& answer)
{
    QMutexLocker locker(&m_mutex);
    m_credit = answer;
}

void ScriptedBoard::setVersions(quint8 version1, quint8 version2, int serial)
{
    QMutexLocker locker(&m_mutex);
    m_versions = QByteArray(1, char(version1)) + char(version2) + bigEndian(quint32(serial), 4);
}

void ScriptedBoard::setAnswer(char code, const QByteArray& data)
{
    QMutexLocker locker(&m_mutex);
    m_fixed[code] = data;
}

void ScriptedBoard::setLongCommandScript(int runningPolls, const QByteArray& finalAnswer)
{
    QMutexLocker locker(&m_mutex);
    m_runningPolls = runningPolls;
    m_finalAnswer = finalAnswer;
}

void ScriptedBoard::setSilent(bool silent)
{
    QMutexLocker locker(&m_mutex);
    m_silent = silent;
}

void ScriptedBoard::rejectNext(int n)
{
    QMutexLocker locker(&m_mutex);
    m_rejections = n;
}

void ScriptedBoard::setDelay(char code, int ms)
{
    QMutexLocker locker(&m_mutex);
    m_delays[code] = ms;
}

void ScriptedBoard::setUnanswered(char code, bool unanswered)
{
    QMutexLocker locker(&m_mutex);
    if (unanswered)
        m_unanswered.insert(code);
    else
        m_unanswered.remove(code);
}

void ScriptedBoard::setUnansweredPattern(char code, const QByteArray& pattern)
{
    QMutexLocker locker(&m_mutex);
    m_unansweredPatterns[code] = pattern;
}

QList<QByteArray> ScriptedBoard::requests() const
{
    QList<QByteArray> result;
    for (const PtyPeer::Frame& frame : m_peer.frames())
        result.append(frame.data);
    return result;
}

QList<QByteArray> ScriptedBoard::commands() const
{
    QList<QByteArray> result = requests();
    result.removeIf(isPolling);
    return result;
}

bool ScriptedBoard::isPolling(const QByteArray& request)
{
    return request == "I" || request == "K" || request == "S";
}

QByteArray ScriptedBoard::codes() const
{
    QByteArray result;
    for (const PtyPeer::Frame& frame : m_peer.frames())
        result.append(frame.data.isEmpty() ? '?' : frame.data[0]);
    return result;
}

int ScriptedBoard::count(char code) const
{
    return int(codes().count(code));
}

QByteArray ScriptedBoard::respond(const PtyPeer::Frame& frame)
{
    if (frame.data.isEmpty() || !frame.checksumOk)
        return QByteArray();
    const char code = frame.data[0];
    int delay = 0;
    QByteArray data;
    {
        QMutexLocker locker(&m_mutex);
        bool lost = false;
        const auto pattern = m_unansweredPatterns.find(code);
        if (pattern != m_unansweredPatterns.end() && !pattern->isEmpty()) {
            lost = pattern->front() == 'x';
            pattern->remove(0, 1);
        }
        if (m_silent || lost || m_unanswered.contains(code))
            return QByteArray();
        if (m_rejections > 0) {
            --m_rejections;
            return QByteArray(1, PtyPeer::NAK);
        }
        delay = m_delays.value(code);
        data = dataFor(code);
    }
    if (delay > 0)
        QThread::msleep(ulong(delay));
    return PtyPeer::answer(frame.identifier, data);
}

QByteArray ScriptedBoard::dataFor(char code)
{
    if (startsLongCommand(code))
        m_pollsLeft = m_runningPolls;
    if (m_fixed.contains(code))
        return m_fixed.value(code);
    switch (code) {
    case 'C': return m_credit;
    case 'G': return QByteArray("\x1e\x01\x02\x03\x04\x05\x03", 7);
    case 'I': return bigEndian(quint32(m_inputs), 4);
    case 'J': return bigEndian(100, 2);
    case 'K': {
        QByteArray mask;
        for (int i = 0; i < 8; ++i)
            mask.append(char((quint64(m_presence) >> (8 * i)) & 0xFF));
        return mask;
    }
    case 'N':
        if (m_pollsLeft < 0)
            return QByteArray("\x00\x03", 2);
        if (m_pollsLeft-- > 0)
            return QByteArray("\x00\x00", 2);
        return m_finalAnswer;
    case 'P': return QByteArray(1, '\x01');
    case 'S': return bigEndian(quint32(m_status), 4);
    case 'V': return m_versions;
    case 'Y': return QByteArray(26, '\0');
    case 'Z': return QByteArray("RK710: 1.0");
    default: return QByteArray();
    }
}
