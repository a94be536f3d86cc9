#pragma once

#include "rk710simprocess.h"
#include "wireprobe.h"

#include <QJsonObject>
#include <QStringList>

#include <memory>

// One simulator and a host end on its line, with the few reads every test of
// the simulator needs.
class SimulatorBench
{
public:
    bool start(const QJsonObject& state = QJsonObject(), const QStringList& arguments = QStringList());

    Rk710SimProcess& sim() { return *m_sim; }
    WireProbe& wire() { return *m_wire; }

    // The answer data of a request; a null array unless it was answered.
    QByteArray ask(const QByteArray& request);
    // Polls "N" until the running operation ends; returns its last answer.
    QByteArray awaitOperation();
    // Starts a long command and waits for its end.
    QByteArray run(const QByteArray& request);

    QJsonObject state() const { return m_sim->state(); }
    int stock(int column) const;
    int linkCount(const char* key) const;

    static int word(const QByteArray& data, int offset);
    static qint32 integer(const QByteArray& data, int offset);

    // Motors and pay-outs quick enough for tests.
    static QJsonObject fastTimings();

private:
    std::unique_ptr<Rk710SimProcess> m_sim;
    std::unique_ptr<WireProbe> m_wire;
};
