#pragma once

#include "tasks/spoolsender.h"

#include <QStringList>

// E-mails each file of the mailbox directory to the alarm recipients
// through the mail service (mail_server(), from mail_from()) with curl.
// Idle while notifications are disabled or there is no recipient.
class MailerTask : public SpoolSender
{
    Q_OBJECT

public:
    // Larger files are no alarm texts: they stay for the garbage collector
    // and the batch goes on without them.
    static const qint64 MAX_MESSAGE_BYTES = 1024 * 1024;
    // Longer lines are refused by mail servers (RFC 5321 allows 998).
    static const int MAX_LINE_BYTES = 990;

    MailerTask(const QString& monitoredDir, const QString& archiveDir, QObject* parent = nullptr);

    void loadConfiguration(const Settings& settings) override;

    QStringList recipients() const { return m_recipients; }
    int serial() const { return m_serial; }

    // Split at every ";" or ",", trimmed, empty parts dropped.
    static QStringList parseRecipients(const QString& text);
    // curl's arguments for one message.
    QStringList curlArguments() const;
    // The header lines and the file's content as curl sends them.
    QByteArray message(const QString& fileName, const QByteArray& content, const QDateTime& now) const;
    // The file's bytes as UTF-8 text: invalid sequences become U+FFFD and
    // control characters other than tabs and line ends are dropped and
    // over-long lines are broken, so that no server refuses a message for a
    // damaged file. Text files (all that
    // the program writes there) pass unchanged.
    static QByteArray mailableText(const QByteArray& content);
    // "Tue, 01 Mar 2016 14:05 +0100"
    static QString dateHeader(const QDateTime& time);

protected:
    bool ready() const override;
    void doWork() override;

private:
    QStringList m_recipients;
    int m_serial = 0;
};
