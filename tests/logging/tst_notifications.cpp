#include "core/alarm.h"
#include "logging/notificationhandlerbase.h"
#include "logging/notifications.h"
#include "logging/notificationservice.h"
#include "recordingvisitor.h"

#include <QAtomicInt>
#include <QThread>
#include <QXmlStreamWriter>
#include <QtTest>

#include <memory>

using namespace VM24;

namespace {

struct Seen
{
    QString handler;
    QString message;
    QDateTime timestamp;
};

// Records what it is handed, in the shared log, under its own name.
class LoggingHandler : public INotificationHandler<NotificationBase>
{
public:
    LoggingHandler(const QString& name, QList<Seen>* log)
        : m_name(name)
        , m_log(log)
    {
    }
    void handle(NotificationBase* n) override
    {
        const auto* info = dynamic_cast<const InfoNotification*>(n);
        m_log->append({m_name, info ? info->message() : QString(), n->timestamp()});
    }

private:
    QString m_name;
    QList<Seen>* m_log;
};

// An info notification that reports its own destruction.
class TrackedInfo : public InfoNotification
{
public:
    TrackedInfo(const QString& message, bool* deleted)
        : InfoNotification(message)
        , m_deleted(deleted)
    {
    }
    ~TrackedInfo() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

// Fails the test (through the counters) when two handle() calls overlap.
class OverlapDetector : public INotificationHandler<NotificationBase>
{
public:
    QAtomicInt inside;
    QAtomicInt overlaps;
    QAtomicInt handled;
    void handle(NotificationBase*) override
    {
        if (inside.fetchAndAddOrdered(1) != 0)
            overlaps.ref();
        QThread::usleep(50);
        inside.deref();
        handled.ref();
    }
};

class VisitingHandler : public NotificationHandlerBase
{
public:
    RecordingVisitor recorder;
    void visit(const UserCashlessRechargeNotification* n) override { recorder.visit(n); }
    void visit(const ProductPurchasedNotification* n) override { recorder.visit(n); }
    void visit(const ChangeReturnedNotification* n) override { recorder.visit(n); }
    void visit(const OverpayNotification* n) override { recorder.visit(n); }
    void visit(const VendingSessionInfo* n) override { recorder.visit(n); }
    void visit(const AlarmNotification* n) override { recorder.visit(n); }
    void visit(const CashInsertedNotification* n) override { recorder.visit(n); }
    void visit(const PowerManagementNotification* n) override { recorder.visit(n); }
    void visit(const ProductSoldOutNotification* n) override { recorder.visit(n); }
    void visit(const MotorDispenserErrorNotification* n) override { recorder.visit(n); }
    void visit(const AlarmActiveNotification* n) override { recorder.visit(n); }
    void visit(const EmptyHopperNotification* n) override { recorder.visit(n); }
    void visit(const InfoNotification* n) override { recorder.visit(n); }
    void visit(const WarningNotification* n) override { recorder.visit(n); }
    void visit(const DebugNotification* n) override { recorder.visit(n); }
    void visit(const SupportRequestNotification* n) override { recorder.visit(n); }
};

QString alarm_xml(const StandardRkAlarm& alarm)
{
    QString xml;
    QXmlStreamWriter writer(&xml);
    alarm.toXml(writer);
    writer.writeEndDocument();
    return xml.trimmed();
}

} // namespace

class NotificationsTest : public QObject
{
    Q_OBJECT

private slots:
    void serviceStampsAndDispatchesInOrder()
    {
        QList<Seen> log;
        LoggingHandler first(QStringLiteral("first"), &log);
        LoggingHandler second(QStringLiteral("second"), &log);
        VM24::NotificationService service;
        service.addHandler(&first);
        service.addHandler(&second);

        const QDateTime before = QDateTime::currentDateTime();
        for (int i = 0; i < 20; ++i)
            service.notify(std::make_unique<InfoNotification>(QString::number(i)));
        const QDateTime after = QDateTime::currentDateTime();

        QCOMPARE(log.size(), 40);
        for (int i = 0; i < 20; ++i) {
            const Seen& a = log.at(2 * i);
            const Seen& b = log.at(2 * i + 1);
            QCOMPARE(a.handler, QStringLiteral("first"));
            QCOMPARE(b.handler, QStringLiteral("second"));
            QCOMPARE(a.message, QString::number(i));
            QCOMPARE(b.message, QString::number(i));
            QCOMPARE(a.timestamp, b.timestamp);
            QVERIFY(a.timestamp >= before && a.timestamp <= after);
            QCOMPARE(a.timestamp.timeSpec(), Qt::LocalTime);
            if (i > 0)
                QVERIFY(log.at(2 * i - 2).timestamp <= a.timestamp);
        }
    }

