#include "tasks/mailertask.h"

#include "core/mailserver.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "tasks/taskslog.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

MailerTask::MailerTask(const QString& monitoredDir, const QString& archiveDir, QObject* parent)
    : SpoolSender(monitoredDir, archiveDir, parent)
{
}

void MailerTask::loadConfiguration(const Settings& settings)
{
    setEnabled(settings.value(Settings::EnableNotifications));
    m_serial = settings.value(Settings::Serial);
    m_recipients = parseRecipients(settings.value(Settings::AlarmsEmail));
}

QStringList MailerTask::parseRecipients(const QString& text)
{
    QStringList recipients;
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("[;,]")))) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            recipients.append(trimmed);
    }
    return recipients;
}

bool MailerTask::ready() const
{
    return isEnabled() && !m_recipients.isEmpty();
}

QStringList MailerTask::curlArguments() const
{
    QStringList arguments{QStringLiteral("-T"), QStringLiteral("-"), QStringLiteral("--mail-from"),
                          VM24::mail_from()};
    for (const QString& recipient : m_recipients)
        arguments << QStringLiteral("--mail-rcpt") << recipient;
    arguments << QStringLiteral("--silent") << VM24::mail_server();
    return arguments;
}

QString MailerTask::dateHeader(const QDateTime& time)
{
    const int offset = time.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    return QStringLiteral("%1 %2%3%4")
        .arg(QLocale::c().toString(time, QStringLiteral("ddd, dd MMM yyyy hh:mm")), offset >= 0 ? "+" : "-")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QByteArray MailerTask::message(const QString& fileName, const QByteArray& content, const QDateTime& now) const
{
    const bool html = fileName.endsWith(QLatin1String(".html"));
    const QStringList headers{
        QStringLiteral("From: ") + VM24::mail_from(),
        QStringLiteral("To: ") + m_recipients.join(QLatin1String("; ")),
        QStringLiteral("Subject: VM24 %1 alarm event").arg(VM24::format_serial(m_serial)),
        QStringLiteral("Date: ") + dateHeader(now),
        QStringLiteral("MIME-Version: 1.0"),
        QStringLiteral("Content-type: %1; charset=utf-8").arg(html ? "text/html" : "text/plain"),
    };
    QByteArray message;
    message.reserve(content.size() + 512);
    for (const QString& header : headers)
        message += header.toUtf8() + "\r\n";
    message += "\r\n";
    message += mailableText(content);
    return message;
}

QByteArray MailerTask::mailableText(const QByteArray& content)
{
    QString text = QString::fromUtf8(content);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\n'; });
    QByteArray mailable;
    mailable.reserve(content.size() + content.size() / 32);
    // At most four bytes a character: every piece of a long line fits.
    const int piece = MAX_LINE_BYTES / 4;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (i > 0)
            mailable += "\r\n";
        const QByteArray bytes = line.toUtf8();
        if (bytes.size() <= MAX_LINE_BYTES) {
            mailable += bytes;
            continue;
        }
        for (int start = 0; start < line.size(); start += piece)
            mailable += (start > 0 ? QByteArray("\r\n") : QByteArray()) + line.mid(start, piece).toUtf8();
    }
    return mailable;
}

void MailerTask::doWork()
{
    if (!ready()) {
        endBatch();
        return;
    }
    const QString path = firstPendingPath();
    QFile file(path);
    if (file.size() > MAX_MESSAGE_BYTES || !file.open(QIODevice::ReadOnly)) {
        qCWarning(tasksLog) << "Not mailed (too large or unreadable):" << path;
        workFinished();
        return;
    }
    startTransfer(curlArguments(), message(file.fileName(), file.readAll(), currentDateTime()));
}
