#include "logging/logdatabase.h"
#include "logging/logdatabasenotificationconverter.h"
#include "logging/notifications.h"
#include "recordingvisitor.h"

#include <QSqlField>
#include <QSqlRecord>
#include <QtTest>

#include <memory>

using namespace VM24;
using Tuple = LogDatabaseNotificationConverter::Tuple;

namespace {

const QDateTime STAMP(QDate(2024, 3, 4), QTime(10, 15, 30));

std::unique_ptr<NotificationBase> read_row(const QString& category, const QString& data)
{
    return std::unique_ptr<NotificationBase>(LogDatabaseNotificationConverter::fromRow(STAMP, category, data));
}

Tuple convert(const NotificationBase* n)
{
    LogDatabaseNotificationConverter converter;
    return converter.convert(n);
}

template <class T>
const T* as(const std::unique_ptr<NotificationBase>& n)
{
    return dynamic_cast<const T*>(n.get());
}

} // namespace

class LogConverterTest : public QObject
{
    Q_OBJECT

private slots:
    void storedFormOfEveryType()
    {
        const QStringList expected = {
            "VM24 1.1.5 - RK710 3.2",
            "Resto non erogato: 1,20",
            "Credito corrente: 2,50",
            "150",
            "70",
            "banknotes=500&coins=120",
            "amount=2000&userId=4711",
            "productId=farmacia/0042&cost=1290&dispenser=17&method=CreditCard&userInfo=carta 1234",
            "flag=1&cash=300&cashless=990",
            "EmergencyShutdown",
            "true",
            "",
            "id=2&clear=1",
            "productId=farmacia/0007&productName=Crema solare&dispenser=4&clear=0",
            "dispenser=9&clear=1",
            "hopper=1&clear=0",
        };
        const auto all = one_of_each_notification();
        QCOMPARE(all.size(), expected.size());
        for (int i = 0; i < all.size(); ++i) {
            std::unique_ptr<NotificationBase> n(all.at(i).second);
            n->setTimestamp(STAMP.addSecs(i));
            const Tuple tuple = convert(n.get());
            QCOMPARE(tuple.category, all.at(i).first);
            QCOMPARE(tuple.data, expected.at(i));
            QCOMPARE(tuple.timestamp, STAMP.addSecs(i));
        }
    }

    void everyTypeSurvivesRoundTrip()
    {
        for (const auto& entry : one_of_each_notification()) {
            std::unique_ptr<NotificationBase> original(entry.second);
            original->setTimestamp(STAMP);
            const Tuple stored = convert(original.get());
            std::unique_ptr<NotificationBase> rebuilt(
                LogDatabaseNotificationConverter::fromRow(stored.timestamp, stored.category, stored.data));
            QVERIFY2(rebuilt, qPrintable(entry.first));
            RecordingVisitor visitor;
            rebuilt->accept(&visitor);
            QCOMPARE(visitor.visited, QStringList(entry.first));
            const Tuple again = convert(rebuilt.get());
            QCOMPARE(again.category, stored.category);
            QCOMPARE(again.data, stored.data);
            QCOMPARE(again.timestamp, STAMP);
        }
    }

