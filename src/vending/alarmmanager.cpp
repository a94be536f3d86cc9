#include "vending/alarmmanager.h"

#include "board/boardstatus.h"
#include "board/inputmask.h"
#include "core/vm24.h"
#include "logging/alarmactivenotification.h"
#include "logging/alarmnotification.h"
#include "settings/settings.h"
#include "vending/vendinglog.h"


AlarmManager::AlarmManager(VM24::NotificationService* notificationService, QObject* parent)
    : QObject(parent)
    , m_notificationService(notificationService)
{
}

void AlarmManager::setAlarm(VM24::Alarm alarm)
{
    m_requested |= alarm;
    if (m_active.testFlag(alarm) || m_mask.testFlag(alarm))
        return;
    m_active |= alarm;
    m_notificationService->notify(std::make_unique<VM24::AlarmNotification>(alarm, false));
    qCDebug(vendingLog) << "alarms" << int(m_active);
    emit alarmRaised(alarm);
    emit alarmsChanged(m_active);
}

void AlarmManager::clearAlarm(VM24::Alarm alarm)
{
    m_requested &= ~VM24::Alarms(alarm);
    if (!m_active.testFlag(alarm))
        return;
    if (!m_mask.testFlag(alarm))
        m_notificationService->notify(std::make_unique<VM24::AlarmNotification>(alarm, true));
    m_active &= ~VM24::Alarms(alarm);
    qCDebug(vendingLog) << "alarms" << int(m_active);
    emit alarmsChanged(m_active);
}

void AlarmManager::setAlarm(VM24::Alarm alarm, bool on)
{
    if (on)
        setAlarm(alarm);
    else
        clearAlarm(alarm);
}

void AlarmManager::setAlarmMask(VM24::Alarms mask)
{
    if (mask == m_mask)
        return;
    m_mask = mask;
    for (int flag : VM24::ALARM_FLAGS) {
        const auto alarm = VM24::Alarm(flag);
        if (m_requested.testFlag(alarm))
            setAlarm(alarm, !m_mask.testFlag(alarm));
    }
}

VM24::Alarms AlarmManager::readAlarmMask(const Settings& settings)
{
    VM24::Alarms mask;
    for (int flag : VM24::ALARM_FLAGS) {
        const auto alarm = VM24::Alarm(flag);
        if (!settings.value(Settings::alarmSwitch(alarm)))
            mask |= alarm;
    }
    return mask;
}

void AlarmManager::loadConfiguration(const Settings& settings)
{
    setAlarmMask(readAlarmMask(settings));
}

void AlarmManager::onInputChanged(qint32 inputs)
{
    setAlarm(VM24::BatteryPowerAlarm, !(inputs & InputMask::MainsPower));
    const bool doorOpen = !(inputs & InputMask::FrontDoorClosed) || !(inputs & InputMask::BackDoorClosed);
    const bool key = inputs & InputMask::AlarmKey;
    if (key != m_keyInserted) {
        m_keyInserted = key;
        // The anti-tamper alarm is armed while the key is out.
        m_notificationService->notify(std::make_unique<VM24::AlarmActiveNotification>(!key));
    }
    setAlarm(VM24::TamperAlarm, doorOpen && !key);
}

void AlarmManager::onDeviceStatusesChanged(qint32 status)
{
    setAlarm(VM24::CannotAcceptMoneyAlarm, !(status & BoardStatus::PAYMENT_DEVICES));
}

void AlarmManager::onTouchscreenConnectedChanged(bool connected)
{
    setAlarm(VM24::TouchscreenDisconnectedAlarm, !connected);
}

void AlarmManager::onScreenLocked()
{
    setAlarm(VM24::TouchscreenLockedAlarm);
}

void AlarmManager::onScreenUnlocked()
{
    clearAlarm(VM24::TouchscreenLockedAlarm);
}

void AlarmManager::onBoardUnresponsive(bool unresponsive)
{
    setAlarm(VM24::BoardUnresponsiveAlarm, unresponsive);
}
