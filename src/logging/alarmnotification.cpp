#include "logging/alarmnotification.h"

namespace VM24 {

namespace {
// Telemetry ids: tamper has its own, the other operating alarms share the
// "machine out of order" id, anything else is unknown to the service.
const int TELEMETRY_TAMPER = 0;
const int TELEMETRY_OUT_OF_ORDER = 12;
const int TELEMETRY_UNKNOWN = -1;
} // namespace

int AlarmNotification::id() const
{
    switch (m_alarm) {
    case TamperAlarm:
        return TELEMETRY_TAMPER;
    case BatteryPowerAlarm:
    case ProductsNotAvailableAlarm:
    case CannotAcceptMoneyAlarm:
    case TouchscreenLockedAlarm:
    case TouchscreenDisconnectedAlarm:
        return TELEMETRY_OUT_OF_ORDER;
    default:
        return TELEMETRY_UNKNOWN;
    }
}

QString AlarmNotification::description() const
{
    return alarm_string(m_alarm);
}

} // namespace VM24
