#include "logging/periodicdblogger.h"
#include "purchaserig.h"

#include <QAtomicInteger>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const int SESSIONS = 20;
const int COIN = 100;

// Busy threads that keep the processors loaded while they live, for at most
// two minutes.
class BusyProcessors
{
public:
    explicit BusyProcessors(int count)
    {
        for (int i = 0; i < count; ++i) {
            m_threads.emplace_back(QThread::create([this] {
                QElapsedTimer timer;
                timer.start();
                volatile quint64 sink = 0;
                while (!m_stop.loadRelaxed() && timer.elapsed() < 120000)
                    sink = sink + 1;
            }));
            m_threads.back()->start(QThread::LowPriority);
        }
    }
    ~BusyProcessors()
    {
        m_stop.storeRelaxed(true);
        for (const auto& thread : m_threads)
            thread->wait();
    }

private:
    QAtomicInteger<bool> m_stop = false;
    std::vector<std::unique_ptr<QThread>> m_threads;
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

} // namespace

// Many sessions on a loaded machine, ended by alarms, by the countdown and,
// the last one, by the program stopping: every session has its begin and end
// rows in the event log and is booked exactly once.
class TestSessionSoak : public QObject
{
    Q_OBJECT

private slots:
    void everySessionIsLoggedAndBookedOnce();
};

void TestSessionSoak::everySessionIsLoggedAndBookedOnce()
{
    QJsonObject board = stocked_board(columns(3));
    board["hoppers"] = QJsonArray{QJsonObject{{"value", 100}, {"coins", 60}}};
    Purchase purchase(board);
    write_settings({{"hopper-value_1", 100}, {"max-change", 500}, {"short-wait", 15}, {"long-wait", 1}});
    QVERIFY(purchase.start());
    purchase.rig.session->setReaderSettleTime(200);
    QTRY_VERIFY_WITH_TIMEOUT(purchase.rig.change->isAvailable(), 10000);
    const QString logFile = purchase.rig.appDir.filePath(QStringLiteral("log.db"));
    auto eventLog = std::make_unique<PeriodicDbLogger>();
    eventLog->setDatabaseName(logFile);
    purchase.rig.notifications.addHandler(eventLog.get());
    QObject::connect(purchase.rig.checkout.get(), &SessionCheckout::finished, eventLog.get(),
                     &PeriodicDbLogger::flush);

    {
        BusyProcessors load(2);
        for (int i = 0; i < SESSIONS; ++i) {
            const QByteArray session = QByteArray::number(i);
            purchase.openGrid();
            QVERIFY2(purchase.pay(QStringLiteral("coin 100")), session);
            QVERIFY2(purchase.rig.awaitCredit(COIN), session + " credit " + QByteArray::number(purchase.rig.credit->currentCredit()));
            if (i % 2 == 0) {
                purchase.alarms->setAlarm(VM24::TamperAlarm);
                QVERIFY2(purchase.awaitHome(), qPrintable(QString::number(i)));
                purchase.alarms->clearAlarm(VM24::TamperAlarm);
            } else {
                // The countdown runs out.
                QVERIFY2(purchase.awaitHome(), qPrintable(QString::number(i)));
            }
        }
        // The program stops while a session is open.
        purchase.openGrid();
        QVERIFY(purchase.pay(QStringLiteral("coin 100")));
        QVERIFY(purchase.rig.awaitCredit(COIN));
        purchase.rig.checkout->finishNow();
    }
    QVERIFY(!purchase.rig.session->isOpen());
    QVERIFY(!purchase.rig.session->isPolling());
    eventLog.reset();

    QList<int> expected;
    for (int i = 0; i <= SESSIONS; ++i)
        expected << 0 << 2;
    QCOMPARE(session_flags(logFile), expected);
    const Accounting& books = purchase.rig.accounting->get(Ledger::Permanent);
    QCOMPARE(books.get(Accounting::Coins), qint64((SESSIONS + 1) * COIN));
    QCOMPARE(books.get(Accounting::ChangeCount), SESSIONS + 1);
    QCOMPARE(books.get(Accounting::ChangeDelivered), qint64((SESSIONS + 1) * COIN));
}

QTEST_MAIN(TestSessionSoak)
#include "tst_sessionsoak.moc"
