#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <thread>

// The far end of a pseudo-terminal, standing in for the controller board.
// The program under test opens slavePath() like a serial device; the peer
// reads the request frames it writes (0x23, identifier, length, data,
// checksum) on a thread of its own and writes back whatever the responder
// returns for each frame (nothing: no answer). Every frame is recorded.
class PtyPeer
{
public:
    struct Frame
    {
        quint8 identifier = 0;
        QByteArray data;
        bool checksumOk = false;
        QByteArray raw;
        qint64 receivedAtMs = 0; // since the peer was created
    };
    using Responder = std::function<QByteArray(const Frame&)>;

    PtyPeer();
    ~PtyPeer();

    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // The responder runs on the peer's thread. Set it before the first frame.
    void setResponder(Responder responder);
    void start();
    void stop();

    // Writes bytes to the program unasked.
    void inject(const QByteArray& bytes);

    QList<Frame> frames() const;
    int frameCount() const;
    // Every byte received, frames and anything between them.
    QByteArray received() const;
    bool waitForFrames(int count, int timeoutMs) const;
    void clearRecords();

    // An acknowledged answer echoing identifier and carrying data.
    static QByteArray answer(quint8 identifier, const QByteArray& data);
    static QByteArray request(quint8 identifier, const QByteArray& data);
    static quint8 checksum(const QByteArray& bytes);
    static const char NAK = 0x15;

private:
    void run();
    void parseFrames();

    QElapsedTimer m_clock;
    int m_master = -1;
    int m_slaveKeeper = -1;
    QString m_slavePath;
    Responder m_responder;
    std::thread m_thread;
    std::atomic<bool> m_running{false};

    mutable QMutex m_mutex;
    mutable QWaitCondition m_frameArrived;
    QByteArray m_pending;
    QByteArray m_received;
    QList<Frame> m_frames;
};
