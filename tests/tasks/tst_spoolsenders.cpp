#include "core/vm24.h"
#include "loopbackservers.h"
#include "maintenance/supportmail.h"
#include "settableclock.h"
#include "settings/settings.h"
#include "sftpserver.h"
#include "tasks/ftpsendertask.h"
#include "tasks/mailertask.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTcpServer>
#include <QtTest>

#include <memory>

namespace {

const int TRANSFER_WAIT_MS = 60000;

bool write_file(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray read_file(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList names_in(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

// The value of one header line of a received mail.
QString header(const QByteArray& mail, const char* name)
{
    const QString text = QString::fromUtf8(mail);
    const QRegularExpression line(QStringLiteral("^%1: (.*)\\r$").arg(QLatin1String(name)),
                                  QRegularExpression::MultilineOption);
    return line.match(text).captured(1);
}

QByteArray body(const QByteArray& mail)
{
    const int start = mail.indexOf("\r\n\r\n");
    return start < 0 ? QByteArray() : mail.mid(start + 4);
}

// Sets an environment variable for as long as it lives.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_previous(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_previous;
};

} // namespace

class TestSpoolSenders : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    SettableClock m_clock{QDateTime(QDate(2026, 3, 1), QTime(14, 5))};

    QString spool(const char* name) const
    {
        const QString path = m_appDir->filePath(QLatin1String(name));
        QDir().mkpath(path);
        return path;
    }

    void configureFtp(int port, const QString& protocol, const QString& user, const QString& password)
    {
        QSettings settings;
        settings.setValue("enable-notifications", true);
        settings.setValue("FtpServer/address", "127.0.0.1");
        settings.setValue("FtpServer/port", port);
        settings.setValue("FtpServer/protocol", protocol);
        settings.setValue("FtpServer/username", user);
        settings.setValue("FtpServer/password", password);
    }

    template <class Task>
    void configure(Task& task)
    {
        QSettings settings;
        task.setClock(&m_clock);
        task.setInterval(300);
        task.loadConfiguration(settings);
        task.init();
    }

    // Runs one batch and waits until it is over.
    template <class Task>
    bool runBatch(Task& task)
    {
        if (!task.canRun(m_clock.now().addSecs(task.interval())))
            return false;
        task.run();
        return QTest::qWaitFor([&task] { return task.pending().isEmpty(); }, TRANSFER_WAIT_MS);
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        QSettings settings;
        settings.setValue("advanced/serial", 42);
    }
    void cleanup() { m_appDir.reset(); }

    void settingsDecideWhatIsSentWhere();
    void mailsReachTheRecipientsWithTheirHeaders();
    void ftpUploadsEachFileAndRetriesTheRefusedOne();
    void sftpUploadsIntoTheHomeDirectory();
    void curlThatCannotStartOrHangsEndsTheBatch();
    void vanishedSpoolDirectoryComesBack();
    void supportRequestGoesThroughTheMailScript();
};

void TestSpoolSenders::settingsDecideWhatIsSentWhere()
{
    QCOMPARE(MailerTask::parseRecipients("a@x.it; ,b@y.it"), QStringList({"a@x.it", "b@y.it"}));
    QCOMPARE(MailerTask::parseRecipients(" ;, "), QStringList());

    QSettings settings;
    FtpSenderTask ftp(spool("outgoing"), spool("archive"));
    configureFtp(2121, "SFTP", "vm", "pw");
    ftp.loadConfiguration(settings);
    QCOMPARE(ftp.url().scheme(), QStringLiteral("ftp"));
    QVERIFY(!ftp.curlArguments("/f").contains("-k"));
    configureFtp(2222, "sftp", "vm", "pw");
    ftp.loadConfiguration(settings);
    ftp.init();
    QCOMPARE(ftp.url().toString(QUrl::RemoveUserInfo), QStringLiteral("sftp://127.0.0.1:2222/~/"));
    QVERIFY(ftp.curlArguments("/f").contains("-k"));
    QVERIFY(ftp.canRun(QDateTime::currentDateTime().addDays(1)));

    // An address without a password leaves the sender idle.
    configureFtp(21, "ftp", "vm", "");
    ftp.loadConfiguration(settings);
    QVERIFY(ftp.url().isEmpty());
    QVERIFY(!ftp.canRun(QDateTime::currentDateTime().addDays(1)));

    // A missing switch reads as off.
    settings.remove("enable-notifications");
    settings.setValue("Alarms/email", "a@x.it");
    MailerTask mailer(spool("mailbox"), spool("archive"));
    mailer.loadConfiguration(settings);
    QVERIFY(!mailer.canRun(QDateTime::currentDateTime().addDays(1)));

    // "+0100" east of UTC, "-0330" west, always four digits.
    QCOMPARE(MailerTask::dateHeader(QDateTime(QDate(2016, 3, 1), QTime(14, 5), Qt::OffsetFromUTC, 3600)),
             QStringLiteral("Tue, 01 Mar 2016 14:05 +0100"));
    QCOMPARE(MailerTask::dateHeader(QDateTime(QDate(2016, 3, 1), QTime(9, 7), Qt::OffsetFromUTC, -12600)),
             QStringLiteral("Tue, 01 Mar 2016 09:07 -0330"));
}

void TestSpoolSenders::mailsReachTheRecipientsWithTheirHeaders()
{
    LoopbackServers servers;
    QVERIFY2(servers.start(), qPrintable(servers.errorString()));
    ScopedEnv server("VM24_MAIL_SERVER", QByteArray("smtp://127.0.0.1:") + QByteArray::number(servers.smtpPort()));
    ScopedEnv from("VM24_MAIL_FROM", "machine@vm24.test");
    QSettings settings;
    settings.setValue("enable-notifications", true);
    settings.setValue("Alarms/email", "a@x.it; ,b@y.it");

    const QString mailbox = spool("mailbox");
    const QByteArray alarm = "VM24 00042 ver 1\nAlarm\n20260301_140500 - Macchina manomessa \xc3\xa0\n";
    QVERIFY(write_file(mailbox + "/VM24Alarm_00042_20260301_140500.mail", alarm));
    QVERIFY(write_file(mailbox + "/report.HTML", "<p>upper case</p>"));
    QVERIFY(write_file(mailbox + "/page.html", "<p>html</p>"));
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char(i * 7));
    QVERIFY(write_file(mailbox + "/binary.mail", binary));
    // No alarm text is that large: it stays, and the others still go.
    QVERIFY(write_file(mailbox + "/huge.mail", QByteArray(50 * 1024 * 1024, 'x')));
    QVERIFY(write_file(mailbox + "/half.mail.tmp", "still being written"));
    QVERIFY(write_file(mailbox + "/half.mail.KqZwPe", "still being written"));

