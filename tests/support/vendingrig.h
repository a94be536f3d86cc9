#pragma once

#include "accounting/accountingservice.h"
#include "board/powercontrol.h"
#include "board/rk710controller.h"
#include "catalogue/priceprovider.h"
#include "catalogue/productprovider.h"
#include "moneynotificationlog.h"
#include "settings/settings.h"
#include "simulatedboard.h"
#include "testenvironment.h"
#include "vending/changeobserver.h"
#include "vending/deliveryservice.h"
#include "vending/sessioncheckout.h"
#include "vending/sessioncredit.h"
#include "vending/vendingsessioncontext.h"

#include <QFile>
#include <QJsonArray>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// Writes settings keys of the current application directory.
inline void write_settings(const QVariantMap& values)
{
    QSettings settings;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
}

// The totals of a period as the session balance that would book them.
inline SessionBalance booked(const Accounting& a)
{
    SessionBalance b;
    b.banknotes = a.get(Accounting::Banknotes);
    b.coins = a.get(Accounting::Coins);
    b.recharges = a.get(Accounting::Recharges);
    b.changeDelivered = a.get(Accounting::ChangeDelivered);
    b.cashIncome = a.get(Accounting::CashIncome);
    b.cashlessIncome = a.get(Accounting::CashlessIncome);
    b.posIncome = a.get(Accounting::PosIncome);
    b.extraCredit = a.get(Accounting::ExtraIncome);
    b.rechargeCount = a.get(Accounting::RechargeCount);
    b.changeCount = a.get(Accounting::ChangeCount);
    b.coinBox = a.get(Accounting::CoinBox);
    return b;
}

inline QString describe(const SessionBalance& b)
{
    return QStringLiteral("banknotes %1 coins %2 recharges %3 change %4 cash %5 cashless %6 pos %7 extra %8 "
                          "recharge-count %9 change-count %10 coin-box %11")
        .arg(b.banknotes)
        .arg(b.coins)
        .arg(b.recharges)
        .arg(b.changeDelivered)
        .arg(b.cashIncome)
        .arg(b.cashlessIncome)
        .arg(b.posIncome)
        .arg(b.extraCredit)
        .arg(b.rechargeCount)
        .arg(b.changeCount)
        .arg(b.coinBox);
}

// A vending session (credit, life, checkout, delivery) wired as the main
// window wires it, over the board simulator, in a fresh application
// directory. Settings written before start() are read by every part.
class VendingRig
{
public:
    explicit VendingRig(const QJsonObject& boardState = QJsonObject())
        : board(boardState)
    {
    }
    ~VendingRig()
    {
        // A session still polling stops with the board still there.
        // (The QTRY macros give up once a test has failed.)
        if (session && session->isPolling()) {
            session->prepareToCloseSession();
            QElapsedTimer timer;
            timer.start();
            while (session->isPolling() && timer.elapsed() < 10000)
                QTest::qWait(20);
        }
    }

    bool start()
    {
        if (!board.start()) {
            qWarning() << board.errorString();
            return false;
        }
        notifications.addHandler(&log);
        accounting = std::make_unique<AccountingService>();
        QSettings settings;
        change = std::make_unique<ChangeObserver>(&notifications);
        change->loadConfiguration(settings);
        change->setDeviceStatus(controller()->getBoardStatus());
        QObject::connect(controller(), &Rk710Controller::deviceStatusChanged, change.get(),
                         &ChangeObserver::setDeviceStatus);
        products = std::make_unique<ProductProvider>(appDir.filePath("data/products"));
        prices = std::make_unique<PriceProvider>(products.get());
        power = std::make_unique<PowerControl>();
        credit = std::make_unique<SessionCredit>(prices.get(), accounting.get(), &notifications);
        session = std::make_unique<VendingSessionContext>(controller(), credit.get(), power.get(), &notifications);
        session->loadConfiguration(settings);
        checkout = std::make_unique<SessionCheckout>(controller(), session.get(), credit.get(), accounting.get(),
                                                     change.get(), &notifications);
        delivery = std::make_unique<DeliveryService>(controller(), credit.get(), &notifications);
        return true;
    }

