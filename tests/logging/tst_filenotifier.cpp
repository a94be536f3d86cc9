#include "core/version.h"
#include "core/vm24.h"
#include "logging/filenotifier.h"
#include "logging/logdatabase.h"
#include "logging/notifications.h"
#include "logging/notificationservice.h"
#include "logging/talviologexporter.h"
#include "testenvironment.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QThreadPool>
#include <QXmlStreamReader>
#include <QtTest>

using namespace VM24;

namespace {

QByteArray read_file(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every element as "name attr=value ...[: text]", in document order; the
// parser's error instead when the document is not well-formed XML.
QStringList flatten(const QByteArray& document)
{
    QStringList lines;
    QXmlStreamReader reader(document);
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::Characters && !reader.isWhitespace() && !lines.isEmpty())
            lines.last() += QStringLiteral(": ") + reader.text().toString();
        if (token != QXmlStreamReader::StartElement)
            continue;
        QString line = reader.name().toString();
        for (const QXmlStreamAttribute& attribute : reader.attributes())
            line += QStringLiteral(" %1=%2").arg(attribute.name().toString(), attribute.value().toString());
        lines.append(line);
    }
    return reader.hasError() ? QStringList{QStringLiteral("XML error: ") + reader.errorString()} : lines;
}

} // namespace

class TestFileNotifier : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(open_log_database(QDir(TestEnvironment::applicationDir()).filePath("export-log.db")));
    }

    void alarmsBecomeFilesForTheSpool();
    void exportWritesEveryKindOfRowAsValidXml();
};

void TestFileNotifier::alarmsBecomeFilesForTheSpool()
{
    TestEnvironment::ScopedAppDir appDir;
    QThreadPool pool;
    FileNotifier notifier(&pool);
    notifier.setSerial(42);
    // Neither directory is there yet: the writer makes them.
    const QString outgoing = appDir.filePath("outgoing");
    const QString mailbox = appDir.filePath("mailbox");
    notifier.setOutgoingDir(outgoing);
    notifier.setMailboxDir(mailbox);
    VM24::NotificationService service;
    service.addHandler(&notifier);

    service.notify(std::make_unique<InfoNotification>("not an alarm"));
    service.notify(std::make_unique<WarningNotification>("for the event log only"));
    service.notify(std::make_unique<AlarmNotification>(TamperAlarm, false));
    service.notify(std::make_unique<AlarmNotification>(TamperAlarm, true));
    service.notify(std::make_unique<EmptyHopperNotification>(1, false));
    service.notify(std::make_unique<WarningNotification>("Erogazione non confermata", WarningNotification::Owner));
    QVERIFY(pool.waitForDone(30000));

    const QStringList xml = QDir(outgoing).entryList(QDir::Files, QDir::Name);
    QCOMPARE(xml.size(), 3);
    QVERIFY(xml[0].startsWith("VM24AlarmClear_00042_") && xml[1].startsWith("VM24Alarm_00042_")
            && xml[2].startsWith("VM24Alarm_00042_"));
    QStringList raised;
    for (const QString& name : xml.mid(1)) {
        const QByteArray document = read_file(outgoing + "/" + name);
        QVERIFY(document.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TalvioAlarm TimeStamp=\""));
        const QString date = name.mid(QStringLiteral("VM24Alarm_00042_").size(), 15);
        const QStringList elements = flatten(document);
        QCOMPARE(elements.size(), 2);
        QCOMPARE(elements[0], QStringLiteral("TalvioAlarm TimeStamp=%1 SerialNumber=00042").arg(date));
        raised << QString(elements[1]).replace(date, "D");
    }
    raised.sort();
    QCOMPARE(raised, QStringList({"Alarm id=0 Description=Macchina manomessa DateTime=D",
                                  "Alarm id=7 Description=Hopper 2 vuoto DateTime=D"}));
    QVERIFY(flatten(read_file(outgoing + "/" + xml[0])).value(1).startsWith("AlarmClear id=0 "));

    // Mail texts for the raised alarms and the owner's warning, none for the clearing.
    const QStringList mails = QDir(mailbox).entryList(QDir::Files, QDir::Name);
    QCOMPARE(mails.size(), 3);
    QStringList texts;
    for (const QString& name : mails) {
        QVERIFY(name.endsWith(".mail"));
        const QString date = name.section('_', 2, 3).left(15);
        texts << QString::fromUtf8(read_file(mailbox + "/" + name)).replace(date, "D");
    }
    const QString first = QStringLiteral("VM24 00042 ver %1\n").arg(APPLICATION_VERSION);
    texts.sort();
    QCOMPARE(texts, QStringList({first + "Alarm\nD - Hopper 2 vuoto\n", first + "Alarm\nD - Macchina manomessa\n",
                                 first + "Warning\nD - Erogazione non confermata\n"}));
    QVERIFY(mails[2].startsWith("VM24Warning_00042_"));
}