    void serviceDeletesAfterLastHandler()
    {
        bool deleted = false;
        QList<Seen> log;
        LoggingHandler handler(QStringLiteral("only"), &log);
        VM24::NotificationService service;
        service.addHandler(&handler);
        service.notify(std::make_unique<TrackedInfo>(QStringLiteral("x"), &deleted));
        QVERIFY(deleted);
        QCOMPARE(log.size(), 1);
    }

    // What is published while the program is being put together reaches the
    // first handler once it is added, in order and with its own time stamps;
    // beyond the held number, notifications are deleted unseen.
    void publicationsBeforeTheFirstHandlerAreHeldForIt()
    {
        QList<Seen> log;
        LoggingHandler first(QStringLiteral("first"), &log);
        LoggingHandler second(QStringLiteral("second"), &log);
        VM24::NotificationService service;
        bool lastDeleted = false;
        for (int i = 0; i < VM24::NotificationService::MAX_HELD; ++i)
            service.notify(std::make_unique<InfoNotification>(QString::number(i)));
        service.notify(std::make_unique<TrackedInfo>(QStringLiteral("one too many"), &lastDeleted));
        QVERIFY(lastDeleted);
        QTest::qWait(20);
        const QDateTime added = QDateTime::currentDateTime();

        service.addHandler(&first);
        QCOMPARE(log.size(), VM24::NotificationService::MAX_HELD);
        for (int i = 0; i < log.size(); ++i) {
            QCOMPARE(log.at(i).message, QString::number(i));
            QVERIFY(log.at(i).timestamp.isValid() && log.at(i).timestamp < added);
        }

        service.addHandler(&second);
        QCOMPARE(log.size(), VM24::NotificationService::MAX_HELD);
        service.notify(std::make_unique<InfoNotification>(QStringLiteral("after")));
        QCOMPARE(log.size(), VM24::NotificationService::MAX_HELD + 2);
        QCOMPARE(log.at(log.size() - 2).handler, QStringLiteral("first"));
        QCOMPARE(log.last().handler, QStringLiteral("second"));
    }

    void disabledServiceDeletesUnseen()
    {
        bool deleted = false;
        QList<Seen> log;
        LoggingHandler handler(QStringLiteral("only"), &log);
        VM24::NotificationService service;
        service.addHandler(&handler);
        service.setEnabled(false);
        service.notify(std::make_unique<TrackedInfo>(QStringLiteral("x"), &deleted));
        QVERIFY(deleted);
        QVERIFY(log.isEmpty());

        service.setEnabled(true);
        service.notify(std::make_unique<InfoNotification>(QStringLiteral("y")));
        QCOMPARE(log.size(), 1);
    }

    void publicationsFromThreadsNeverOverlap()
    {
        OverlapDetector detector;
        VM24::NotificationService service;
        service.addHandler(&detector);
        QList<QThread*> threads;
        for (int t = 0; t < 4; ++t) {
            threads.append(QThread::create([&service] {
                for (int i = 0; i < 200; ++i)
                    service.notify(std::make_unique<DebugNotification>(QStringLiteral("tick")));
            }));
            threads.last()->start();
        }
        for (QThread* thread : threads) {
            QVERIFY(thread->wait(30000));
            delete thread;
        }
        QCOMPARE(detector.handled.loadRelaxed(), 800);
        QCOMPARE(detector.overlaps.loadRelaxed(), 0);
    }

    void everyTypeReachesItsOwnVisitOperation()
    {
        VisitingHandler handler;
        VM24::NotificationService service;
        service.addHandler(&handler);
        QStringList expected;
        for (const auto& entry : one_of_each_notification()) {
            expected.append(entry.first);
            service.notify(std::unique_ptr<NotificationBase>(entry.second));
        }
        QCOMPARE(handler.recorder.visited, expected);
        QCOMPARE(QSet<QString>(expected.begin(), expected.end()).size(), 16);
    }

    void paymentMethodNames()
    {
        using P = ProductPurchasedNotification;
        const QStringList names = {"Cash", "UserCard", "CreditCard", "LoyaltyCard"};
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(P::methodToString(static_cast<P::Method>(i)), names.at(i));
            QCOMPARE(int(P::methodFromString(names.at(i))), i);
        }
        QCOMPARE(P::methodToString(static_cast<P::Method>(4)), QString());
        QCOMPARE(P::methodToString(static_cast<P::Method>(-1)), QString());
        QCOMPARE(int(P::methodFromString(QStringLiteral("Bitcoin"))), 4);
        QCOMPARE(int(P::methodFromString(QStringLiteral("cash"))), 4);
        QCOMPARE(int(P::methodFromString(QString())), 4);
    }

