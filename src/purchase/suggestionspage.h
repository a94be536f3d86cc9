#pragma once

#include "ui/activity.h"

#include <QStringList>
#include <QVector>
#include <QWidget>

class ClickableImageLabel;
class PriceProvider;
class ProductDetailsPage;
class ProductProvider;
class QLabel;
class SuggestionButton;
class VendingSessionContext;

// After a purchase: up to three products of other categories, "ALTRI
// PRODOTTI" back to the grid and "NO GRAZIE" to end the purchase.
class SuggestionsPage : public QWidget, public Activity
{
    Q_OBJECT

public:
    static const int MAX_SUGGESTIONS = 3;
    static const int BUTTONS_TOP = 490;

    SuggestionsPage(ProductDetailsPage* detailsPage, VendingSessionContext* session, ProductProvider* products,
                    PriceProvider* prices, Context* context, QWidget* parent = nullptr);

    // Keeps the first three.
    void setSuggestedProducts(const QStringList& ids);
    QStringList suggestedProducts() const { return m_suggested; }

    void onStart() override;
    void onResume(const ActivityResult& result) override;
    void onStop() override;

    SuggestionButton* suggestionButton(int i) const { return m_buttons.at(i); }
    ClickableImageLabel* backButton() const { return m_backButton; }
    ClickableImageLabel* endSessionButton() const { return m_endSessionButton; }

public slots:
    void onPricesChanged();
    void onEndSessionClicked();
    void onProductSelected(int index);
    void onBackButtonClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    ClickableImageLabel* addPromoButton(const QPoint& position);
    void retranslate();

    ProductDetailsPage* m_detailsPage;
    VendingSessionContext* m_session;
    ProductProvider* m_products;
    PriceProvider* m_prices;
    QStringList m_suggested;
    QVector<SuggestionButton*> m_buttons;
    QLabel* m_heading;
    ClickableImageLabel* m_backButton;
    ClickableImageLabel* m_endSessionButton;
    QMetaObject::Connection m_pricesConnection;
};
