#include "purchase/suggestionspage.h"

#include "catalogue/priceprovider.h"
#include "catalogue/productprovider.h"
#include "core/vm24.h"
#include "purchase/productdetailspage.h"
#include "ui/clickableimagelabel.h"
#include "ui/context.h"
#include "ui/stylebackground.h"
#include "ui/suggestionbutton.h"
#include "vending/vendingsessioncontext.h"

#include <QEvent>
#include <QLabel>

namespace {
const int BUTTON_LEFT = 20;
const int BUTTON_STEP = 350;
const QRect HEADING(20, 410, 1040, 70);
const QPoint OTHER_PRODUCTS_POSITION(212, 1220);
const QPoint NO_THANKS_POSITION(212, 1554);
} // namespace

SuggestionsPage::SuggestionsPage(ProductDetailsPage* detailsPage, VendingSessionContext* session,
                                 ProductProvider* products, PriceProvider* prices, Context* context, QWidget* parent)
    : QWidget(parent)
    , Activity(context)
    , m_detailsPage(detailsPage)
    , m_session(session)
    , m_products(products)
    , m_prices(prices)
    , m_heading(new QLabel(this))
{
    m_heading->setProperty("class", QStringLiteral("page-heading"));
    m_heading->setGeometry(HEADING);
    m_heading->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < MAX_SUGGESTIONS; ++i) {
        auto* button = new SuggestionButton(this);
        button->move(BUTTON_LEFT + BUTTON_STEP * i, BUTTONS_TOP);
        connect(button, &QAbstractButton::clicked, this, [this, i] { onProductSelected(i); });
        m_buttons.append(button);
    }
    m_backButton = addPromoButton(OTHER_PRODUCTS_POSITION);
    m_endSessionButton = addPromoButton(NO_THANKS_POSITION);
    connect(m_backButton, &QAbstractButton::clicked, this, &SuggestionsPage::onBackButtonClicked);
    connect(m_endSessionButton, &QAbstractButton::clicked, this, &SuggestionsPage::onEndSessionClicked);
    retranslate();
}

ClickableImageLabel* SuggestionsPage::addPromoButton(const QPoint& position)
{
    auto* button = new ClickableImageLabel(QPixmap(QStringLiteral(":/images/promo-button")),
                                           VM24::PROMO_BUTTON_MARGINS, this);
    button->setProperty("class", QStringLiteral("promo-button"));
    button->move(position);
    return button;
}

void SuggestionsPage::setSuggestedProducts(const QStringList& ids)
{
    m_suggested = ids.mid(0, MAX_SUGGESTIONS);
}

void SuggestionsPage::onStart()
{
    for (int i = 0; i < MAX_SUGGESTIONS; ++i) {
        SuggestionButton* button = m_buttons.at(i);
        if (i < m_suggested.size()) {
            button->setImage(m_products->getImage(m_suggested.at(i)));
            button->setPrice(m_prices->price(m_suggested.at(i)));
            button->show();
        } else {
            button->hide();
        }
    }
    m_pricesConnection = connect(m_prices, &PriceProvider::pricesChanged, this, &SuggestionsPage::onPricesChanged);
    context()->showView(this);
}

// A result is handed down even when the page was interrupted meanwhile: a
// delivery made from here must reach the grid to be booked.
void SuggestionsPage::onResume(const ActivityResult& result)
{
    if (isInterrupted() || result.status() != ActivityResult::NoResult) {
        finish(result);
        return;
    }
    m_session->refreshCountdown();
    context()->showView(this);
}

void SuggestionsPage::onStop()
{
    disconnect(m_pricesConnection);
}

void SuggestionsPage::onPricesChanged()
{
    for (int i = 0; i < m_suggested.size(); ++i)
        m_buttons.at(i)->setPrice(m_prices->price(m_suggested.at(i)));
}

void SuggestionsPage::onEndSessionClicked()
{
    finish(ActivityResult::ABORT);
}

void SuggestionsPage::onProductSelected(int index)
{
    if (index < 0 || index >= m_suggested.size())
        return;
    m_detailsPage->setProductId(m_suggested.at(index));
    startActivity(m_detailsPage);
}

void SuggestionsPage::onBackButtonClicked()
{
    finish();
}

void SuggestionsPage::paintEvent(QPaintEvent*)
{
    VM24::paint_style_background(this);
}

void SuggestionsPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void SuggestionsPage::retranslate()
{
    m_heading->setText(tr("POTREBBE INTERESSARTI ANCHE"));
    m_backButton->setText(tr("ALTRI PRODOTTI"));
    m_endSessionButton->setText(tr("NO GRAZIE"));
}