    void powerEventNamesAndLabels()
    {
        using P = PowerManagementNotification;
        const QStringList stored = {"PowerOn", "Restart", "Reboot", "Shutdown", "EmergencyShutdown"};
        const QStringList labels = {"Accensione", "Riavvio", "Reboot", "Spegnimento",
                                    "Spegnimento per funzionamento a batteria"};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(P::storedName(static_cast<P::Event>(i)), stored.at(i));
            QCOMPARE(P::eventFromStoredName(stored.at(i)), i);
            QCOMPARE(P::readableEvent(static_cast<P::Event>(i)), labels.at(i));
        }
        QCOMPARE(P::readableEvent(static_cast<P::Event>(5)), QString());
        QCOMPARE(P::storedName(static_cast<P::Event>(5)), QString());
        QCOMPARE(P::eventFromStoredName(QStringLiteral("Standby")), -1);
    }

    void alarmCodesAndLabels()
    {
        const QStringList codes = {"tamper", "battery-power", "products-not-available", "cannot-accept-money",
                                   "touchscreen-locked", "touchscreen-disconnected", "board-unresponsive"};
        const QStringList labels = {"Macchina manomessa", "Funzionamento a batteria", "Prodotti non disponibili",
                                    "Impossibile immettere credito", "Schermo bloccato",
                                    "Touchscreen non collegato", "Scheda di controllo in errore"};
        for (int i = 0; i < 7; ++i) {
            const Alarm alarm = static_cast<Alarm>(1 << i);
            QCOMPARE(alarm_code(alarm), codes.at(i));
            QCOMPARE(alarm_string(alarm), labels.at(i));
        }
        QCOMPARE(alarm_code(static_cast<Alarm>(3)), QString());
        QCOMPARE(alarm_string(static_cast<Alarm>(128)), QString());

        const Alarms set = BoardUnresponsiveAlarm | TamperAlarm | CannotAcceptMoneyAlarm;
        QCOMPARE(alarm_strings(set), QStringList({labels.at(0), labels.at(3), labels.at(6)}));
        QVERIFY(alarm_strings(Alarms()).isEmpty());
    }

    void telemetryIdsAndDescriptions()
    {
        QCOMPARE(AlarmNotification(TamperAlarm, false).id(), 0);
        for (Alarm a : {BatteryPowerAlarm, ProductsNotAvailableAlarm, CannotAcceptMoneyAlarm,
                        TouchscreenLockedAlarm, TouchscreenDisconnectedAlarm})
            QCOMPARE(AlarmNotification(a, false).id(), 12);
        QCOMPARE(AlarmNotification(BoardUnresponsiveAlarm, false).id(), -1);
        QCOMPARE(AlarmNotification(static_cast<Alarm>(256), false).id(), -1);
        QCOMPARE(AlarmNotification(BatteryPowerAlarm, true).description(), QStringLiteral("Funzionamento a batteria"));

        const ProductSoldOutNotification soldOut(QStringLiteral("cat/12"), QStringLiteral("Aspirina"), 4, false);
        QCOMPARE(soldOut.id(), 11);
        QCOMPARE(soldOut.description(), QStringLiteral("Prodotto 'Aspirina' (cat/12) esaurito alla colonna 5"));

        const MotorDispenserErrorNotification motor(17, false);
        QCOMPARE(motor.id(), 14);
        QCOMPARE(motor.description(), QStringLiteral("Malfunzionamento erogatore 18"));

        QCOMPARE(EmptyHopperNotification(0, false).id(), 6);
        QCOMPARE(EmptyHopperNotification(1, false).id(), 7);
        QCOMPARE(EmptyHopperNotification(1, false).description(), QStringLiteral("Hopper 2 vuoto"));
    }

    void alarmXmlElement()
    {
        AlarmNotification raised(TamperAlarm, false);
        raised.setTimestamp(QDateTime(QDate(2016, 3, 1), QTime(14, 5, 0)));
        QCOMPARE(alarm_xml(raised),
                 QStringLiteral("<Alarm id=\"0\" Description=\"Macchina manomessa\" DateTime=\"20160301_140500\"/>"));

        EmptyHopperNotification refilled(0, true);
        refilled.setTimestamp(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58)));
        QCOMPARE(alarm_xml(refilled),
                 QStringLiteral("<AlarmClear id=\"6\" Description=\"Hopper 1 vuoto\" DateTime=\"20241231_235958\"/>"));

        ProductSoldOutNotification quoted(QStringLiteral("a/1"), QStringLiteral("Gel \"extra\" & <forte>"), 0, false);
        quoted.setTimestamp(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
        QXmlStreamReader reader(alarm_xml(quoted));
        QVERIFY(reader.readNextStartElement());
        QCOMPARE(reader.name(), QStringLiteral("Alarm"));
        QCOMPARE(reader.attributes().value(QStringLiteral("Description")).toString(),
                 QStringLiteral("Prodotto 'Gel \"extra\" & <forte>' (a/1) esaurito alla colonna 1"));
    }

    void constructorsLeaveTimestampNull()
    {
        for (const auto& entry : one_of_each_notification()) {
            std::unique_ptr<NotificationBase> n(entry.second);
            QVERIFY2(n->timestamp().isNull(), qPrintable(entry.first));
        }
    }
};

QTEST_GUILESS_MAIN(NotificationsTest)
#include "tst_notifications.moc"
