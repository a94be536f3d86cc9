#include "logging/periodicdblogger.h"
#include "logging/vendingsessioninfo.h"
#include "purchaserig.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <atomic>

namespace {

const int SESSIONS = 20;
const int COIN = 100;

// A child process that keeps one processor busy while it lives.
class BusyProcessor
{
public:
    BusyProcessor()
    {
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("sha256sum"), {QStringLiteral("/dev/zero")});
    }
    ~BusyProcessor()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    bool isRunning() { return m_process.waitForStarted(5000); }

private:
    QProcess m_process;
};

// The "vending-session-info" flags of the event log, in order.
QList<int> session_flags(const QString& file)
{
    QList<int> flags;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("soak-reader"));
        db.setDatabaseName(file);
        if (!db.open())
            return {-1};
        QSqlQuery query(db);
        query.exec(QStringLiteral("SELECT data FROM Log WHERE category = 'vending-session-info' ORDER BY rowid"));
        while (query.next()) {
            const QString data = query.value(0).toString();
            flags.append(data.section(QLatin1Char('&'), 0, 0).section(QLatin1Char('='), 1).toInt());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("soak-reader"));
    return flags;
}

// The coins booked in the ledger on disk.
qint64 coins_on_disk()
{
    const AccountingService reloaded;
    return reloaded.get(Ledger::Permanent).get(Accounting::Coins);
}

} // namespace

// Many sessions on a loaded machine, ended by alarms, by the countdown and,
// the last one, by the program stopping: every session has its begin and end
// rows in the event log and is booked exactly once, on disk before the home
// page is back.
class TestSessionSoak : public QObject
{
    Q_OBJECT

private slots:
    void everySessionIsLoggedAndBookedOnce();
};

void TestSessionSoak::everySessionIsLoggedAndBookedOnce()
{
    BusyProcessor load;
    QVERIFY(load.isRunning());
    // Set by the reader's thread when the session's credit shows the coin.
    // The credit is gone again once the countdown has closed the session,
    // which may happen before the test looks at it, so it is caught here.
    std::atomic<bool> coinSeen{false};

    QJsonObject board = stocked_board(columns(3));
    board["hoppers"] = QJsonArray{QJsonObject{{"value", 100}, {"coins", 60}}};
    Purchase purchase(board);
    write_settings({{"hopper-value_1", 100}, {"max-change", 500}, {"short-wait", 15}, {"long-wait", 2}});
    QVERIFY(purchase.start());
    purchase.rig.session->setReaderSettleTime(200);
    QTRY_VERIFY_WITH_TIMEOUT(purchase.rig.change->isAvailable(), 10000);
    const QString logFile = purchase.rig.appDir.filePath(QStringLiteral("log.db"));
    auto eventLog = std::make_unique<PeriodicDbLogger>();
    eventLog->setDatabaseName(logFile);
    purchase.rig.notifications.addHandler(eventLog.get());
    QObject::connect(purchase.rig.checkout.get(), &SessionCheckout::finished, eventLog.get(),
                     &PeriodicDbLogger::flush);
    QObject::connect(purchase.rig.credit.get(), &SessionCredit::creditChanged, [&coinSeen](int credit) {
        if (credit == COIN)
            coinSeen = true;
    });
    QSignalSpy expired(purchase.rig.session.get(), &VendingSessionContext::sessionExpired);

    for (int i = 0; i < SESSIONS; ++i) {
        const QByteArray session = "session " + QByteArray::number(i);
        coinSeen = false;
        purchase.openGrid();
        QVERIFY2(purchase.pay(QStringLiteral("coin 100")), session);
        QVERIFY2(QTest::qWaitFor([&coinSeen] { return coinSeen.load(); }, 10000), session);
        if (i % 2 == 0) {
            purchase.alarms->setAlarm(VM24::TamperAlarm);
            QVERIFY2(purchase.awaitHome(), session);
            purchase.alarms->clearAlarm(VM24::TamperAlarm);
        } else {
            // The countdown runs out.
            QVERIFY2(purchase.awaitHome(), session);
        }
        QCOMPARE(coins_on_disk(), qint64((i + 1) * COIN));
    }
    QCOMPARE(expired.count(), SESSIONS / 2);

    // The program stops while a session is open.
    coinSeen = false;
    purchase.openGrid();
    QVERIFY(purchase.pay(QStringLiteral("coin 100")));
    QVERIFY(QTest::qWaitFor([&coinSeen] { return coinSeen.load(); }, 10000));
    purchase.rig.checkout->finishNow();
    QVERIFY(!purchase.rig.session->isOpen());
    QVERIFY(!purchase.rig.session->isPolling());
    eventLog.reset();

    QList<int> expected;
    for (int i = 0; i <= SESSIONS; ++i)
        expected << VM24::VendingSessionInfo::SessionBegin << VM24::VendingSessionInfo::SessionEnd;
    QCOMPARE(session_flags(logFile), expected);
    QCOMPARE(coins_on_disk(), qint64((SESSIONS + 1) * COIN));
    const Accounting& books = purchase.rig.accounting->get(Ledger::Permanent);
    QCOMPARE(books.get(Accounting::Coins), qint64((SESSIONS + 1) * COIN));
    QCOMPARE(books.get(Accounting::ChangeCount), SESSIONS + 1);
    QCOMPARE(books.get(Accounting::ChangeDelivered), qint64((SESSIONS + 1) * COIN));
    QCOMPARE(purchase.rig.state()["hoppers"].toArray()[0].toObject()["coins"].toInt(), 60 - (SESSIONS + 1));
}

QTEST_MAIN(TestSessionSoak)
#include "tst_sessionsoak.moc"
