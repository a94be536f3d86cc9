#pragma once

#include "logging/notificationservice.h"
#include "logging/warningnotification.h"

#include <QFuture>
#include <QList>
#include <QObject>

class Rk710Controller;
class SessionCredit;

// Takes a purchase out of the machine: charges a cashless card for what
// the cash does not cover, and runs the motors on a pool thread, one product
// per dispenser per pass, until the products are out or no dispenser is
// left. It reports a failing motor, a cycle the board could not confirm and,
// at the end, the dispensers that delivered, by signal.
class DeliveryService : public QObject
{
    Q_OBJECT

public:
    static const int PASS_WAIT_MS = 3000;

    DeliveryService(Rk710Controller* controller, SessionCredit* credit, VM24::NotificationService* notifications,
                    QObject* parent = nullptr);

    // The pause between two passes over the dispensers; PASS_WAIT_MS unless changed.
    void setPassWait(int ms) { m_passWaitMs = ms; }

    // Charges the card on a pool thread; the future holds whether it was
    // charged. The credit reader is suspended meanwhile.
    QFuture<bool> chargeCard(int amount);
    // The charge itself, in the calling thread.
    bool withdrawCashless(int amount);

    // Starts the delivery of count products from the dispensers (counted
    // from 0) on a pool thread; finished() follows.
    void start(const QList<int>& dispensers, int count);
    bool isRunning() const { return m_delivery.isRunning(); }
    // The motor loop itself, in the calling thread; returns the dispensers
    // that delivered, one entry per product.
    QList<int> deliver(QList<int> dispensers, int count);

signals:
    // From the pool thread.
    void motorFailed(int dispenser);
    void deliveryUnconfirmed(int dispenser);
    // In the GUI thread.
    void finished(const QList<int>& delivered);

private:
    QList<int> withStock(const QList<int>& dispensers) const;
    void warn(const QString& message,
              VM24::WarningNotification::Audience audience = VM24::WarningNotification::EventLog);

    Rk710Controller* m_controller;
    SessionCredit* m_credit;
    VM24::NotificationService* m_notifications;
    QFuture<QList<int>> m_delivery;
    int m_passWaitMs = PASS_WAIT_MS;
};
