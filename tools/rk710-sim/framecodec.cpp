#include "framecodec.h"

#include "wire.h"

namespace rk710sim {

FrameCodec::FrameCodec(int interByteTimeoutMs)
    : m_interByteTimeoutMs(interByteTimeoutMs)
{
}

void FrameCodec::reset()
{
    m_state = WaitStart;
    m_length = 0;
    m_frame = Frame();
}

QList<FrameCodec::Frame> FrameCodec::feed(const QByteArray& bytes, qint64 nowMs)
{
    QList<Frame> frames;
    if (m_state != WaitStart && nowMs - m_lastByteMs > m_interByteTimeoutMs) {
        m_frame.kind = Frame::Abandoned;
        frames.append(m_frame);
        reset();
    }
    if (!bytes.isEmpty())
        m_lastByteMs = nowMs;

    for (char c : bytes) {
        const quint8 byte = static_cast<quint8>(c);
        if (m_state == WaitStart) {
            if (byte == START) {
                m_frame.raw.append(c);
                m_state = Identifier;
            } else {
                m_skipped.append(c);
            }
            continue;
        }
        m_frame.raw.append(c);
        switch (m_state) {
        case Identifier:
            m_frame.identifier = byte;
            m_state = LengthHigh;
            break;
        case LengthHigh:
            m_length = byte << 8;
            m_state = LengthLow;
            break;
        case LengthLow:
            m_length |= byte;
            if (m_length > MAX_DATA_LENGTH) {
                m_frame.kind = Frame::Oversized;
                frames.append(m_frame);
                reset();
            } else {
                m_state = m_length > 0 ? Data : Checksum;
            }
            break;
        case Data:
            m_frame.data.append(c);
            if (m_frame.data.size() == m_length)
                m_state = Checksum;
            break;
        case Checksum:
            if (byte != checksum(m_frame.identifier, m_frame.data))
                m_frame.kind = Frame::BadChecksum;
            frames.append(m_frame);
            reset();
            break;
        case WaitStart:
            break;
        }
    }
    return frames;
}

QByteArray FrameCodec::takeSkipped()
{
    QByteArray skipped;
    skipped.swap(m_skipped);
    return skipped;
}

quint8 FrameCodec::checksum(quint8 identifier, const QByteArray& data)
{
    quint8 sum = identifier;
    sum += quint8(data.size() >> 8);
    sum += quint8(data.size());
    for (char c : data)
        sum += static_cast<quint8>(c);
    return static_cast<quint8>(~sum);
}

static QByteArray encode(quint8 lead, quint8 identifier, const QByteArray& data)
{
    QByteArray frame;
    frame.reserve(data.size() + 5);
    append_byte(frame, lead);
    append_byte(frame, identifier);
    append_word(frame, data.size());
    frame.append(data);
    append_byte(frame, FrameCodec::checksum(identifier, data));
    return frame;
}

QByteArray FrameCodec::encodeAnswer(quint8 identifier, const QByteArray& data)
{
    return encode(ACK, identifier, data);
}

QByteArray FrameCodec::encodeRequest(quint8 identifier, const QByteArray& data)
{
    return encode(START, identifier, data);
}

} // namespace rk710sim
