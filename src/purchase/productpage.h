#pragma once

#include "core/alarm.h"
#include "ui/activity.h"
#include "vending/motordispensermonitor.h"

#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QVector>
#include <QWidget>

class BrixoEventsPage;
class ClickableArea;
class InteractiveMessageDialog;
class MessageDialog;
class PriceProvider;
class ProductButton;
class ProductDetailsPage;
class ProductProvider;
class Rk710Controller;
class SessionCheckout;
class SessionCredit;
class SuggestionsPage;
class VendingSessionContext;

// The product grid: 18 selections around the information panel and the
// partner banner below. Starting it begins a vending session; stopping it,
// whatever the reason, ends the session through the checkout (change,
// credit note, booking), whose progress it shows.
class ProductPage : public QWidget, public Activity
{
    Q_OBJECT

public:
    static const int SELECTIONS = 18;
    static const QSize BUTTON_SIZE;
    static const QRect BRIXO_BANNER_FRAME;

    ProductPage(ProductDetailsPage* detailsPage, SuggestionsPage* suggestionsPage, VendingSessionContext* session,
                SessionCredit* credit, SessionCheckout* checkout, ProductProvider* products, PriceProvider* prices,
                MotorDispenserMonitor* motors, Rk710Controller* controller, Context* context,
                QWidget* parent = nullptr);

    void onStart() override;
    void onResume(const ActivityResult& result) override;
    void onStop() override;
    void onInterrupt() override;

    // Where the button of a selection sits on the screen.
    static QPoint buttonPosition(int selection);
    ProductButton* button(int selection) const { return m_buttons.at(selection); }
    BrixoEventsPage* brixoEventsPage() const { return m_brixoEventsPage; }
    // The products offered after a purchase of the product with that id,
    // in selection order, before the shuffle.
    QStringList suggestionsFor(const QString& productId) const;

public slots:
    void onAlarmsChanged(VM24::Alarms alarms);
    void triggerEndSession();
    void onProductSelected(int selection);
    void onPricesChanged();
    void onMotorStateChanged(int motorIndex, MotorDispenserMonitor::MotorState state);
    void showBrixoEvents();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showSelection(int selection, int indexPolicy);
    bool isSelling(int selection) const;
    void offerSuggestions(const QString& productId);
    void endSession();
    void onCheckoutFinished();
    void closeCheckoutBox();

    ProductDetailsPage* m_detailsPage;
    SuggestionsPage* m_suggestionsPage;
    BrixoEventsPage* m_brixoEventsPage;
    VendingSessionContext* m_session;
    SessionCredit* m_credit;
    SessionCheckout* m_checkout;
    ProductProvider* m_products;
    PriceProvider* m_prices;
    MotorDispenserMonitor* m_motors;
    Rk710Controller* m_controller;
    QVector<ProductButton*> m_buttons;
    ClickableArea* m_bannerArea;
    QPixmap m_bannerFrame;
    QPixmap m_banner;
    QPointer<MessageDialog> m_checkoutBox;
    QPointer<InteractiveMessageDialog> m_noteWarning;
    QList<QMetaObject::Connection> m_checkoutConnections;
};
