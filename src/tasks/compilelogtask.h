#pragma once

#include "accounting/evadtscollector.h"
#include "accounting/ledger.h"
#include "logging/talviologexporter.h"

#include <QDateTime>
#include <QRunnable>
#include <QString>

#include <optional>

class Rk710Controller;

// The worker of DailyLogCompiler: exports the last day of the event log to
// a temporary file, makes it durable and renames it into place; with the
// audit's sources, the audit file of the books goes with it the same way.
class CompileLogTask : public QRunnable
{
public:
    // Copies of the books and selections taken in the GUI thread.
    struct AuditSources
    {
        Ledger ledger;
        VM24::EvaDtsSelections selections;
        Rk710Controller* controller = nullptr;
    };

    CompileLogTask(const QString& directory, int serial, const VM24::ProductNames& productNames,
                   const std::optional<AuditSources>& audit = std::nullopt);
    void run() override;

    // Writes the file for the time now; returns its path, or an empty
    // string when it could not be written (nothing is left behind then).
    static QString compile(const QString& directory, int serial, const VM24::ProductNames& productNames,
                           const QDateTime& now, int days = 1);
    // Writes "EVADTS_<serial>_<yyyyMMdd>.txt"; returns its path, or an
    // empty string when it could not be written.
    static QString compileAudit(const QString& directory, int serial, const AuditSources& audit,
                                const QDateTime& now);

private:
    QString m_directory;
    int m_serial;
    VM24::ProductNames m_productNames;
    std::optional<AuditSources> m_audit;
};
