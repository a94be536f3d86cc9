#include "tasks/compilelogtask.h"

#include "core/durablefile.h"
#include "core/vm24.h"
#include "tasks/taskslog.h"

#include <QDir>

CompileLogTask::CompileLogTask(const QString& directory, int serial, const VM24::ProductNames& productNames,
                               const std::optional<AuditSources>& audit)
    : m_directory(directory)
    , m_serial(serial)
    , m_productNames(productNames)
    , m_audit(audit)
{
    setAutoDelete(true);
}

void CompileLogTask::run()
{
    const QDateTime now = QDateTime::currentDateTime();
    compile(m_directory, m_serial, m_productNames, now);
    if (m_audit)
        compileAudit(m_directory, m_serial, *m_audit, now);
}

QString CompileLogTask::compile(const QString& directory, int serial, const VM24::ProductNames& productNames,
                                const QDateTime& now, int days)
{
    const QString path = QStringLiteral("%1/VM24Log_%3_%2.xml")
                             .arg(directory, VM24::format_rk_date(now), VM24::format_serial(serial));
    QDir().mkpath(directory);
    const bool written = VM24::write_file_durably(path, [&](QIODevice* device) {
        return VM24::export_log_talvio_format(device, now, serial, productNames, days);
    });
    if (!written) {
        qCWarning(tasksLog) << "Cannot write the day's log" << path;
        return QString();
    }
    return path;
}

QString CompileLogTask::compileAudit(const QString& directory, int serial, const AuditSources& audit,
                                     const QDateTime& now)
{
    const QString path = QStringLiteral("%1/EVADTS_%2_%3.txt")
                             .arg(directory, VM24::format_serial(serial), now.toString(QStringLiteral("yyyyMMdd")));
    QDir().mkpath(directory);
    const EvaDtsReport report = VM24::gather_eva_dts_report(audit.ledger, audit.selections, audit.controller, serial, now);
    if (!VM24::write_file_durably(path, report.text())) {
        qCWarning(tasksLog) << "Cannot write the day's audit file" << path;
        return QString();
    }
    return path;
}
