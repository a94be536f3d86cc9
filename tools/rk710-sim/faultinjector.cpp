#include "faultinjector.h"

#include "framecodec.h"

namespace rk710sim {

namespace {
const char* const KIND_NAMES[FaultInjector::KindCount] = {"nak", "corrupt", "drop"};
}

FaultInjector::FaultInjector(quint32 seed)
    : m_random(seed)
{
    m_clock.start();
}

bool FaultInjector::kindFromName(const QString& name, Kind* kind)
{
    for (int k = 0; k < KindCount; ++k) {
        if (name == QLatin1String(KIND_NAMES[k])) {
            *kind = Kind(k);
            return true;
        }
    }
    return false;
}

void FaultInjector::setRate(Kind kind, double rate)
{
    m_settings[kind].rate = qBound(0.0, rate, 1.0);
}

void FaultInjector::setNext(Kind kind, int count)
{
    m_settings[kind].next = qMax(0, count);
}

void FaultInjector::off(Kind kind)
{
    m_settings[kind] = Setting();
}

bool FaultInjector::hit(Kind kind)
{
    Setting& setting = m_settings[kind];
    if (setting.next > 0) {
        --setting.next;
        return true;
    }
    return setting.rate > 0.0 && m_random.generateDouble() < setting.rate;
}

bool FaultInjector::hitEndReport()
{
    if (m_endDrops <= 0)
        return false;
    --m_endDrops;
    return true;
}

void FaultInjector::setSilent(int ms)
{
    m_silentForever = ms < 0;
    m_silentUntilMs = ms > 0 ? m_clock.elapsed() + ms : 0;
}

bool FaultInjector::silent() const
{
    return m_silentForever || m_clock.elapsed() < m_silentUntilMs;
}

QByteArray FaultInjector::noise(int count, bool avoidHandshake)
{
    QByteArray bytes;
    while (bytes.size() < count) {
        const quint8 byte = quint8(m_random.bounded(256));
        if (avoidHandshake && (byte == FrameCodec::ACK || byte == FrameCodec::NAK))
            continue;
        bytes.append(char(byte));
    }
    return bytes;
}

void FaultInjector::clear()
{
    for (Setting& setting : m_settings)
        setting = Setting();
    m_delayMs = 0;
    m_strayBytes = 0;
    m_endDrops = 0;
    setSilent(0);
}

QJsonObject FaultInjector::toJson() const
{
    QJsonObject json;
    for (int k = 0; k < KindCount; ++k)
        json.insert(QLatin1String(KIND_NAMES[k]),
                    QJsonObject{{"rate", m_settings[k].rate}, {"next", m_settings[k].next}});
    json.insert("delayMs", m_delayMs);
    json.insert("strayBytes", m_strayBytes);
    json.insert("endDrops", m_endDrops);
    json.insert("silent", silent());
    return json;
}

} // namespace rk710sim
