#pragma once

#include "boardcommands.h"
#include "framecodec.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QObject>

class QSocketNotifier;

namespace rk710sim {

class FaultInjector;
class Machine;
class PseudoTerminal;

// The board's end of the serial line: reads request frames off the
// pseudo-terminal, has them executed and answers them, with the configured
// faults. A frame that repeats the previous one (same identifier, same data)
// within the retransmission window is a retransmission by a host that missed
// the answer: it gets the answer again and is not executed a second time.
class BoardLink : public QObject
{
    Q_OBJECT

public:
    BoardLink(PseudoTerminal* line, Machine* machine, FaultInjector* faults, QObject* parent = nullptr);

    // One line per frame received or answered: milliseconds since start,
    // direction and bytes in hex, and a note after '#'. Once the file holds
    // limitBytes (0: no limit) it becomes <path>.1, replacing an earlier
    // one, and a new file starts: a run of months keeps at most twice that.
    bool setRequestLog(const QString& path, qint64 limitBytes = 0);
    // Stray bytes on the line right now, as interference would put them.
    void sendNoise(int count);
    QJsonObject statistics() const;

private slots:
    void onReadable();
    void forgetLastRequest();

private:
    void handleFrame(const FrameCodec::Frame& frame);
    bool isRetransmission(const FrameCodec::Frame& frame) const;
    void answer(const FrameCodec::Frame& frame, const QByteArray& answerData);
    static bool reportsAnEnd(const FrameCodec::Frame& frame, const QByteArray& answerData);
    void transmit(const QByteArray& bytes, const QString& note);
    void log(const char* direction, const QByteArray& bytes, const QString& note = QString());
    void rotateLog();

    PseudoTerminal* m_line;
    Machine* m_machine;
    FaultInjector* m_faults;
    BoardCommands m_commands;
    FrameCodec m_codec;
    QSocketNotifier* m_notifier;
    QElapsedTimer m_clock;
    QFile m_log;
    qint64 m_logLimit = 0;

    struct LastRequest
    {
        bool valid = false;
        quint8 identifier = 0;
        QByteArray data;
        QByteArray answer;
        qint64 atMs = 0;
    } m_last;

    struct Statistics
    {
        int frames = 0;
        int executed = 0;
        int retransmissions = 0;
        int naks = 0;
        int badFrames = 0;
        int dropped = 0;
        int corrupted = 0;
        int ignored = 0;
        qint64 skippedBytes = 0;
    } m_stats;
};

} // namespace rk710sim
