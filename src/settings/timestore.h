#pragma once

#include <QDateTime>
#include <QString>

// Named times in an INI file of their own, kept through a power cut: when
// each scheduled task last ran.
class TimeStore
{
public:
    explicit TimeStore(const QString& path);

    // Invalid when the name has no time.
    QDateTime time(const QString& name) const;
    bool setTime(const QString& name, const QDateTime& time);

private:
    QString m_path;
};
