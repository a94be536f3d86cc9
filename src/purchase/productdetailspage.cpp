#include "purchase/productdetailspage.h"

#include "catalogue/priceprovider.h"
#include "catalogue/productprovider.h"
#include "core/vm24.h"
#include "purchase/productdispensingpage.h"
#include "ui/clickableimagelabel.h"
#include "ui/context.h"
#include "ui/interactivemessagedialog.h"
#include "ui/stylebackground.h"
#include "vending/purchaserequest.h"
#include "vending/sessioncredit.h"
#include "vending/vendingsessioncontext.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

namespace {

// Places of the frames on the page and the zones inside them.
const QPoint PRODUCT_BASE_POSITION(40, 440);
const QRect PICTURE_ZONE(80, 500, 420, 520);
const QPoint DESCRIPTION_FRAME_POSITION(540, 440);
const QRect DESCRIPTION_HEADING(564, 454, 452, 60);
const QRect DESCRIPTION_TEXT(568, 536, 444, 650);
const QPoint PRICE_FRAME_POSITION(24, 1260);
const QPoint QUANTITY_FRAME_POSITION(358, 1260);
const QPoint TOTAL_FRAME_POSITION(740, 1260);
const QRect FRAME_HEADING(16, 10, 284, 80);
const QRect FRAME_VALUE(16, 106, 284, 130);
const QRect QUANTITY_HEADING(16, 10, 332, 80);
const QRect QUANTITY_VALUE(128, 106, 108, 130);
const QPoint DECREMENT_POSITION(20, 123);
const QPoint INCREMENT_POSITION(248, 123);
const QPoint CANCEL_POSITION(24, 1716);
const QPoint CONFIRM_POSITION(548, 1716);
const QMargins ACTION_BUTTON_MARGINS(150, 20, 28, 22);
const int INSUFFICIENT_CREDIT_MESSAGE_MS = 2000;

} // namespace

ProductDetailsPage::ProductDetailsPage(ProductDispensingPage* dispensingPage, VendingSessionContext* session,
                                       SessionCredit* credit, ProductProvider* products, PriceProvider* prices,
                                       Context* context, QWidget* parent)
    : QWidget(parent)
    , Activity(context)
    , m_dispensingPage(dispensingPage)
    , m_session(session)
    , m_credit(credit)
    , m_products(products)
    , m_prices(prices)
    , m_productBase(QStringLiteral(":/images/product-base"))
    , m_descriptionFrame(QStringLiteral(":/images/description-frame"))
    , m_priceFrame(QStringLiteral(":/images/price-frame"))
    , m_quantityFrame(QStringLiteral(":/images/quantity-frame"))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_descriptionHeading = addLabel(QStringLiteral("details-heading"), DESCRIPTION_HEADING, Qt::AlignCenter);
    m_description = addLabel(QStringLiteral("details-description"), DESCRIPTION_TEXT, Qt::AlignLeft | Qt::AlignTop);
    m_description->setWordWrap(true);
    m_unitPriceHeading = addLabel(QStringLiteral("details-heading"),
                                  FRAME_HEADING.translated(PRICE_FRAME_POSITION), Qt::AlignCenter);
    m_unitPriceHeading->setWordWrap(true);
    m_unitPriceLabel = addLabel(QStringLiteral("details-value"), FRAME_VALUE.translated(PRICE_FRAME_POSITION),
                                Qt::AlignCenter);
    m_quantityHeading = addLabel(QStringLiteral("details-heading"),
                                 QUANTITY_HEADING.translated(QUANTITY_FRAME_POSITION), Qt::AlignCenter);
    m_quantityLabel = addLabel(QStringLiteral("details-value"),
                               QUANTITY_VALUE.translated(QUANTITY_FRAME_POSITION), Qt::AlignCenter);
    m_totalHeading = addLabel(QStringLiteral("details-heading"), FRAME_HEADING.translated(TOTAL_FRAME_POSITION),
                              Qt::AlignCenter);
    m_totalLabel = addLabel(QStringLiteral("details-value"), FRAME_VALUE.translated(TOTAL_FRAME_POSITION),
                            Qt::AlignCenter);

    m_decrement = addButton(QStringLiteral(":/icons/minus"), QMargins(),
                            QUANTITY_FRAME_POSITION + DECREMENT_POSITION);
    m_increment = addButton(QStringLiteral(":/icons/plus"), QMargins(),
                            QUANTITY_FRAME_POSITION + INCREMENT_POSITION);
    m_cancel = addButton(QStringLiteral(":/images/cancel-button"), ACTION_BUTTON_MARGINS, CANCEL_POSITION);
    m_confirm = addButton(QStringLiteral(":/images/confirm-button"), ACTION_BUTTON_MARGINS, CONFIRM_POSITION);
    m_cancel->setProperty("class", QStringLiteral("action-button"));
    m_confirm->setProperty("class", QStringLiteral("action-button"));
    connect(m_decrement, &QAbstractButton::clicked, this, &ProductDetailsPage::decrementQuantity);
    connect(m_increment, &QAbstractButton::clicked, this, &ProductDetailsPage::incrementQuantity);
    connect(m_cancel, &QAbstractButton::clicked, this, &ProductDetailsPage::onCancel);
    connect(m_confirm, &QAbstractButton::clicked, this, &ProductDetailsPage::onConfirm);

    setQuantity(0);
    retranslate();
}