void TestFileNotifier::exportWritesEveryKindOfRowAsValidXml()
{
    QSqlDatabase db = log_database();
    QVERIFY(db.isOpen());
    QSqlQuery query(db);
    QVERIFY(query.exec("DELETE FROM Log"));
    const QDateTime start = QDateTime::currentDateTime().addSecs(-3600);
    int row = 0;
    auto insert = [&](const QString& time, const char* category, const QString& data) {
        QSqlQuery insert(db);
        insert.prepare("INSERT INTO Log VALUES (?, ?, ?)");
        insert.addBindValue(time);
        insert.addBindValue(QLatin1String(category));
        insert.addBindValue(data);
        return insert.exec();
    };
    auto add = [&](const char* category, const QString& data) {
        return insert(start.addSecs(++row).toString(SQL_DATE_TIME_FORMAT), category, data);
    };
    const QString name = QStringLiteral("Crema <&> \"forte\" àé 東京");
    QVERIFY(add("product-purchased", "productId=main/1001&cost=250&dispenser=2&method=Cash&userInfo="));
    QVERIFY(add("product-purchased", "productId=gone/7&cost=300&dispenser=17&method=CreditCard&userInfo=4111"));
    QVERIFY(add("product-purchased", "productId=main/1001&cost=250"));
    QVERIFY(add("recharge", "amount=1000&userId=77"));
    QVERIFY(add("overpay", "150"));
    QVERIFY(add("return-change", "60"));
    QVERIFY(add("vending-session-info", "flag=1&cash=200&cashless=50"));
    QVERIFY(add("vending-session-info", "flag=3&cash=0&cashless=0"));
    QVERIFY(add("cash-inserted", "banknotes=500&coins=70"));
    QVERIFY(add("power-management", "PowerOn"));
    QVERIFY(add("power-management", "Shutdown"));
    QVERIFY(add("power-management", ""));
    QVERIFY(add("alarm-enable", "true"));
    QVERIFY(add("alarm", "id=2&clear=1"));
    // The event log's rows carry no escaping: a name with "&" would not read back.
    const QString soldOut = QStringLiteral("Sciroppo <\"forte\"> 東京");
    QVERIFY(add("empty-dispenser", "productId=main/1001&productName=" + soldOut + "&dispenser=4&clear=0"));
    QVERIFY(add("info", QStringLiteral("bell \x07 and <b>&amp;</b>")));
    QVERIFY(add("warning", "w"));
    QVERIFY(add("support-request", ""));
    QVERIFY(add("no-such-category", "x"));
    QVERIFY(insert("not a time", "info", "undated"));
    QVERIFY(insert(start.addDays(-3).toString(SQL_DATE_TIME_FORMAT), "info", "three days ago"));

    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    const QDateTime now(QDate(2026, 3, 2), QTime(0, 0, 5));
    QVERIFY(export_log_talvio_format(&buffer, now, 42, {{"main/1001", name}}, 1));
    const QStringList elements = flatten(buffer.data());
    QStringList expected{"TalvioLog TimeStamp=20260302_000005 SerialNumber=00042"};
    auto at = [&](int seconds) { return format_rk_date(start.addSecs(seconds)); };
    expected << "Program DateTime=" + at(1) + " id=3 Amount=250 Payment=Cash Description=" + name
             << "Program DateTime=" + at(2) + " id=18 Amount=300 Payment=CreditCard Description= CardNumber=4111"
             << "Recharge DateTime=" + at(4) + " Amount=1000 CardNumber=77"
             << "Ticket DateTime=" + at(5) + " Amount=150" << "Return DateTime=" + at(6) + " Amount=60"
             << "SessionInfo DateTime=" + at(7) + " descriptor=credit cash=200 cashless=50"
             << "CashIn DateTime=" + at(9) + " Amount=570" << "PowerOn DateTime=" + at(10)
             << "PowerOff DateTime=" + at(11) + " Description=Spegnimento"
             << "AlarmEnable DateTime=" + at(13) + " id=1"
             << "AlarmClear id=12 Description=Funzionamento a batteria DateTime=" + at(14)
             << "Alarm id=11 Description=Prodotto '" + soldOut + "' (main/1001) esaurito alla colonna 5 DateTime=" + at(15)
             << "Info DateTime=" + at(16) + ": bell  and <b>&amp;</b>" << "Warning DateTime=" + at(17) + ": w"
             << "SOS DateTime=" + at(18);
    QCOMPARE(elements, expected);

    // A power event outside the five known ones has no element.
    QBuffer direct;
    QVERIFY(direct.open(QIODevice::WriteOnly));
    TalvioLogExporter exporter(&direct, {});
    exporter.startDocument(now, 1);
    PowerManagementNotification unknown(static_cast<PowerManagementNotification::Event>(5));
    unknown.setTimestamp(now);
    unknown.accept(&exporter);
    exporter.endDocument();
    QCOMPARE(flatten(direct.data()), QStringList({"TalvioLog TimeStamp=20260302_000005 SerialNumber=00001"}));
}

QTEST_GUILESS_MAIN(TestFileNotifier)
#include "tst_filenotifier.moc"
