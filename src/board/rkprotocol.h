#pragma once

#include <QtGlobal>

#include <atomic>

namespace rkprotocol {

// One request to the controller board and its answer, framed as
//   request: 0x23, identifier, length (2 bytes, big-endian), data, checksum
//   answer:  0x06 (0x15 rejects), identifier, length, data, checksum
// The identifier carries the three low bits of the request counter in bits
// 7..5 and 00001 below; the checksum is the complement of the 8-bit sum of
// everything after the first byte. A failed attempt is sent again, with the
// same identifier, after purging the line.
//
// Not thread-safe: one request at a time (the controller holds a lock).
class RkProtocol
{
public:
    static const quint8 START_OF_REQUEST = 0x23;
    static const quint8 ACK = 0x06;
    static const quint8 NAK = 0x15;
    static const int DEFAULT_TIMEOUT = 10;
    static const int DEFAULT_MAX_RETRANSMISSIONS = 5;

    RkProtocol();
    ~RkProtocol();

    // Closes a port opened before, then opens path at baud, 8N1.
    bool open(const char* path, int baud);
    void close();
    bool isOpen() const { return m_port != 0; }

    void setTimeout(int ms) { m_timeout = ms / 100; }
    void setMaxRetransmissions(int n) { m_maxRetransmissions = n; }
    // Acknowledgement wait in reads of 100 ms each.
    int timeout() const { return m_timeout; }
    int maxRetransmissions() const { return m_maxRetransmissions; }
    // While *flag is true, requests fail without further attempts and the
    // acknowledgement wait ends within one read (100 ms). Null: never.
    void setCancellation(const std::atomic<bool>* flag) { m_cancellation = flag; }
    // Requests sent so far, successful or not.
    int sequence() const { return m_sequence; }
    // Consecutive requests that failed after all their attempts.
    int errors() const { return m_errors; }
    // The last request failed without being executed by the board: the port
    // was closed, nothing was sent, or the board refused every attempt with a
    // NAK. A request that failed otherwise may have been executed by the
    // board with its answer lost on the line.
    bool lastRequestRefused() const { return m_lastRequestRefused; }
    // Some attempt of the last request went unanswered or came back spoiled
    // (not refused): the board may have executed it and answered into the
    // void, also when a later attempt succeeded.
    bool lastRequestLostAnAnswer() const { return m_answerLost; }

    // Sends request and waits for the answer, up to attempts times, waiting
    // timeout × 100 ms for the acknowledgement each time. When reply is given,
    // replyLength holds its capacity on entry and the length the board
    // announced on return; answer bytes beyond the capacity are checked but
    // not stored.
    bool sendCommand(const quint8* request, int length, int timeout, int attempts,
                     void* reply, int* replyLength);

    static quint8 identifier(int sequence) { return quint8(((sequence * 32) % 256) + 1); }

private:
    bool exchange(const quint8* request, int length, int timeout, quint8* reply,
                  int capacity, int* replyLength);
    bool writeRequest(const quint8* request, int length, quint8 id);
    bool awaitAcknowledgement(int timeout);
    bool cancelled() const { return m_cancellation && *m_cancellation; }

    int m_port = 0;
    int m_sequence = 0;
    int m_timeout = DEFAULT_TIMEOUT;
    int m_maxRetransmissions = DEFAULT_MAX_RETRANSMISSIONS;
    int m_errors = 0;
    bool m_nakReceived = false;
    bool m_lastRequestRefused = false;
    bool m_answerLost = false;
    const std::atomic<bool>* m_cancellation = nullptr;
};

} // namespace rkprotocol
