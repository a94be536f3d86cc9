#pragma once

#include "ui/activity.h"

#include <QPixmap>
#include <QWidget>

class ClickableImageLabel;
class PriceProvider;
class ProductDispensingPage;
class ProductProvider;
class QLabel;
class SessionCredit;
class VendingSessionContext;

// One product: its picture and description, the unit price, the quantity
// the customer chooses (never more than the credit covers) and the total,
// with "ANNULLA" and "CONFERMA".
class ProductDetailsPage : public QWidget, public Activity
{
    Q_OBJECT

public:
    ProductDetailsPage(ProductDispensingPage* dispensingPage, VendingSessionContext* session, SessionCredit* credit,
                       ProductProvider* products, PriceProvider* prices, Context* context,
                       QWidget* parent = nullptr);

    // The product the page shows when it starts.
    void setProductId(const QString& productId) { m_productId = productId; }
    QString productId() const { return m_productId; }

    void onStart() override;
    void onResume(const ActivityResult& result) override;
    void onPause() override;
    void onStop() override;

    int quantity() const { return m_quantity; }
    int unitPrice() const { return m_unitPrice; }
    int availableCredit() const { return m_availableCredit; }
    QString quantityText() const;
    QString totalText() const;
    QString unitPriceText() const;
    QString descriptionText() const;
    ClickableImageLabel* decrementButton() const { return m_decrement; }
    ClickableImageLabel* incrementButton() const { return m_increment; }
    ClickableImageLabel* confirmButton() const { return m_confirm; }
    ClickableImageLabel* cancelButton() const { return m_cancel; }

public slots:
    void setAvailableCredit(int cents);
    void onPricesChanged();
    void incrementQuantity();
    void decrementQuantity();
    void onConfirm();
    void onCancel();
    void setUnitPrice(int cents);
    void setQuantity(int quantity);
    void setQuantityIfChanges(int quantity);
    void adjustQuantity();
    void updateButtonStates();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool isForSale() const;
    QLabel* addLabel(const QString& styleClass, const QRect& rect, Qt::Alignment alignment);
    ClickableImageLabel* addButton(const QString& picture, const QMargins& margins, const QPoint& position);
    void showInsufficientCredit();
    void retranslate();

    ProductDispensingPage* m_dispensingPage;
    VendingSessionContext* m_session;
    SessionCredit* m_credit;
    ProductProvider* m_products;
    PriceProvider* m_prices;
    QString m_productId;
    int m_unitPrice = 0;
    int m_quantity = 0;
    int m_availableCredit = 0;
    QPixmap m_picture;
    QPixmap m_productBase;
    QPixmap m_descriptionFrame;
    QPixmap m_priceFrame;
    QPixmap m_quantityFrame;
    QLabel* m_descriptionHeading;
    QLabel* m_description;
    QLabel* m_unitPriceHeading;
    QLabel* m_unitPriceLabel;
    QLabel* m_quantityHeading;
    QLabel* m_quantityLabel;
    QLabel* m_totalHeading;
    QLabel* m_totalLabel;
    ClickableImageLabel* m_decrement;
    ClickableImageLabel* m_increment;
    ClickableImageLabel* m_cancel;
    ClickableImageLabel* m_confirm;
    QMetaObject::Connection m_creditConnection;
    QMetaObject::Connection m_pricesConnection;
};
