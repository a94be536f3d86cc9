#pragma once

#include "core/alarm.h"

#include <QObject>
#include <QTimer>

class Rk710Controller;

// Sounds the siren while the tamper alarm is active, for at most ten minutes
// at a time: after the cap it stays quiet until the alarms change again with
// tamper still active.
class SirenControl : public QObject
{
    Q_OBJECT
public:
    static const int DEFAULT_CAP_MS = 600000;

    explicit SirenControl(Rk710Controller* controller, QObject* parent = nullptr, int capMs = DEFAULT_CAP_MS);

    bool isSounding() const { return m_timer.isActive(); }
    int cap() const { return m_timer.interval(); }

public slots:
    void onAlarmsChanged(VM24::Alarms alarms);

private:
    void switchSiren(bool on);

    Rk710Controller* m_controller;
    QTimer m_timer;
};
