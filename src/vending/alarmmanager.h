#pragma once

#include "core/alarm.h"
#include "logging/notificationservice.h"
#include "settings/iconfigurable.h"

#include <QObject>

// The machine's alarm set. Every condition is reported to the manager as it
// stands (requested); an alarm the operator has not disabled in the settings
// group "Alarms" becomes active, is published when raised and when cleared,
// and is announced with the whole active set. A disabled (masked) alarm is
// never raised; masking an active one clears it without a notice and forgets
// its condition, so enabling it again raises it at the next report.
class AlarmManager : public QObject, public IConfigurable
{
    Q_OBJECT
public:
    explicit AlarmManager(VM24::NotificationService* notificationService, QObject* parent = nullptr);

    VM24::Alarms activeAlarms() const { return m_active; }
    VM24::Alarms requestedAlarms() const { return m_requested; }
    VM24::Alarms alarmMask() const { return m_mask; }
    bool isKeyInserted() const { return m_keyInserted; }

    void setAlarm(VM24::Alarm alarm);
    void clearAlarm(VM24::Alarm alarm);
    void setAlarm(VM24::Alarm alarm, bool on);
    void setAlarmMask(VM24::Alarms mask);

    void loadConfiguration(const Settings& settings) override;
    // The alarms the settings switch off.
    static VM24::Alarms readAlarmMask(const Settings& settings);

public slots:
    void onInputChanged(qint32 inputs);
    void onDeviceStatusesChanged(qint32 status);
    void onTouchscreenConnectedChanged(bool connected);
    void onScreenLocked();
    void onScreenUnlocked();
    void onBoardUnresponsive(bool unresponsive);

signals:
    void alarmsChanged(VM24::Alarms active);
    void alarmRaised(VM24::Alarm alarm);

private:
    VM24::NotificationService* m_notificationService;
    VM24::Alarms m_requested;
    VM24::Alarms m_active;
    VM24::Alarms m_mask;
    bool m_keyInserted = false;
};
