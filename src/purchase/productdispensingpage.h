#pragma once

#include "ui/activity.h"
#include "vending/purchaserequest.h"

#include <QList>
#include <QPixmap>
#include <QWidget>

class DeliveryService;
class MotorDispenserMonitor;
class ProductProvider;
class QLabel;
class SessionCredit;
class VendingSessionContext;

// The delivery page: "RITIRA PRODOTTO" while the delivery service charges a
// cashless card for what the cash does not cover and runs the motors of
// every selection that offers the product. It finishes with the list of
// dispensers that delivered.
class ProductDispensingPage : public QWidget, public Activity
{
    Q_OBJECT

public:
    static const int SUSPEND_WAIT_LIMIT_MS = 20000;

    ProductDispensingPage(VendingSessionContext* session, SessionCredit* credit, DeliveryService* delivery,
                          ProductProvider* products, MotorDispenserMonitor* motors, Context* context,
                          QWidget* parent = nullptr);

    void setRequest(const PurchaseRequest& request) { m_request = request; }
    const PurchaseRequest& request() const { return m_request; }

    void onStart() override;
    // A delivery under way is never cut short: the page finishes, with what
    // was delivered, when the motors have stopped.
    void onInterrupt() override;

    // The motors serving the product's selections that are neither empty nor
    // in error, in selection order.
    QList<int> deliveryCandidates(const QString& productId) const;

public slots:
    void onDispensingFinished(const QList<int>& delivered);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The steps before the motors run, each continuing the one before.
    void waitForCreditPollingSuspended();
    void onCreditPollingSuspended(bool suspended);
    bool hasPrice() const;
    void chargeCashlessCard();
    void onCharged(bool charged);
    void finishWithNothingDelivered();
    void retranslate();

    VendingSessionContext* m_session;
    SessionCredit* m_credit;
    DeliveryService* m_delivery;
    ProductProvider* m_products;
    MotorDispenserMonitor* m_motors;
    PurchaseRequest m_request;
    bool m_delivering = false;
    QPixmap m_picture;
    QPixmap m_tagline;
    QPixmap m_shadow;
    QPixmap m_arrows;
    QLabel* m_collect;
};
