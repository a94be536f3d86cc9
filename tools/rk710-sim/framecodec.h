#pragma once

#include <QByteArray>
#include <QList>

namespace rk710sim {

// The board's side of the frame protocol. Requests arrive as
//   '#' identifier length(2, big-endian) data checksum
// and are answered by ACK (or a single NAK byte) followed by the same
// identifier, the answer length, the answer data and a checksum. The checksum
// is the one's complement of the 8-bit sum of identifier, length and data.
//
// feed() takes bytes as they come off the line and returns what they
// completed. Bytes outside a frame are skipped; a frame that stalls for longer
// than the inter-byte timeout is abandoned, so a sender that gave up and
// retransmits after purging its line is read from its new start byte.
class FrameCodec
{
public:
    static const quint8 START = 0x23;
    static const quint8 ACK = 0x06;
    static const quint8 NAK = 0x15;
    static const int MAX_DATA_LENGTH = 1024;
    static const int DEFAULT_INTERBYTE_TIMEOUT_MS = 200;

    struct Frame
    {
        enum Kind { Valid, BadChecksum, Oversized, Abandoned };
        Kind kind = Valid;
        quint8 identifier = 0;
        QByteArray data;
        QByteArray raw; // every byte of the frame as received
    };

    explicit FrameCodec(int interByteTimeoutMs = DEFAULT_INTERBYTE_TIMEOUT_MS);

    QList<Frame> feed(const QByteArray& bytes, qint64 nowMs);
    // Bytes skipped outside frames since the last call.
    QByteArray takeSkipped();

    static quint8 checksum(quint8 identifier, const QByteArray& data);
    static QByteArray encodeAnswer(quint8 identifier, const QByteArray& data);
    static QByteArray encodeRequest(quint8 identifier, const QByteArray& data);

private:
    enum State { WaitStart, Identifier, LengthHigh, LengthLow, Data, Checksum };

    void reset();

    int m_interByteTimeoutMs;
    State m_state = WaitStart;
    qint64 m_lastByteMs = 0;
    int m_length = 0;
    Frame m_frame;
    QByteArray m_skipped;
};

} // namespace rk710sim
