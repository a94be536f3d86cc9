#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QString>

namespace rk710sim {

// Line faults the simulated board can be told to make: refusing requests
// (NAK), answering with a wrong checksum, not answering after executing,
// answering late, sending stray bytes before an answer, and going silent.
// NAK, corruption and drops hit either the next N frames or at random with a
// rate; the random choices come from a seeded generator, so a run with the
// same seed and the same traffic makes the same faults.
class FaultInjector
{
public:
    enum Kind { Nak, Corrupt, Drop, KindCount };

    explicit FaultInjector(quint32 seed = 1);

    static bool kindFromName(const QString& name, Kind* kind);

    void setRate(Kind kind, double rate);
    void setNext(Kind kind, int count);
    void off(Kind kind);
    // Decides whether this frame suffers the fault.
    bool hit(Kind kind);
    // The next count answers that report an operation's end (the first
    // report and its retransmissions) are not sent.
    void setEndDrops(int count) { m_endDrops = qMax(0, count); }
    bool hitEndReport();

    int delayMs() const { return m_delayMs; }
    void setDelayMs(int ms) { m_delayMs = qMax(0, ms); }
    int strayBytes() const { return m_strayBytes; }
    void setStrayBytes(int count) { m_strayBytes = qMax(0, count); }
    // Silent for ms milliseconds, or until further notice with -1; 0 speaks.
    void setSilent(int ms);
    bool silent() const;

    // Random bytes; with avoidHandshake no ACK or NAK byte among them, so a
    // reader waiting for an acknowledgement skips them.
    QByteArray noise(int count, bool avoidHandshake);

    void clear();
    QJsonObject toJson() const;

private:
    struct Setting
    {
        double rate = 0.0;
        int next = 0;
    };

    QRandomGenerator m_random;
    Setting m_settings[KindCount];
    int m_delayMs = 0;
    int m_strayBytes = 0;
    int m_endDrops = 0;
    bool m_silentForever = false;
    qint64 m_silentUntilMs = 0;
    QElapsedTimer m_clock;
};

} // namespace rk710sim
