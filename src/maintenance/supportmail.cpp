#include "maintenance/supportmail.h"

#include "core/childprocess.h"
#include "core/mailserver.h"
#include "core/vm24.h"
#include "maintenance/maintenancelog.h"

#include <QDateTime>

namespace VM24 {

namespace {
const int MAIL_TIMEOUT_MS = 120000;
}

int send_support_mail(const QString& recipient, int serial)
{
    const QString sender = mail_from();
    const QStringList arguments{QStringLiteral("-"),
                                sender,
                                recipient,
                                mail_server(),
                                sender,
                                QStringLiteral("-S"),
                                QStringLiteral("VM24 %1 - Richiesta assistenza").arg(format_serial(serial)),
                                QStringLiteral("-q"),
                                QStringLiteral("-s"),
                                QStringLiteral("plain")};
    const QByteArray input =
        format_serial(serial).toUtf8() + ' ' + format_rk_date(QDateTime::currentDateTime()).toUtf8();
    const int code = run_child_process(get_path(QLatin1String(MAIL_SCRIPT)), arguments, MAIL_TIMEOUT_MS, nullptr, &input);
    if (code != 0)
        qCWarning(maintenanceLog) << "the mail script ended with" << code;
    return code;
}

} // namespace VM24
