#include "purchase/productpage.h"

#include "board/inputmask.h"
#include "board/rk710controller.h"
#include "catalogue/priceprovider.h"
#include "catalogue/productprovider.h"
#include "core/vm24.h"
#include "purchase/deliveryfinished.h"
#include "purchase/productdetailspage.h"
#include "purchase/suggestionspage.h"
#include "ui/brixoeventspage.h"
#include "ui/clickablearea.h"
#include "ui/context.h"
#include "ui/interactivemessagedialog.h"
#include "ui/messagedialog.h"
#include "ui/productbutton.h"
#include "ui/stylebackground.h"
#include "vending/sessioncheckout.h"
#include "vending/sessioncredit.h"
#include "vending/vendingsessioncontext.h"

#include <QPainter>
#include <QRandomGenerator>

#include <memory>

const QSize ProductPage::BUTTON_SIZE(269, 317);
const QRect ProductPage::BRIXO_BANNER_FRAME(QPoint(44, 1670), QPoint(1035, 1912));

namespace {
const int COLUMNS = 4;
const int GRID_LEFT = 2;
const int GRID_TOP = 85;
const char* const BANNER_FRAME_PICTURE = ":/images/brixo-banner-frame";
const char* const BANNER_PICTURE = "data:brixo-banner/brixo-banner.png";
// The banner's window inside its frame.
const QRect BANNER_WINDOW(20, 16, 952, 176);
} // namespace

ProductPage::ProductPage(ProductDetailsPage* detailsPage, SuggestionsPage* suggestionsPage,
                         VendingSessionContext* session, SessionCredit* credit, SessionCheckout* checkout,
                         ProductProvider* products, PriceProvider* prices, MotorDispenserMonitor* motors,
                         Rk710Controller* controller, Context* context, QWidget* parent)
    : QWidget(parent)
    , Activity(context)
    , m_detailsPage(detailsPage)
    , m_suggestionsPage(suggestionsPage)
    , m_brixoEventsPage(new BrixoEventsPage(context))
    , m_session(session)
    , m_credit(credit)
    , m_checkout(checkout)
    , m_products(products)
    , m_prices(prices)
    , m_motors(motors)
    , m_controller(controller)
    , m_bannerArea(new ClickableArea(this))
    , m_bannerFrame(QLatin1String(BANNER_FRAME_PICTURE))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    context->addView(m_brixoEventsPage);
    for (int selection = 0; selection < SELECTIONS; ++selection) {
        auto* button = new ProductButton(this);
        button->move(buttonPosition(selection));
        button->setIndex(selection);
        button->setEnabled(false);
        connect(button, &QAbstractButton::clicked, this, [this, selection] { onProductSelected(selection); });
        m_buttons.append(button);
    }
    m_bannerArea->setGeometry(BRIXO_BANNER_FRAME);
    connect(m_bannerArea, &QAbstractButton::clicked, this, &ProductPage::showBrixoEvents);
}

// Selection 0 and 1 flank the information panel on the first row; the
// others fill rows 1 to 4.
QPoint ProductPage::buttonPosition(int selection)
{
    int row = 0;
    int column = 0;
    if (selection == 1) {
        column = 3;
    } else if (selection >= 2) {
        row = 1 + (selection - 2) / COLUMNS;
        column = (selection - 2) % COLUMNS;
    }
    return QPoint(BUTTON_SIZE.width() * column + GRID_LEFT, BUTTON_SIZE.height() * row + GRID_TOP);
}

void ProductPage::onStart()
{
    const bool frontDoorClosed = m_controller->getInputs() & InputMask::FrontDoorClosed;
    const int indexPolicy = frontDoorClosed ? ProductButton::IndexNever : ProductButton::IndexWhenDisabled;
    m_banner = QPixmap(QLatin1String(BANNER_PICTURE));

    m_session->beginVendingSession();
    context()->showView(this);
    for (int selection = 0; selection < SELECTIONS; ++selection)
        showSelection(selection, indexPolicy);
    connect(m_prices, &PriceProvider::pricesChanged, this, &ProductPage::onPricesChanged, Qt::UniqueConnection);
    connect(m_motors, &MotorDispenserMonitor::motorStateChanged, this, &ProductPage::onMotorStateChanged,
            Qt::UniqueConnection);
}

void ProductPage::showSelection(int selection, int indexPolicy)
{
    const ProductRecord& product = m_products->getProductAtLocation(selection);
    ProductButton* button = m_buttons.at(selection);
    button->setIndexVisibilityPolicy(static_cast<ProductButton::IndexVisibilityPolicy>(indexPolicy));
    button->setPrice(m_prices->price(product.id()));
    button->setIndex(selection);
    button->setImage(product.id().isEmpty() ? QPixmap() : m_products->getThumbnail(product.id()));
    button->setEnabled(isSelling(selection));
}

// A selection sells when it offers a product with a name and a price and
// its motor is neither empty nor in error.
bool ProductPage::isSelling(int selection) const
{
    const ProductRecord& product = m_products->getProductAtLocation(selection);
    const MotorDispenserMonitor::MotorState state = m_motors->selection(selection);
    return !product.id().isEmpty() && !product.name().isEmpty() && m_prices->isForSale(product.id())
        && !state.empty && !state.error;
}

void ProductPage::onResume(const ActivityResult& result)
{
    if (result.status() == ActivityResult::NoResult) {
        if (isInterrupted()) {
            endSession();
            return;
        }
        m_session->refreshCountdown();
        context()->showView(this);
        return;
    }
    if (result.status() != ActivityResult::HasResult) {
        endSession();
        return;
    }
    const DeliveryFinished* delivery = DeliveryFinished::from(result);
    if (delivery && !delivery->dispensers().isEmpty()) {
        m_session->openDoor();
        m_credit->recordPurchase(delivery->request().productId, delivery->unitPrice(), delivery->dispensers());
    }
    if (isInterrupted()) {
        endSession();
        return;
    }
    m_session->beginMultivend();
    offerSuggestions(delivery ? delivery->request().productId : QString());
}