    MailerTask mailer(mailbox, spool("archive"));
    configure(mailer);
    QVERIFY(!mailer.canRun(m_clock.now()));
    QVERIFY(runBatch(mailer));
    QCOMPARE(mailer.nextRun(), m_clock.now().addSecs(300));

    QCOMPARE(names_in(mailbox), QStringList({"half.mail.KqZwPe", "half.mail.tmp", "huge.mail"}));
    QCOMPARE(names_in(spool("archive")),
             QStringList({"VM24Alarm_00042_20260301_140500.mail", "binary.mail", "page.html", "report.HTML"}));
    const QList<QByteArray> mails = servers.mails();
    QCOMPARE(mails.size(), 4);
    QMap<QByteArray, QByteArray> byBody;
    for (const QByteArray& mail : mails) {
        QVERIFY(mail.startsWith("MAIL FROM: machine@vm24.test\nRCPT TO: a@x.it\nRCPT TO: b@y.it\n\n"));
        QCOMPARE(header(mail, "From"), QStringLiteral("machine@vm24.test"));
        QCOMPARE(header(mail, "To"), QStringLiteral("a@x.it; b@y.it"));
        QCOMPARE(header(mail, "Subject"), QStringLiteral("VM24 00042 alarm event"));
        QVERIFY2(QRegularExpression("^Sun, 01 Mar 2026 14:05 [+-]\\d{4}$").match(header(mail, "Date")).hasMatch(),
                 qPrintable(header(mail, "Date")));
        QCOMPARE(header(mail, "MIME-Version"), QStringLiteral("1.0"));
        byBody.insert(body(mail), header(mail, "Content-type").toUtf8());
    }
    QByteArray alarmAsSent = alarm;
    alarmAsSent.replace("\n", "\r\n");
    QCOMPARE(byBody.value(alarmAsSent), QByteArray("text/plain; charset=utf-8"));
    QCOMPARE(byBody.value("<p>upper case</p>\r\n"), QByteArray("text/plain; charset=utf-8"));
    QCOMPARE(byBody.value("<p>html</p>\r\n"), QByteArray("text/html; charset=utf-8"));
    // The damaged file arrives as text; curl ends the last line.
    QVERIFY(byBody.contains(MailerTask::mailableText(binary) + "\r\n"));
    QVERIFY(!MailerTask::mailableText(binary).contains('\0'));
}

