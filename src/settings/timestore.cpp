#include "settings/timestore.h"

#include "core/durablefile.h"
#include "settings/settingslog.h"

#include <QSettings>

TimeStore::TimeStore(const QString& path)
    : m_path(path)
{
}

QDateTime TimeStore::time(const QString& name) const
{
    const QSettings store(m_path, QSettings::IniFormat);
    const QVariant value = store.value(name);
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime();
    // A hand-edited store may hold the time as ISO text.
    return QDateTime::fromString(value.toString(), Qt::ISODate);
}

bool TimeStore::setTime(const QString& name, const QDateTime& time)
{
    QSettings store(m_path, QSettings::IniFormat);
    store.setValue(name, time);
    store.sync();
    if (store.status() != QSettings::NoError) {
        qCWarning(settingsLog) << "Cannot write" << m_path;
        return false;
    }
    return VM24::sync_file_durably(m_path);
}
