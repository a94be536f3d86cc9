#include "maintenance/supportmail.h"

#include "core/vm24.h"
#include "maintenance/maintenancelog.h"

#include <QDateTime>
#include <QProcess>

namespace VM24 {

namespace {
const int MAIL_TIMEOUT_MS = 120000;
}

int send_support_mail(const QString& recipient, int serial)
{
    const QString sender = QLatin1String(SUPPORT_MAIL_SENDER);
    const QStringList arguments{QStringLiteral("-"),
                                sender,
                                recipient,
                                QLatin1String(SUPPORT_MAIL_SERVER),
                                sender,
                                QStringLiteral("-S"),
                                QStringLiteral("VM24 %1 - Richiesta assistenza").arg(format_serial(serial)),
                                QStringLiteral("-q"),
                                QStringLiteral("-s"),
                                QStringLiteral("plain")};
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(get_path(QLatin1String(MAIL_SCRIPT)), arguments);
    if (!process.waitForStarted()) {
        qCWarning(maintenanceLog) << "cannot start the mail script";
        return -1;
    }
    process.write(format_serial(serial).toUtf8() + ' ' + format_rk_date(QDateTime::currentDateTime()).toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(MAIL_TIMEOUT_MS)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace VM24
