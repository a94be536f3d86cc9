#include "board/boardstatus.h"
#include "settings/settings.h"
#include "vendingrig.h"

#include <QtTest>

class TestCreditReader : public QObject
{
    Q_OBJECT

private slots:
    void startAcceptsEverything();
    void posSwitchesEveryOtherAcceptorOff();
    void maxCreditStopsAcceptanceUntilTheCreditFalls();
    void suspendResumeStop();
    void changeAvailability_data();
    void changeAvailability();
    void emptyHopperNotifications();
    void hopperRunningEmptyOnTheBoard();
};

void TestCreditReader::startAcceptsEverything()
{
    VendingRig rig;
    QVERIFY(rig.start());
    const int from = rig.requestCount();
    rig.session->beginVendingSession();
    QTRY_VERIFY(rig.enables().value("pos").toBool());
    QTRY_COMPARE(rig.acceptanceRequests(from), QStringList({"O1 74", "E1111", "W1"}));
    const QJsonObject enables = rig.enables();
    QVERIFY(enables["billValidator"].toBool() && enables["coinAcceptor"].toBool() && enables["cashless"].toBool()
            && enables["banknotes"].toBool());
    QCOMPARE(rig.state()["outputs"].toInt() & 74, 74);
    QVERIFY(rig.endSession());
}

void TestCreditReader::posSwitchesEveryOtherAcceptorOff()
{
    VendingRig rig;
    QVERIFY(rig.start());
    const int from = rig.requestCount();
    rig.session->beginVendingSession();
    QTRY_COMPARE(rig.acceptanceRequests(from), QStringList({"O1 74", "E1111", "W1"}));
    QVERIFY(rig.control("pos 1500"));
    // A POS payment is not credit the customer spends as they like.
    QTRY_COMPARE(rig.credit->method(), 3);
    QCOMPARE(rig.credit->currentCredit(), 0);
    QTRY_COMPARE(rig.acceptanceRequests(from),
                 QStringList({"O1 74", "E1111", "W1", "O0 66", "O1 8", "E0010"}));
    QCOMPARE(rig.state()["outputs"].toInt() & 74, 8);
    QVERIFY(!rig.control("coin 100"));
    // Neither the countdown nor the dispensing wait lets banknotes back in.
    const int afterPos = rig.requestCount();
    rig.session->refreshCountdown();
    QTest::qWait(300);
    QCOMPARE(rig.acceptanceRequests(afterPos), QStringList());
    QVERIFY(rig.endSession());
    QCOMPARE(rig.accounting->get(Ledger::Log).get(Accounting::ExtraIncome), 0);
}

void TestCreditReader::maxCreditStopsAcceptanceUntilTheCreditFalls()
{
    VendingRig rig;
    write_settings({{"max-credit", 1000}});
    QVERIFY(rig.start());
    int from = rig.requestCount();
    rig.session->beginVendingSession();
    QTRY_COMPARE(rig.acceptanceRequests(from), QStringList({"O1 74", "E1111", "W1"}));
    QVERIFY(rig.control("coin 200"));
    QVERIFY(rig.awaitCredit(200));
    // Cash in: the POS goes off; the credit change takes banknotes again.
    QTRY_COMPARE(rig.acceptanceRequests(from),
                 QStringList({"O1 74", "E1111", "W1", "O1 66", "O0 8", "E1101", "W1", "W1"}));
    from = rig.requestCount();
    QVERIFY(rig.control("banknote 1000"));
    QVERIFY(rig.awaitCredit(1200));
    QTRY_COMPARE(rig.acceptanceRequests(from).join(", "), QStringList({"O0 10", "E1001", "W0"}).join(", "));
    QVERIFY(!rig.control("coin 100"));
    QVERIFY(!rig.control("banknote 500"));
    // Refreshing the countdown does not take banknotes at the limit.
    const int atLimit = rig.requestCount();
    rig.session->refreshCountdown();
    QTest::qWait(300);
    QCOMPARE(rig.acceptanceRequests(atLimit), QStringList());

    rig.credit->recordPurchase(QString(), 500, {2});
    QTRY_COMPARE(rig.acceptanceRequests(atLimit), QStringList({"O1 66", "O0 8", "E1101", "W1"}));
    QVERIFY(rig.control("coin 100"));
    QVERIFY(rig.awaitCredit(800));
    QVERIFY(rig.endSession());
}