QStringList ProductPage::suggestionsFor(const QString& productId) const
{
    const QString category = m_products->getProduct(productId).category();
    QStringList suggestions;
    for (int selection = 0; selection < SELECTIONS; ++selection) {
        const ProductRecord& candidate = m_products->getProductAtLocation(selection);
        if (candidate.category() != category && !suggestions.contains(candidate.id()) && isSelling(selection))
            suggestions.append(candidate.id());
    }
    return suggestions;
}

void ProductPage::offerSuggestions(const QString& productId)
{
    QStringList suggestions = suggestionsFor(productId);
    for (int i = 1; i < suggestions.size(); ++i)
        suggestions.swapItemsAt(i, QRandomGenerator::global()->bounded(i + 1));
    if (suggestions.isEmpty()) {
        context()->showView(this);
        return;
    }
    m_suggestionsPage->setSuggestedProducts(suggestions);
    startActivity(m_suggestionsPage);
}

void ProductPage::onStop()
{
    disconnect(m_prices, nullptr, this, nullptr);
    disconnect(m_motors, nullptr, this, nullptr);
    // The page ends through endSession(); a session still open is closed all the same.
    if (m_session->isOpen() && !m_checkout->isRunning())
        m_checkout->start();
}

void ProductPage::onInterrupt()
{
    endSession();
}

// The page ends once its session is closed: the checkout runs by itself, the
// grid keeps the customer waiting in a box for each of its steps and tells of
// a credit note that could not be printed.
void ProductPage::endSession()
{
    if (m_checkout->isRunning())
        return;
    if (!m_session->isOpen()) {
        finishOrInterrupt();
        return;
    }
    disconnect(m_prices, nullptr, this, nullptr);
    disconnect(m_motors, nullptr, this, nullptr);
    const auto show = [this](const QString& title, const QString& text) {
        closeCheckoutBox();
        m_checkoutBox = new MessageDialog(title, text, this);
        m_checkoutBox->setWindowModality(Qt::ApplicationModal);
        m_checkoutBox->show();
    };
    m_checkoutConnections << connect(m_checkout, &SessionCheckout::waitingForCreditReader, this,
                                     [show] { show(tr("Fine sessione"), tr("Operazione completata")); });
    m_checkoutConnections << connect(m_checkout, &SessionCheckout::payingChange, this, [show](int amount) {
        show(tr("Attendere erogazione resto"), VM24::format_money(amount));
    });
    m_checkoutConnections << connect(m_checkout, &SessionCheckout::printingCreditNote, this, [show](int extra) {
        show(tr("Impossibile erogare resto per %1 euro").arg(VM24::format_credit(extra)),
             tr("Attendere stampa scontrino"));
    });
    m_checkoutConnections << connect(m_checkout, &SessionCheckout::creditNoteFailed, this,
                                     [this](const QString& warning) {
                                         closeCheckoutBox();
                                         m_noteWarning = InteractiveMessageDialog::showInteractive(
                                             warning, tr("Tocca questo riquadro per terminare l'operazione"),
                                             InteractiveMessageDialog::DEFAULT_DURATION_MS, this);
                                     });
    m_checkoutConnections << connect(m_checkout, &SessionCheckout::finished, this, &ProductPage::onCheckoutFinished);
    m_checkout->start();
}

void ProductPage::onCheckoutFinished()
{
    for (const QMetaObject::Connection& connection : std::as_const(m_checkoutConnections))
        disconnect(connection);
    m_checkoutConnections.clear();
    closeCheckoutBox();
    // The grid stays under the warning of a credit note that was not printed.
    if (m_noteWarning) {
        connect(m_noteWarning, &QDialog::finished, this, [this] { finishOrInterrupt(); });
        return;
    }
    finishOrInterrupt();
}

void ProductPage::closeCheckoutBox()
{
    delete m_checkoutBox.data();
}

void ProductPage::onAlarmsChanged(VM24::Alarms alarms)
{
    if (alarms)
        triggerEndSession();
}

void ProductPage::triggerEndSession()
{
    if (isResumed())
        endSession();
    else
        interrupt();
}

void ProductPage::onProductSelected(int selection)
{
    if (selection < 0 || selection >= SELECTIONS || !isSelling(selection))
        return;
    m_detailsPage->setProductId(m_products->arrangement().value(selection));
    startActivity(m_detailsPage);
}

void ProductPage::onPricesChanged()
{
    for (int selection = 0; selection < SELECTIONS; ++selection) {
        m_buttons.at(selection)->setPrice(m_prices->price(m_products->getProductAtLocation(selection).id()));
        m_buttons.at(selection)->setEnabled(isSelling(selection));
    }
}

void ProductPage::onMotorStateChanged(int, MotorDispenserMonitor::MotorState state)
{
    if (state.selection < SELECTIONS)
        m_buttons.at(state.selection)->setEnabled(isSelling(state.selection));
}

void ProductPage::showBrixoEvents()
{
    startActivity(m_brixoEventsPage);
}

void ProductPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    VM24::paint_style_background(this, painter);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(BRIXO_BANNER_FRAME.topLeft(), m_bannerFrame);
    if (!m_banner.isNull())
        painter.drawPixmap(BANNER_WINDOW.translated(BRIXO_BANNER_FRAME.topLeft()), m_banner);
}
