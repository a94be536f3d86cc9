#include "logging/powermanagementnotification.h"

#include <QCoreApplication>

namespace VM24 {

namespace {
const char* const STORED_NAMES[] = {"PowerOn", "Restart", "Reboot", "Shutdown", "EmergencyShutdown"};
const char* const LABELS[] = {
    QT_TRANSLATE_NOOP("PowerEvent", "Accensione"),
    QT_TRANSLATE_NOOP("PowerEvent", "Riavvio"),
    QT_TRANSLATE_NOOP("PowerEvent", "Reboot"),
    QT_TRANSLATE_NOOP("PowerEvent", "Spegnimento"),
    QT_TRANSLATE_NOOP("PowerEvent", "Spegnimento per funzionamento a batteria"),
};

bool isKnown(PowerManagementNotification::Event event)
{
    return event >= 0 && event < PowerManagementNotification::EVENT_COUNT;
}
} // namespace

QString PowerManagementNotification::readableEvent(Event event)
{
    return isKnown(event) ? QCoreApplication::translate("PowerEvent", LABELS[event]) : QString();
}

QString PowerManagementNotification::storedName(Event event)
{
    return isKnown(event) ? QLatin1String(STORED_NAMES[event]) : QString();
}

int PowerManagementNotification::eventFromStoredName(const QString& name)
{
    for (int i = 0; i < EVENT_COUNT; ++i) {
        if (name == QLatin1String(STORED_NAMES[i]))
            return i;
    }
    return -1;
}

} // namespace VM24
