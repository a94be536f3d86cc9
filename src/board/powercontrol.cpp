#include "board/powercontrol.h"

#include "board/shutdownsystemcall.h"

#include <QCoreApplication>

#include <algorithm>

PowerControl::PowerControl(QObject* parent)
    : QObject(parent)
{
    m_batteryTimer.setSingleShot(true);
    m_batteryTimer.setTimerType(Qt::PreciseTimer);
    setBatteryThreshold(MIN_BATTERY_THRESHOLD_MS);
    connect(&m_batteryTimer, &QTimer::timeout, this, &PowerControl::setThresholdExceeded);
}

void PowerControl::setBatteryThreshold(int ms)
{
    m_batteryTimer.setInterval(std::max(ms, int(MIN_BATTERY_THRESHOLD_MS)));
}

void PowerControl::onAlarmsChanged(VM24::Alarms alarms)
{
    const bool onBattery = alarms.testFlag(VM24::BatteryPowerAlarm);
    if (m_thresholdExceeded) {
        if (!onBattery)
            m_thresholdExceeded = false;
        return;
    }
    if (!onBattery)
        m_batteryTimer.stop();
    else if (!m_batteryTimer.isActive())
        m_batteryTimer.start();
}

void PowerControl::setEnabled(bool enabled)
{
    m_enabled = enabled;
    checkQuitCondition();
}

void PowerControl::doAction(PowerControl::Action action)
{
    m_action = action;
    checkQuitCondition();
}

void PowerControl::setThresholdExceeded()
{
    m_thresholdExceeded = true;
    checkQuitCondition();
}

void PowerControl::checkQuitCondition()
{
    if (!m_enabled)
        return;
    ShutdownSystemCall& shutdown = ShutdownSystemCall::instance();
    if (m_thresholdExceeded) {
        m_action = EmergencyShutdown;
        shutdown.setMode(ShutdownSystemCall::PowerOff);
        quit();
        return;
    }
    switch (m_action) {
    case None:
        return;
    case Restart:
        shutdown.setMode(ShutdownSystemCall::None);
        break;
    case Reboot:
        shutdown.setMode(ShutdownSystemCall::Reboot);
        break;
    case Shutdown:
    case EmergencyShutdown:
        shutdown.setMode(ShutdownSystemCall::PowerOff);
        break;
    default:
        shutdown.setMode(ShutdownSystemCall::None);
        break;
    }
    quit();
}

void PowerControl::quit()
{
    if (m_quitRequested)
        return;
    m_quitRequested = true;
    emit quitRequested(m_action);
    QCoreApplication::quit();
}