    void fieldValuesAfterRoundTrip()
    {
        const auto purchase = read_row("product-purchased",
                                       "productId=cat/1&cost=1290&dispenser=17&method=LoyaltyCard&userInfo=");
        QVERIFY(as<ProductPurchasedNotification>(purchase));
        QCOMPARE(as<ProductPurchasedNotification>(purchase)->productId(), QStringLiteral("cat/1"));
        QCOMPARE(as<ProductPurchasedNotification>(purchase)->cost(), 1290);
        QCOMPARE(as<ProductPurchasedNotification>(purchase)->dispenser(), 17);
        QCOMPARE(as<ProductPurchasedNotification>(purchase)->method(), ProductPurchasedNotification::LoyaltyCard);
        QCOMPARE(as<ProductPurchasedNotification>(purchase)->userInfo(), QString());
        QCOMPARE(purchase->timestamp(), STAMP);

        const auto unknownMethod = read_row("product-purchased", "productId=a&cost=1&dispenser=2&method=Gold&userInfo=u");
        QCOMPARE(int(as<ProductPurchasedNotification>(unknownMethod)->method()), 4);

        const auto session = read_row("vending-session-info", "flag=2&cash=0&cashless=0");
        QCOMPARE(as<VendingSessionInfo>(session)->flag(), VendingSessionInfo::SessionEnd);

        const auto hopper = read_row("empty-hopper", "hopper=1&clear=0");
        QCOMPARE(as<EmptyHopperNotification>(hopper)->hopper(), 1);
        QVERIFY(!as<EmptyHopperNotification>(hopper)->isCleared());

        QVERIFY(as<AlarmActiveNotification>(read_row("alarm-enable", "true"))->isActive());
        QVERIFY(!as<AlarmActiveNotification>(read_row("alarm-enable", "false"))->isActive());
        QVERIFY(!as<AlarmActiveNotification>(read_row("alarm-enable", "1"))->isActive());
        QCOMPARE(as<OverpayNotification>(read_row("overpay", "garbage"))->amount(), 0);
        QCOMPARE(as<ChangeReturnedNotification>(read_row("return-change", "-30"))->amount(), -30);
        QCOMPARE(as<CashInsertedNotification>(read_row("cash-inserted", "banknotes=x&coins=20"))->banknotes(), 0);
        QCOMPARE(as<PowerManagementNotification>(read_row("power-management", "Reboot"))->event(),
                 PowerManagementNotification::Reboot);
        QVERIFY(as<SupportRequestNotification>(read_row("support-request", "anything")));
    }

    // Values no enumerator names (a later version's method or alarm bit, a
    // damaged row) are kept as numbers: unnamed, unknown to the telemetry,
    // and stored again as they came.
    void unknownStoredValuesStayNumbers()
    {
        const auto purchase = read_row("product-purchased", "productId=a&cost=1&dispenser=2&method=Gold&userInfo=u");
        QCOMPARE(ProductPurchasedNotification::methodToString(as<ProductPurchasedNotification>(purchase)->method()),
                 QString());
        QCOMPARE(convert(purchase.get()).data, QStringLiteral("productId=a&cost=1&dispenser=2&method=&userInfo=u"));

        for (const char* data : {"id=128&clear=1", "id=-3&clear=0", "id=2147483647&clear=0", "96"}) {
            const auto alarm = read_row("alarm", QLatin1String(data));
            const AlarmNotification* read = as<AlarmNotification>(alarm);
            QVERIFY2(read, data);
            QCOMPARE(read->id(), -1);
            QCOMPARE(read->description(), QString());
            QCOMPARE(alarm_code(read->alarm()), QString());
            const QString stored = convert(alarm.get()).data;
            QCOMPARE(get_query_value(stored.section(QLatin1Char('&'), 0, 0)).toInt(),
                     QString::fromLatin1(data).section(QLatin1Char('&'), 0, 0).section(QLatin1Char('='), -1).toInt());
        }

        const auto session = read_row("vending-session-info", "flag=-7&cash=0&cashless=0");
        QVERIFY(session);
        QCOMPARE(int(as<VendingSessionInfo>(session)->flag()), -7);
    }

