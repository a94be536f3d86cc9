#pragma once

#include "logging/talviologexporter.h"

#include <QDateTime>
#include <QRunnable>
#include <QString>

// The worker of DailyLogCompiler: exports the last day of the event log to
// a temporary file, makes it durable and renames it into place.
class CompileLogTask : public QRunnable
{
public:
    CompileLogTask(const QString& directory, int serial, const VM24::ProductNames& productNames);
    void run() override;

    // Writes the file for the time now; returns its path, or an empty
    // string when it could not be written (nothing is left behind then).
    static QString compile(const QString& directory, int serial, const VM24::ProductNames& productNames,
                           const QDateTime& now, int days = 1);

private:
    QString m_directory;
    int m_serial;
    VM24::ProductNames m_productNames;
};