QLabel* ProductDetailsPage::addLabel(const QString& styleClass, const QRect& rect, Qt::Alignment alignment)
{
    auto* label = new QLabel(this);
    label->setProperty("class", styleClass);
    label->setGeometry(rect);
    label->setAlignment(alignment);
    return label;
}

ClickableImageLabel* ProductDetailsPage::addButton(const QString& picture, const QMargins& margins,
                                                   const QPoint& position)
{
    auto* button = new ClickableImageLabel(QPixmap(picture), margins, this);
    button->move(position);
    return button;
}

void ProductDetailsPage::onStart()
{
    const QString productId = m_productId;
    const ProductRecord& product = m_products->getProduct(productId);
    m_description->setText(product.description());
    const QImage image = m_products->getImage(productId);
    m_picture = image.isNull() ? QPixmap()
                               : QPixmap::fromImage(image.scaled(PICTURE_ZONE.size(), Qt::KeepAspectRatio,
                                                                 Qt::SmoothTransformation));
    setUnitPrice(m_prices->price(productId));
    m_availableCredit = m_credit->currentCredit();
    adjustQuantity();
    m_session->refreshCountdown();
    m_creditConnection = connect(m_credit, &SessionCredit::creditChanged, this,
                                 &ProductDetailsPage::setAvailableCredit);
    m_pricesConnection = connect(m_prices, &PriceProvider::pricesChanged, this, &ProductDetailsPage::onPricesChanged);
    context()->showView(this);
}

// Whatever comes back from the delivery page goes on down to the page that
// opened this one.
void ProductDetailsPage::onResume(const ActivityResult& result)
{
    finish(result);
}

void ProductDetailsPage::onPause()
{
    disconnect(m_creditConnection);
    disconnect(m_pricesConnection);
}

void ProductDetailsPage::onStop()
{
    setQuantity(0);
}

QString ProductDetailsPage::quantityText() const
{
    return m_quantityLabel->text();
}

QString ProductDetailsPage::totalText() const
{
    return m_totalLabel->text();
}

QString ProductDetailsPage::unitPriceText() const
{
    return m_unitPriceLabel->text();
}

QString ProductDetailsPage::descriptionText() const
{
    return m_description->text();
}

void ProductDetailsPage::setAvailableCredit(int cents)
{
    m_availableCredit = cents;
    adjustQuantity();
}

void ProductDetailsPage::onPricesChanged()
{
    setUnitPrice(m_prices->price(m_productId));
    adjustQuantity();
}

