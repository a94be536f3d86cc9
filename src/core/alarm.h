#pragma once

#include <QFlags>
#include <QMetaType>
#include <QString>
#include <QStringList>

namespace VM24 {

// The machine's alarms, one bit each (see VM24::ALARM_FLAGS for the seven in order).
enum Alarm : int {
    TamperAlarm = 1,
    BatteryPowerAlarm = 2,
    ProductsNotAvailableAlarm = 4,
    CannotAcceptMoneyAlarm = 8,
    TouchscreenLockedAlarm = 16,
    TouchscreenDisconnectedAlarm = 32,
    BoardUnresponsiveAlarm = 64,
};
Q_DECLARE_FLAGS(Alarms, Alarm)

// The key of an alarm in the settings ("tamper", ...); empty for an unknown value.
QString alarm_code(Alarm alarm);
// The operator's label of an alarm; empty for an unknown value.
QString alarm_string(Alarm alarm);
// The labels of the alarms in the set, in ascending flag order.
QStringList alarm_strings(Alarms alarms);

} // namespace VM24

Q_DECLARE_OPERATORS_FOR_FLAGS(VM24::Alarms)
Q_DECLARE_METATYPE(VM24::Alarm)
Q_DECLARE_METATYPE(VM24::Alarms)
