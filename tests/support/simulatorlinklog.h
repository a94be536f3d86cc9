#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The simulator's request log read back frame by frame: which request
// frames reached the board and what became of each answer, so that a test
// can tell which requests a line fault hit.
struct LoggedFrame
{
    enum Fate {
        Answered, // the answer went out on the line
        Dropped,  // executed (or answered again), the answer withheld
        Refused,  // answered with a NAK, not executed
        Ignored,  // the board was silent
    };

    char code = 0;      // the command letter
    QByteArray request; // the request data, from the command letter on, without framing
    Fate fate = Answered;
    QByteArray answer;  // the answer data, sent or withheld, without framing
};

// From byte offset `from` of the log on (0: the whole log).
QList<LoggedFrame> read_simulator_link_log(const QString& requestLogPath, qint64 from = 0);

// The request data of every frame, in order.
QList<QByteArray> request_data(const QList<LoggedFrame>& frames);

// The command letters of frames[from...] that met the given fate, in order.
QByteArray codes_with_fate(const QList<LoggedFrame>& frames, int from, LoggedFrame::Fate fate);
