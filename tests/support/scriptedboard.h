#pragma once

#include "ptypeer.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QSet>

// A controller board played by a script over a pseudo-terminal: it answers
// every command letter with the state set by the test (inputs, status,
// presence, credit, versions, clock, ...), runs long commands for a given
// number of polls, and can turn silent, slow or rejecting on demand.
class ScriptedBoard
{
public:
    ScriptedBoard();

    QString devicePath() const { return m_peer.slavePath(); }
    PtyPeer& peer() { return m_peer; }

    void setInputs(int inputs);
    void setStatus(int status);
    void setPresence(qint64 mask);
    // The answer to the credit request, as sent.
    void setCreditAnswer(const QByteArray& answer);
    void setVersions(quint8 version1, quint8 version2, int serial);
    // Fixed answer data for a command letter, replacing the scripted one.
    void setAnswer(char code, const QByteArray& data);
    // Every long command started from now on reports "running" to this many
    // polls, then answers finalAnswer (status byte at index 1).
    void setLongCommandScript(int runningPolls, const QByteArray& finalAnswer);
    void setSilent(bool silent);
    // Rejects the next n frames with a NAK.
    void rejectNext(int n);
    // Holds back the answers to a command letter for ms milliseconds.
    void setDelay(char code, int ms);
    // Leaves every request of a command letter unanswered, the others not.
    void setUnanswered(char code, bool unanswered);
    // The fates of the next requests of a command letter, one character
    // each: 'x' unanswered, any other answered; then answered again.
    void setUnansweredPattern(char code, const QByteArray& pattern);

    QList<QByteArray> requests() const;
    // The requests other than the controller's polling of inputs, status and
    // product presence, which its reader thread sends at any moment.
    QList<QByteArray> commands() const;
    static bool isPolling(const QByteArray& request);
    // The command letters received, in order.
    QByteArray codes() const;
    int count(char code) const;

private:
    QByteArray respond(const PtyPeer::Frame& frame);
    QByteArray dataFor(char code);

    PtyPeer m_peer;
    mutable QMutex m_mutex;
    int m_inputs;
    int m_status;
    qint64 m_presence;
    QByteArray m_credit;
    QByteArray m_versions;
    QHash<char, QByteArray> m_fixed;
    QHash<char, int> m_delays;
    QSet<char> m_unanswered;
    QHash<char, QByteArray> m_unansweredPatterns;
    int m_runningPolls = 0;
    QByteArray m_finalAnswer;
    int m_pollsLeft = -1; // -1: nothing running
    bool m_silent = false;
    int m_rejections = 0;
};