    Rk710Controller* controller() const { return board.controller(); }
    bool control(const QString& command) const { return board.control(command); }
    QJsonObject state() const { return board.state(); }
    QJsonObject card() const { return state().value("card").toObject(); }
    QJsonObject enables() const { return state().value("enables").toObject(); }

    // Waits until the session holds the credit.
    bool awaitCredit(int value, int ms = 8000)
    {
        QElapsedTimer timer;
        timer.start();
        while (credit->currentCredit() != value && timer.elapsed() < ms)
            QTest::qWait(20);
        return credit->currentCredit() == value;
    }

    // Ends the session as the product grid does and waits for the board
    // counters that closing it writes.
    bool endSession()
    {
        const QString counters = appDir.filePath("counters.xml");
        QFile::remove(counters);
        QSignalSpy finished(checkout.get(), &SessionCheckout::finished);
        checkout->start();
        if (finished.isEmpty() && !finished.wait(60000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (!QFile::exists(counters) && timer.elapsed() < 20000)
            QTest::qWait(20);
        return QFile::exists(counters);
    }

    // The value of the coins in the hoppers and the changer tubes.
    int storedCoins() const
    {
        int value = 0;
        const QJsonObject machine = state();
        for (const char* store : {"hoppers", "tubes"}) {
            for (const QJsonValue& s : machine.value(store).toArray())
                value += s["value"].toInt() * s["coins"].toInt();
        }
        return value;
    }

    // Suspends the credit reader as the delivery page does.
    bool suspend()
    {
        QSignalSpy suspended(session.get(), &VendingSessionContext::creditPollingSuspended);
        session->prepareToDispenseProduct();
        return suspended.wait(10000);
    }

    // The board requests that switch money acceptance, from index `from` of
    // the request log on: "O1 74", "E1101", "W0", "A".
    QStringList acceptanceRequests(int from = 0) const
    {
        QStringList described;
        const QList<QByteArray> requests = board.requests();
        for (int i = from; i < requests.size(); ++i) {
            const QByteArray& r = requests.at(i);
            switch (r.at(0)) {
            case 'O':
                described << QStringLiteral("O%1 %2").arg(int(r.at(1))).arg((quint8(r.at(2)) << 8) | quint8(r.at(3)));
                break;
            case 'E':
                described << QStringLiteral("E%1%2%3%4")
                                 .arg(r.at(1) & 1)
                                 .arg((r.at(1) >> 1) & 1)
                                 .arg((r.at(1) >> 2) & 1)
                                 .arg((r.at(1) >> 3) & 1);
                break;
            case 'W':
                described << QStringLiteral("W%1").arg(int(r.at(1)));
                break;
            case 'A':
                described << QStringLiteral("A");
                break;
            }
        }
        return described;
    }
    int requestCount() const { return int(board.requests().size()); }
    // How many requests with this command letter the board received.
    int requestsOf(char code) const
    {
        int count = 0;
        for (const QByteArray& r : board.requests())
            count += r.at(0) == code;
        return count;
    }

    TestEnvironment::ScopedAppDir appDir;
    SimulatedBoard board;
    VM24::NotificationService notifications;
    MoneyNotificationLog log;
    std::unique_ptr<AccountingService> accounting;
    std::unique_ptr<ChangeObserver> change;
    std::unique_ptr<ProductProvider> products;
    std::unique_ptr<PriceProvider> prices;
    std::unique_ptr<PowerControl> power;
    std::unique_ptr<SessionCredit> credit;
    std::unique_ptr<VendingSessionContext> session;
    std::unique_ptr<SessionCheckout> checkout;
    std::unique_ptr<DeliveryService> delivery;
};
