#pragma once

#include "core/alarm.h"

#include <QObject>
#include <QTimer>

// Decides when the program ends and what the system does afterwards.
//
// A restart, reboot or shutdown asked with doAction() is carried out at once
// while the control is enabled; while it is disabled (a vending session, a
// download, an update or export is running) it waits and is carried out when
// the control is enabled again. Running on battery for the whole threshold
// (milliseconds, at least 1000, set from the settings by whoever composes
// the control) ends the program with an emergency shutdown, whatever action
// was asked before.
class PowerControl : public QObject
{
    Q_OBJECT
public:
    enum Action : int { None = 0, Restart = 1, Reboot = 2, Shutdown = 3, EmergencyShutdown = 4 };
    Q_ENUM(Action)

    static const int MIN_BATTERY_THRESHOLD_MS = 1000;

    // The battery threshold is the minimum until it is set.
    explicit PowerControl(QObject* parent = nullptr);

    // Applies to the next count on battery.
    void setBatteryThreshold(int ms);

    Action action() const { return m_action; }
    bool isEnabled() const { return m_enabled; }
    bool isThresholdExceeded() const { return m_thresholdExceeded; }
    int batteryThreshold() const { return m_batteryTimer.interval(); }
    bool isOnBatteryCountdown() const { return m_batteryTimer.isActive(); }

public slots:
    void onAlarmsChanged(VM24::Alarms alarms);
    void setEnabled(bool enabled);
    void doAction(PowerControl::Action action);
    void setThresholdExceeded();

signals:
    // Emitted once, just before the application is told to quit.
    void quitRequested(PowerControl::Action action);

private:
    void checkQuitCondition();
    void quit();

    QTimer m_batteryTimer;
    Action m_action = None;
    bool m_thresholdExceeded = false;
    bool m_enabled = true;
    bool m_quitRequested = false;
};
