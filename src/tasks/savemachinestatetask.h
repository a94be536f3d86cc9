#pragma once

#include "accounting/accounting.h"

#include <QString>
#include <QStringList>

class AccountingCounters;
class QXmlStreamWriter;
class Rk710Controller;

// Writes the daily machine-state file from a copy of the day's totals and
// the board's daily counters, then starts a new day on the board. The file
// reaches the storage medium before the board's counters are reset, and
// they are reset only when the file was written. Runs on a worker: the
// board's answers take their time.
class SaveMachineStateTask
{
public:
    SaveMachineStateTask(const Accounting& day, const QStringList& productNames, Rk710Controller* controller,
                         const QString& directory, int serial);
    // Whether the file was written.
    bool run() const;

    // "<directory>/VM24Data_<serial>_<yyyyMMdd_hhmmss>.xml"
    static QString filePath(const QString& directory, int serial, const QDateTime& time);

private:
    bool writeFile(const QString& path, const QDateTime& now, const AccountingCounters& counters) const;
    QByteArray document(const QDateTime& now, const AccountingCounters& counters) const;
    void writeRoot(QXmlStreamWriter& writer, const QDateTime& now, const AccountingCounters& counters) const;

    Accounting m_day;
    QStringList m_productNames;
    Rk710Controller* m_controller;
    QString m_directory;
    int m_serial;
};
