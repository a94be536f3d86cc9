#pragma once

#include <QByteArray>
#include <QString>

// A minimal host end of the board's serial line, written apart from the
// simulator's codec so each checks the other: frames requests, reads answers
// byte by byte, and reports exactly what came back.
class WireProbe
{
public:
    struct Reply
    {
        enum Kind { Answer, Nak, Nothing, BadChecksum };
        Kind kind = Nothing;
        quint8 identifier = 0;
        QByteArray data;
        QByteArray skipped; // bytes before the ACK or NAK
        QByteArray raw;     // everything read for this reply
        int elapsedMs = 0;
    };

    WireProbe() = default;
    ~WireProbe();

    bool open(const QString& device);

    // The identifier the next request() uses: bits 7..5 count requests.
    quint8 nextIdentifier() const { return quint8(((m_sequence * 32) % 256) + 1); }
    static QByteArray frame(quint8 identifier, const QByteArray& data);

    // Sends data with the next identifier and reads the reply.
    Reply request(const QByteArray& data, int timeoutMs = 1000);
    // Sends data with a given identifier (a retransmission repeats one).
    Reply requestWithIdentifier(quint8 identifier, const QByteArray& data, int timeoutMs = 1000);
    void sendRaw(const QByteArray& bytes);
    Reply readReply(int timeoutMs);
    // Whatever arrives within timeoutMs.
    QByteArray drain(int timeoutMs);

    // Starts a long command and polls "N" until it ends; returns the last
    // status answer (empty when a poll failed).
    QByteArray runLongCommand(const QByteArray& start, int pollMs = 50, int limitMs = 10000);

private:
    int readByte(int timeoutMs);

    int m_fd = -1;
    int m_sequence = 0;
};