void TestCreditReader::suspendResumeStop()
{
    VendingRig rig;
    QVERIFY(rig.start());
    int from = rig.requestCount();
    rig.session->beginVendingSession();
    QTRY_COMPARE(rig.acceptanceRequests(from), QStringList({"O1 74", "E1111", "W1"}));
    QVERIFY(rig.control("coin 100"));
    QVERIFY(rig.awaitCredit(100));
    QTRY_COMPARE(rig.acceptanceRequests(from).size(), 8);
    from = rig.requestCount();
    QVERIFY(rig.suspend());
    QCOMPARE(rig.acceptanceRequests(from).join(", "), QStringList({"O0 10", "E1001", "W0"}).join(", "));
    // Nothing is read while suspended.
    from = rig.requestCount();
    const int reads = rig.requestsOf('C');
    QTest::qWait(1200);
    QCOMPARE(rig.requestsOf('C'), reads);

    rig.session->beginMultivend();
    QCOMPARE(rig.session->countdown()->value(), 60);
    QTRY_VERIFY(rig.requestsOf('C') > reads);
    QCOMPARE(rig.acceptanceRequests(from).join(", "), QString("O1 66, O0 8, E1101, W1"));

    from = rig.requestCount();
    QSignalSpy stopped(rig.session.get(), &VendingSessionContext::creditPollingStopped);
    rig.session->prepareToCloseSession();
    QVERIFY(stopped.wait(10000));
    QVERIFY(!rig.session->isPolling());
    // The board keeps the credit until the session is booked.
    QCOMPARE(rig.acceptanceRequests(from), QStringList({"O0 10", "E1001", "W0", "O0 74", "E0000"}));
    QCOMPARE(rig.state()["credit"].toObject()["coins"].toInt(), 100);
    QVERIFY(rig.endSession());
    QCOMPARE(rig.state()["credit"].toObject()["coins"].toInt(), 0);
    // The coin went into the changer's tube, which pays it back.
    QCOMPARE(rig.accounting->get(Ledger::Log).get(Accounting::Coins), 100);
    QCOMPARE(rig.accounting->get(Ledger::Log).get(Accounting::ChangeDelivered), 100);
    QCOMPARE(rig.accounting->get(Ledger::Log).get(Accounting::ExtraIncome), 0);
}

void TestCreditReader::changeAvailability_data()
{
    QTest::addColumn<int>("maxChange");
    QTest::addColumn<int>("hopperValue1");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("available");
    const int hopper1 = BoardStatus::Hopper1Coins;
    const int changer = BoardStatus::CoinChanger | BoardStatus::CanGiveChange;
    QTest::newRow("hopper 1 with a coin value") << 500 << 100 << hopper1 << true;
    QTest::newRow("hopper 1 without a coin value") << 500 << 0 << hopper1 << false;
    QTest::newRow("hopper 2 holds coins but has no value") << 500 << 100 << int(BoardStatus::Hopper2Coins) << false;
    QTest::newRow("changer that can give change") << 500 << 0 << changer << true;
    QTest::newRow("changer that cannot") << 500 << 0 << int(BoardStatus::CoinChanger) << false;
    QTest::newRow("no change at all allowed") << 0 << 100 << (hopper1 | changer) << false;
}

void TestCreditReader::changeAvailability()
{
    QFETCH(int, maxChange);
    QFETCH(int, hopperValue1);
    QFETCH(int, status);
    QFETCH(bool, available);
    TestEnvironment::ScopedAppDir dir;
    write_settings({{"max-change", maxChange}, {"hopper-value_1", hopperValue1}});
    ChangeObserver observer(nullptr);
    QSignalSpy availability(&observer, &ChangeObserver::availableChanged);
    QSignalSpy maxChanges(&observer, &ChangeObserver::maxChangeChanged);
    QSettings settings;
    observer.loadConfiguration(settings);
    QCOMPARE(maxChanges.takeFirst().first().toInt(), maxChange);
    observer.setDeviceStatus(status);
    QCOMPARE(observer.isAvailable(), available);
    QCOMPARE(availability.count(), available ? 1 : 0);
    observer.setDeviceStatus(status);
    QCOMPARE(availability.count(), available ? 1 : 0);
    observer.setDeviceStatus(0);
    QVERIFY(!observer.isAvailable());
    QCOMPARE(availability.count(), available ? 2 : 0);
}

void TestCreditReader::emptyHopperNotifications()
{
    VM24::NotificationService notifications;
    MoneyNotificationLog log;
    notifications.addHandler(&log);
    ChangeObserver observer(&notifications);
    const int both = BoardStatus::Hopper1Coins | BoardStatus::Hopper2Coins;
    observer.setDeviceStatus(both);
    log.clear();
    observer.setDeviceStatus(BoardStatus::Hopper2Coins);
    observer.setDeviceStatus(BoardStatus::Hopper2Coins | BoardStatus::Printer);
    QCOMPARE(log.lines(), QStringList{"empty-hopper 0 empty"});
    observer.setDeviceStatus(BoardStatus::Hopper1Coins);
    observer.setDeviceStatus(both);
    QCOMPARE(log.lines(), QStringList({"empty-hopper 0 empty", "empty-hopper 0 cleared", "empty-hopper 1 empty",
                                       "empty-hopper 1 cleared"}));
}

void TestCreditReader::hopperRunningEmptyOnTheBoard()
{
    VendingRig rig(QJsonObject{{"hoppers", QJsonArray{QJsonObject{{"value", 100}, {"coins", 3}}}}});
    write_settings({{"hopper-value_1", 100}});
    QVERIFY(rig.start());
    QTRY_VERIFY_WITH_TIMEOUT(rig.change->isAvailable(), 15000);
    rig.log.clear();
    QVERIFY(rig.control("hopper 1 empty"));
    QTRY_VERIFY_WITH_TIMEOUT(!rig.change->isAvailable(), 15000);
    QCOMPARE(rig.log.starting("empty-hopper"), QStringList({"empty-hopper 0 empty"}));
}

QTEST_MAIN(TestCreditReader)
#include "tst_creditreader.moc"