void ProductDetailsPage::incrementQuantity()
{
    if (!isForSale())
        return;
    if (qint64(m_availableCredit) < qint64(m_unitPrice) * (m_quantity + 1)) {
        showInsufficientCredit();
        return;
    }
    setQuantity(m_quantity + 1);
}

void ProductDetailsPage::decrementQuantity()
{
    if (m_quantity > 0)
        setQuantity(m_quantity - 1);
}

void ProductDetailsPage::onConfirm()
{
    if (m_quantity < 1 || !isForSale())
        return;
    m_dispensingPage->setRequest(PurchaseRequest{m_productId, m_unitPrice, m_quantity});
    startActivity(m_dispensingPage);
}

void ProductDetailsPage::onCancel()
{
    finish();
}

void ProductDetailsPage::setUnitPrice(int cents)
{
    m_unitPrice = cents;
    m_unitPriceLabel->setText(VM24::format_money(cents));
    setQuantity(m_quantity);
}

void ProductDetailsPage::setQuantity(int quantity)
{
    m_quantity = quantity;
    m_quantityLabel->setText(QStringLiteral("%1").arg(quantity, 2, 10, QLatin1Char('0')));
    m_totalLabel->setText(VM24::format_money(quantity * m_unitPrice));
    updateButtonStates();
}

void ProductDetailsPage::setQuantityIfChanges(int quantity)
{
    if (quantity != m_quantity)
        setQuantity(quantity);
}

// The quantity follows the credit down, and starts at one as soon as one
// piece is affordable.
void ProductDetailsPage::adjustQuantity()
{
    if (!isForSale()) {
        setQuantityIfChanges(0);
        return;
    }
    if (qint64(m_availableCredit) < qint64(m_quantity) * m_unitPrice)
        setQuantityIfChanges(m_unitPrice < 1 ? 0 : m_availableCredit / m_unitPrice);
    else if (m_availableCredit >= m_unitPrice && m_quantity == 0)
        setQuantity(1);
}

// A product without a price is never handed out, whatever the credit.
bool ProductDetailsPage::isForSale() const
{
    return m_unitPrice > 0 && m_prices->isForSale(m_productId);
}

void ProductDetailsPage::updateButtonStates()
{
    m_decrement->setEnabled(m_quantity >= 1);
    m_confirm->setEnabled(m_quantity >= 1);
}

void ProductDetailsPage::showInsufficientCredit()
{
    InteractiveMessageDialog::showInteractive(tr("CREDITO INSUFFICIENTE"), tr("Tocca questo riquadro per continuare"),
                                              INSUFFICIENT_CREDIT_MESSAGE_MS, this);
}

void ProductDetailsPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    VM24::paint_style_background(this, painter);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(PRODUCT_BASE_POSITION, m_productBase);
    if (!m_picture.isNull()) {
        QRect target(QPoint(0, 0), m_picture.size());
        target.moveCenter(PICTURE_ZONE.center());
        painter.drawPixmap(target, m_picture);
    }
    painter.drawPixmap(DESCRIPTION_FRAME_POSITION, m_descriptionFrame);
    painter.drawPixmap(PRICE_FRAME_POSITION, m_priceFrame);
    painter.drawPixmap(QUANTITY_FRAME_POSITION, m_quantityFrame);
    painter.drawPixmap(TOTAL_FRAME_POSITION, m_priceFrame);
}

void ProductDetailsPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ProductDetailsPage::retranslate()
{
    m_descriptionHeading->setText(tr("DESCRIZIONE:"));
    m_unitPriceHeading->setText(tr("PREZZO UNITARIO:"));
    m_quantityHeading->setText(tr("QUANTITA':"));
    m_totalHeading->setText(tr("TOTALE:"));
    m_cancel->setText(tr("ANNULLA"));
    m_confirm->setText(tr("CONFERMA"));
}
