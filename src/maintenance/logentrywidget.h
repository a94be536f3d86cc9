#pragma once

#include "logging/notificationvisitor.h"

#include <QStringList>
#include <QWidget>

class ProductProvider;
class QGridLayout;
class QLabel;
class QStackedLayout;

namespace VM24 {
class NotificationBase;
class StandardRkAlarm;
} // namespace VM24

// One row of the log viewer, 96 pixels high: the event's icon, title and
// time, and its content on one of four layouts (purchase, one field, two
// fields, text with a second picture).
class LogEntryWidget : public QWidget, public VM24::NotificationVisitor
{
    Q_OBJECT

public:
    enum Layout { PurchaseLayout = 0, SingleFieldLayout, DoubleFieldLayout, EventLayout };
    static const int HEIGHT = 96;
    static const int ICON_SIZE = 80;

    explicit LogEntryWidget(ProductProvider* products, QWidget* parent = nullptr);

    // Shows the notification; nothing for null.
    void displayEntry(const VM24::NotificationBase* notification);

    Layout currentLayout() const;
    QString title() const;
    QString date() const;
    QString iconName() const { return m_iconName; }
    // The second picture of the event layout, or the payment icon of a purchase.
    QString secondIconName() const { return m_secondIconName; }
    // The captions and values of the layout shown, in order.
    QStringList fields() const;

    void visit(const VM24::UserCashlessRechargeNotification* n) override;
    void visit(const VM24::ProductPurchasedNotification* n) override;
    void visit(const VM24::ChangeReturnedNotification* n) override;
    void visit(const VM24::OverpayNotification* n) override;
    void visit(const VM24::VendingSessionInfo* n) override;
    void visit(const VM24::AlarmNotification* n) override;
    void visit(const VM24::CashInsertedNotification* n) override;
    void visit(const VM24::PowerManagementNotification* n) override;
    void visit(const VM24::ProductSoldOutNotification* n) override;
    void visit(const VM24::MotorDispenserErrorNotification* n) override;
    void visit(const VM24::AlarmActiveNotification* n) override;
    void visit(const VM24::EmptyHopperNotification* n) override;
    void visit(const VM24::InfoNotification* n) override;
    void visit(const VM24::WarningNotification* n) override;
    void visit(const VM24::DebugNotification* n) override;
    void visit(const VM24::SupportRequestNotification* n) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Field
    {
        QLabel* caption;
        QLabel* value;
    };

    QWidget* addPage(QGridLayout** grid);
    Field addField(QGridLayout* grid, int row, int column);
    void setHeader(const QString& title, const QString& icon);
    void showText(const QString& title, const QString& text, const QString& icon,
                   const QString& secondIcon = QString());
    void showFields(Layout layout, const QString& title, const QString& icon,
                    const QList<QPair<QString, QString>>& fields);
    void showSingleAmount(const QString& title, int amount, const QString& icon);
    void showWarningOrCleared(const VM24::StandardRkAlarm* alarm);
    void elideEventText();
    void setPicture(QLabel* label, const QString& name, int size);

    ProductProvider* m_products;
    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_date;
    QStackedLayout* m_pages;
    QList<Field> m_purchaseFields;
    QLabel* m_paymentIcon;
    QList<Field> m_singleFields;
    QList<Field> m_doubleFields;
    QLabel* m_eventText;
    QLabel* m_eventPicture;
    QString m_eventFullText;
    QString m_iconName;
    QString m_secondIconName;
};
