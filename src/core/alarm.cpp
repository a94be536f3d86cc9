#include "core/alarm.h"

#include "core/vm24.h"

#include <QCoreApplication>

namespace VM24 {

namespace {

struct AlarmText
{
    Alarm alarm;
    const char* code;
    const char* label;
};

const AlarmText ALARM_TEXTS[] = {
    {TamperAlarm, "tamper", QT_TRANSLATE_NOOP("Alarms", "Macchina manomessa")},
    {BatteryPowerAlarm, "battery-power", QT_TRANSLATE_NOOP("Alarms", "Funzionamento a batteria")},
    {ProductsNotAvailableAlarm, "products-not-available", QT_TRANSLATE_NOOP("Alarms", "Prodotti non disponibili")},
    {CannotAcceptMoneyAlarm, "cannot-accept-money", QT_TRANSLATE_NOOP("Alarms", "Impossibile immettere credito")},
    {TouchscreenLockedAlarm, "touchscreen-locked", QT_TRANSLATE_NOOP("Alarms", "Schermo bloccato")},
    {TouchscreenDisconnectedAlarm, "touchscreen-disconnected", QT_TRANSLATE_NOOP("Alarms", "Touchscreen non collegato")},
    {BoardUnresponsiveAlarm, "board-unresponsive", QT_TRANSLATE_NOOP("Alarms", "Scheda di controllo in errore")},
};

const AlarmText* find_alarm_text(Alarm alarm)
{
    for (const AlarmText& text : ALARM_TEXTS) {
        if (text.alarm == alarm)
            return &text;
    }
    return nullptr;
}

} // namespace

QString alarm_code(Alarm alarm)
{
    const AlarmText* text = find_alarm_text(alarm);
    return text ? QLatin1String(text->code) : QString();
}

QString alarm_string(Alarm alarm)
{
    const AlarmText* text = find_alarm_text(alarm);
    return text ? QCoreApplication::translate("Alarms", text->label) : QString();
}

QStringList alarm_strings(Alarms alarms)
{
    QStringList labels;
    for (int flag : ALARM_FLAGS) {
        if (alarms.testFlag(static_cast<Alarm>(flag)))
            labels.append(alarm_string(static_cast<Alarm>(flag)));
    }
    return labels;
}

} // namespace VM24