void TestSpoolSenders::ftpUploadsEachFileAndRetriesTheRefusedOne()
{
    LoopbackServers::Options options;
    options.ftpUser = QStringLiteral("telemetry-user");
    options.ftpPassword = QStringLiteral("pa\"ss:w\\ord");
    options.ftpRefuseOnce = QStringLiteral("b.xml");
    LoopbackServers servers(options);
    QVERIFY2(servers.start(), qPrintable(servers.errorString()));
    configureFtp(servers.ftpPort(), "ftp", options.ftpUser, options.ftpPassword);

    // A curl that writes down how it was called: the password must not be there.
    const QString callLog = m_appDir->filePath("curl-calls.log");
    const QString wrapper = m_appDir->filePath("curl-wrapper.sh");
    QVERIFY(write_file(wrapper, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$*\" >> '%1'\nexec curl \"$@\"\n")
                                    .arg(callLog)
                                    .toUtf8()));
    QVERIFY(QFile::setPermissions(wrapper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ScopedEnv curl("VM24_CURL", wrapper.toLocal8Bit());

    const QString outgoing = spool("outgoing");
    const QString archive = spool("archive");
    const QMap<QString, QByteArray> files{{"a.xml", "<a/>"}, {"b.xml", "<b/>"}, {"c.xml", QByteArray(300000, 'c')}};
    for (auto it = files.begin(); it != files.end(); ++it)
        QVERIFY(write_file(outgoing + "/" + it.key(), it.value()));
    // Already sent once under that name: archived under a new one, not sent forever.
    QVERIFY(write_file(archive + "/c.xml", "earlier"));

    FtpSenderTask sender(outgoing, archive);
    configure(sender);
    QVERIFY(runBatch(sender));
    QCOMPARE(names_in(outgoing), QStringList({"b.xml"}));
    QCOMPARE(names_in(archive), QStringList({"a.xml", "c.xml", "c.xml.2"}));
    QCOMPARE(read_file(servers.ftpDir() + "/a.xml"), files["a.xml"]);
    QCOMPARE(read_file(servers.ftpDir() + "/c.xml"), files["c.xml"]);
    QCOMPARE(read_file(archive + "/c.xml"), QByteArray("earlier"));
    QVERIFY(!QFile::exists(servers.ftpDir() + "/b.xml"));

    // The refused file goes with the next batch, one interval later.
    QCOMPARE(sender.nextRun(), m_clock.now().addSecs(300));
    QVERIFY(!sender.canRun(m_clock.now().addSecs(299)));
    m_clock.advanceSecs(300);
    QVERIFY(runBatch(sender));
    QCOMPARE(names_in(outgoing), QStringList());
    QCOMPARE(read_file(servers.ftpDir() + "/b.xml"), files["b.xml"]);

    const QByteArray calls = read_file(callLog);
    QCOMPARE(calls.count('\n'), 4);
    QVERIFY(calls.contains("-T " + outgoing.toUtf8() + "/a.xml --disable-epsv --silent --config -"));
    QVERIFY(!calls.contains("ss:w") && !calls.contains("telemetry-user"));
}

void TestSpoolSenders::sftpUploadsIntoTheHomeDirectory()
{
    SftpServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    ScopedEnv home("HOME", server.clientHome().toLocal8Bit());
    configureFtp(server.port(), "sftp", server.user(), "unused-by-key-login");
    const QString outgoing = spool("outgoing");
    QVERIFY(write_file(outgoing + "/VM24Log_00042_20260301_000000.xml", "<TalvioLog/>\n"));
    FtpSenderTask sender(outgoing, spool("archive"));
    configure(sender);
    QVERIFY(runBatch(sender));
    QCOMPARE(read_file(server.uploadDir() + "/VM24Log_00042_20260301_000000.xml"), QByteArray("<TalvioLog/>\n"));
    QCOMPARE(names_in(spool("archive")), QStringList({"VM24Log_00042_20260301_000000.xml"}));
}

void TestSpoolSenders::curlThatCannotStartOrHangsEndsTheBatch()
{
    // A server that takes the connection and never says a word.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
    configureFtp(silent.serverPort(), "ftp", "vm", "pw");
    const QString outgoing = spool("outgoing");
    QVERIFY(write_file(outgoing + "/one.xml", "1"));
    QVERIFY(write_file(outgoing + "/two.xml", "2"));

    FtpSenderTask sender(outgoing, spool("archive"));
    configure(sender);
    sender.setTimeLimit(1500);
    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(runBatch(sender));
    QVERIFY(elapsed.elapsed() >= 1400);
    // The batch ended at the first file: the second was not tried after it.
    QVERIFY(elapsed.elapsed() < 2 * 1500 + 1000);
    QCOMPARE(names_in(outgoing), QStringList({"one.xml", "two.xml"}));
    QCOMPARE(sender.nextRun(), m_clock.now().addSecs(300));

    ScopedEnv curl("VM24_CURL", "/nonexistent/curl");
    m_clock.advanceSecs(300);
    QVERIFY(runBatch(sender));
    QCOMPARE(names_in(outgoing), QStringList({"one.xml", "two.xml"}));
    QCOMPARE(sender.nextRun(), m_clock.now().addSecs(300));
    QVERIFY(names_in(spool("archive")).isEmpty());
}

void TestSpoolSenders::vanishedSpoolDirectoryComesBack()
{
    QSettings settings;
    settings.setValue("enable-notifications", true);
    settings.setValue("Alarms/email", "a@x.it");
    const QString mailbox = spool("mailbox");
    MailerTask mailer(mailbox, spool("archive"));
    configure(mailer);
    QVERIFY(QDir(mailbox).removeRecursively());
    QVERIFY(runBatch(mailer));
    QVERIFY(QFileInfo(mailbox).isDir());
    QCOMPARE(mailer.nextRun(), m_clock.now().addSecs(300));
}

void TestSpoolSenders::supportRequestGoesThroughTheMailScript()
{
    const QString script = m_appDir->filePath("smtp_send.py");
    QVERIFY(QFile::copy(TestEnvironment::sourcePath("scripts/smtp_send.py"), script));
    QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner));
    LoopbackServers servers;
    QVERIFY2(servers.start(), qPrintable(servers.errorString()));
    {
        ScopedEnv server("VM24_MAIL_SERVER", QByteArray("smtp://127.0.0.1:") + QByteArray::number(servers.smtpPort()));
        ScopedEnv from("VM24_MAIL_FROM", "machine@vm24.test");
        QCOMPARE(VM24::send_support_mail("help@example.org", 42), 0);
    }
    const QList<QByteArray> mails = servers.mails();
    QCOMPARE(mails.size(), 1);
    QVERIFY(mails[0].startsWith("MAIL FROM: machine@vm24.test\nRCPT TO: help@example.org\n\n"));
    QCOMPARE(header(mails[0], "Subject"), QStringLiteral("VM24 00042 - Richiesta assistenza"));
    QCOMPARE(header(mails[0], "To"), QStringLiteral("help@example.org"));
    QVERIFY(QRegularExpression("^00042 \\d{8}_\\d{6}\\s*$").match(QString::fromUtf8(body(mails[0]))).hasMatch());

    // No server there: the script says so.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const QByteArray deadPort = QByteArray::number(closed.serverPort());
    closed.close();
    ScopedEnv server("VM24_MAIL_SERVER", "smtp://127.0.0.1:" + deadPort);
    QCOMPARE(VM24::send_support_mail("help@example.org", 42), 1);
}

QTEST_GUILESS_MAIN(TestSpoolSenders)
#include "tst_spoolsenders.moc"