    void olderOneFieldFormatsStayReadable()
    {
        const auto bare = read_row("alarm", "4");
        QCOMPARE(as<AlarmNotification>(bare)->alarm(), ProductsNotAvailableAlarm);
        QVERIFY(!as<AlarmNotification>(bare)->isCleared());

        const auto pair = read_row("alarm", "id=4&clear=1");
        QCOMPARE(as<AlarmNotification>(pair)->alarm(), ProductsNotAvailableAlarm);
        QVERIFY(as<AlarmNotification>(pair)->isCleared());

        const auto motor = read_row("dispenser-error", "7");
        QCOMPARE(as<MotorDispenserErrorNotification>(motor)->dispenser(), 7);
        QVERIFY(!as<MotorDispenserErrorNotification>(motor)->isCleared());

        const auto hopper = read_row("empty-hopper", "1");
        QCOMPARE(as<EmptyHopperNotification>(hopper)->hopper(), 1);

        // Three pieces: written before the clear flag existed.
        const auto soldOut = read_row("empty-dispenser", "productId=cat/9&productName=Gel&dispenser=3");
        QCOMPARE(as<ProductSoldOutNotification>(soldOut)->productName(), QStringLiteral("Gel"));
        QCOMPARE(as<ProductSoldOutNotification>(soldOut)->dispenser(), 3);
        QVERIFY(!as<ProductSoldOutNotification>(soldOut)->isCleared());
    }

