#pragma once

#include "ui/activity.h"

#include <QFutureWatcher>
#include <QList>
#include <QPixmap>
#include <QWidget>

class MotorDispenserMonitor;
class ProductProvider;
class QLabel;
class Rk710Controller;
class VendingSessionContext;

// The delivery: charges a cashless card for what the cash does not cover,
// then runs, on a worker thread, the motors of every selection that offers
// the product, one product per dispenser per pass, while "RITIRA PRODOTTO"
// shows. It finishes with the list of dispensers that delivered.
class ProductDispensingPage : public QWidget, public Activity
{
    Q_OBJECT

public:
    static const int PASS_WAIT_MS = 3000;
    static const int SUSPEND_WAIT_LIMIT_MS = 20000;

    ProductDispensingPage(VendingSessionContext* session, ProductProvider* products, MotorDispenserMonitor* motors,
                          Rk710Controller* controller, Context* context, QWidget* parent = nullptr);

    void setNumberOfProductsToDispense(int count) { m_numberOfProductsToDispense = count; }
    int numberOfProductsToDispense() const { return m_numberOfProductsToDispense; }
    void setUnitPrice(int cents) { m_unitPrice = cents; }
    int unitPrice() const { return m_unitPrice; }
    // The pause between two passes over the dispensers; PASS_WAIT_MS unless changed.
    void setPassWait(int ms) { m_passWaitMs = ms; }

    void onStart() override;
    // A delivery under way is never cut short: the page finishes, with what
    // was delivered, when the motors have stopped.
    void onInterrupt() override;

    // The motors serving the product's selections that are neither empty nor
    // in error, in selection order.
    QList<int> deliveryCandidates() const;
    // Runs on a pool thread; returns the dispensers that delivered, one entry per product.
    QList<int> productDispensingTask(QList<int> dispensers);

public slots:
    void onDispensingFinished();

protected:
    void customEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool waitForCreditPollingSuspended();
    bool chargeCashlessCard();
    void finishWithNothingDelivered();
    void retranslate();

    VendingSessionContext* m_session;
    ProductProvider* m_products;
    MotorDispenserMonitor* m_motors;
    Rk710Controller* m_controller;
    int m_numberOfProductsToDispense = 0;
    int m_unitPrice = 0;
    int m_passWaitMs = PASS_WAIT_MS;
    QPixmap m_picture;
    QPixmap m_tagline;
    QPixmap m_shadow;
    QPixmap m_arrows;
    QLabel* m_collect;
    QFutureWatcher<QList<int>> m_watcher;
};