    void unreadableRowsGiveNull_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("data");
        QTest::newRow("unknown category") << "coffee" << "1";
        QTest::newRow("category case") << "Alarm" << "1";
        QTest::newRow("purchase with four fields") << "product-purchased" << "productId=a&cost=1&dispenser=2&method=Cash";
        QTest::newRow("recharge with one field") << "recharge" << "amount=5";
        QTest::newRow("recharge with three fields") << "recharge" << "amount=5&userId=1&extra=2";
        QTest::newRow("session flag 3") << "vending-session-info" << "flag=3&cash=0&cashless=0";
        QTest::newRow("session flag not a number") << "vending-session-info" << "flag=x&cash=0&cashless=0";
        QTest::newRow("session with two fields") << "vending-session-info" << "flag=0&cash=0";
        QTest::newRow("alarm without data") << "alarm" << "";
        QTest::newRow("cash with one field") << "cash-inserted" << "banknotes=5";
        QTest::newRow("unknown power event") << "power-management" << "Standby";
        QTest::newRow("power event case") << "power-management" << "poweron";
        QTest::newRow("sold out with two fields") << "empty-dispenser" << "productId=a&productName=b";
        QTest::newRow("sold out dispenser not a number") << "empty-dispenser" << "productId=a&productName=b&dispenser=x&clear=0";
        QTest::newRow("hopper without data") << "empty-hopper" << "";
    }
    void unreadableRowsGiveNull()
    {
        QFETCH(QString, category);
        QFETCH(QString, data);
        QVERIFY(!read_row(category, data));
    }

    void textWithSeparatorsSurvives()
    {
        ProductPurchasedNotification purchase(QStringLiteral("a&b/1"), 250, 3, ProductPurchasedNotification::UserCard,
                                              QStringLiteral("user=7&card=99"));
        purchase.setTimestamp(STAMP);
        const Tuple stored = convert(&purchase);
        // Stored unescaped, as every reader of the log expects.
        QCOMPARE(stored.data, QStringLiteral("productId=a&b/1&cost=250&dispenser=3&method=UserCard&userInfo=user=7&card=99"));
        const auto rebuilt = read_row(stored.category, stored.data);
        const auto* p = as<ProductPurchasedNotification>(rebuilt);
        QVERIFY(p);
        QCOMPARE(p->productId(), purchase.productId());
        QCOMPARE(p->userInfo(), purchase.userInfo());
        QCOMPARE(p->cost(), 250);
        QCOMPARE(p->dispenser(), 3);
        QCOMPARE(p->method(), ProductPurchasedNotification::UserCard);

        ProductSoldOutNotification soldOut(QStringLiteral("c/2"), QStringLiteral("Crema & latte = 50ml"), 11, true);
        const Tuple storedSoldOut = convert(&soldOut);
        const auto rebuiltSoldOut = read_row(storedSoldOut.category, storedSoldOut.data);
        const auto* s = as<ProductSoldOutNotification>(rebuiltSoldOut);
        QVERIFY(s);
        QCOMPARE(s->productName(), soldOut.productName());
        QCOMPARE(s->dispenser(), 11);
        QVERIFY(s->isCleared());

        // The older three-piece form with "&" in the name.
        const auto old = read_row("empty-dispenser", "productId=c/2&productName=Sole & mare&dispenser=5");
        const auto* o = as<ProductSoldOutNotification>(old);
        QVERIFY(o);
        QCOMPARE(o->productName(), QStringLiteral("Sole & mare"));
        QCOMPARE(o->dispenser(), 5);
        QVERIFY(!o->isCleared());

        const InfoNotification info(QStringLiteral("a=b&c"));
        const auto rebuiltInfo = read_row("info", convert(&info).data);
        QVERIFY(as<InfoNotification>(rebuiltInfo));
        QCOMPARE(as<InfoNotification>(rebuiltInfo)->message(), info.message());
    }

    void queryValues()
    {
        QCOMPARE(get_query_value(QStringLiteral("cost=150")), QStringLiteral("150"));
        QCOMPARE(get_query_value(QStringLiteral("cost=")), QString());
        QCOMPARE(get_query_value(QStringLiteral("150")), QString());
        QCOMPARE(get_query_value(QString()), QString());
        QCOMPARE(get_query_value(QStringLiteral("userInfo=a=b")), QStringLiteral("a=b"));
    }

    void recordColumnsAndTimestamp()
    {
        QSqlRecord record;
        record.append(QSqlField(QStringLiteral("timestamp"), QMetaType(QMetaType::QString)));
        record.append(QSqlField(QStringLiteral("category"), QMetaType(QMetaType::QString)));
        record.append(QSqlField(QStringLiteral("data"), QMetaType(QMetaType::QString)));
        record.setValue(0, QStringLiteral("2024-12-31 23:59:58"));
        record.setValue(1, QStringLiteral("overpay"));
        record.setValue(2, QStringLiteral("150"));
        std::unique_ptr<NotificationBase> n(LogDatabaseNotificationConverter::fromRecord(record));
        QVERIFY(as<OverpayNotification>(n));
        QCOMPARE(as<OverpayNotification>(n)->amount(), 150);
        QCOMPARE(n->timestamp(), QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58)));

        record.setValue(0, QStringLiteral("2024-03-04T05:06:07"));
        n.reset(LogDatabaseNotificationConverter::fromRecord(record));
        QCOMPARE(n->timestamp(), QDateTime(QDate(2024, 3, 4), QTime(5, 6, 7)));
        for (const char* bad : {"2024-02-30 10:00:00", "2024-13-01 10:00:00", "yesterday", ""}) {
            record.setValue(0, QLatin1String(bad));
            n.reset(LogDatabaseNotificationConverter::fromRecord(record));
            QVERIFY(n);
            QVERIFY2(!n->timestamp().isValid(), bad);
        }
    }

    void schemaSplitsIntoThreeStatements()
    {
        const QStringList statements = log_schema_statements();
        QCOMPARE(statements.size(), 3);
        QVERIFY(statements.at(0).startsWith(QLatin1String("CREATE TABLE IF NOT EXISTS Log(")));
        QVERIFY(statements.at(1).startsWith(QLatin1String("CREATE TRIGGER IF NOT EXISTS DeleteOldLogEntries")));
        QVERIFY(statements.at(1).contains(QLatin1String("'localtime');\nEND")));
        QVERIFY(statements.at(2).startsWith(QLatin1String("CREATE INDEX IF NOT EXISTS LogTimestamp")));

        QCOMPARE(split_sql_statements(QStringLiteral("A;\n\n\n\nB;\n\n")), QStringList({"A;", "B;"}));
        QCOMPARE(split_sql_statements(QStringLiteral("A;\n\n\nB;")), QStringList({"A;", "\nB;"}));
        QVERIFY(split_sql_statements(QStringLiteral("\n\n\n\n")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(LogConverterTest)
#include "tst_logconverter.moc"
