#include "purchase/productdispensingpage.h"

#include "catalogue/productprovider.h"
#include "purchase/deliveryfinished.h"
#include "purchase/purchaselog.h"
#include "ui/context.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "ui/messagedialog.h"
#include "ui/stylebackground.h"
#include "vending/deliveryservice.h"
#include "vending/motordispensermonitor.h"
#include "vending/sessioncredit.h"
#include "vending/vendingsessioncontext.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace {

const QPoint TAGLINE_POSITION(40, 70);
const QRect PRODUCT_RECT(300, 380, 480, 600);
const QPoint SHADOW_POSITION(140, 930);
const QPoint ARROWS_POSITION(430, 1130);
const QRect COLLECT_TEXT(0, 1440, 1080, 120);
const int COLLECT_POINTS = 38;
const int SHORTFALL_MESSAGE_MS = 5000;

} // namespace

ProductDispensingPage::ProductDispensingPage(VendingSessionContext* session, SessionCredit* credit,
                                             DeliveryService* delivery, ProductProvider* products,
                                             MotorDispenserMonitor* motors, Context* context, QWidget* parent)
    : QWidget(parent)
    , Activity(context)
    , m_session(session)
    , m_credit(credit)
    , m_delivery(delivery)
    , m_products(products)
    , m_motors(motors)
    , m_tagline(QStringLiteral(":/images/brixo-tagline"))
    , m_shadow(QStringLiteral(":/images/large-shadow"))
    , m_arrows(QStringLiteral(":/images/arrows-down"))
    , m_collect(new QLabel(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_collect->setProperty("class", QStringLiteral("collect-label"));
    m_collect->setGeometry(COLLECT_TEXT);
    m_collect->setAlignment(Qt::AlignCenter);
    m_collect->setStyleSheet(QStringLiteral("color: white"));
    QFont font = m_collect->font();
    font.setPointSize(COLLECT_POINTS);
    font.setBold(true);
    m_collect->setFont(font);
    connect(m_delivery, &DeliveryService::finished, this, &ProductDispensingPage::onDispensingFinished);
    // The monitor lives in the GUI thread: the mark is set there.
    connect(m_delivery, &DeliveryService::motorFailed, m_motors,
            [motors = m_motors](int dispenser) { motors->setError(dispenser, true); });
    retranslate();
}

void ProductDispensingPage::onStart()
{
    const QImage image = m_products->getImage(m_request.productId);
    m_picture = image.isNull() ? QPixmap()
                               : QPixmap::fromImage(image.scaled(PRODUCT_RECT.size(), Qt::IgnoreAspectRatio,
                                                                 Qt::SmoothTransformation));
    context()->showView(this);
    update();
    waitForCreditPollingSuspended();
}

void ProductDispensingPage::onCreditPollingSuspended(bool suspended)
{
    if (!suspended)
        qCWarning(purchaseLog) << "the credit reader did not suspend in time; delivery goes on";
    if (!hasPrice()) {
        qCWarning(purchaseLog) << "nothing delivered:" << m_request.productId << "has no price";
        finishWithNothingDelivered();
        return;
    }
    chargeCashlessCard();
}

void ProductDispensingPage::onCharged(bool charged)
{
    if (!charged) {
        qCDebug(purchaseLog) << "nothing delivered: credit or card short of" << m_request.total();
        finishWithNothingDelivered();
        return;
    }
    qCDebug(purchaseLog) << "delivery of" << m_request.quantity << "x" << m_request.productId;
    m_delivering = true;
    m_credit->beginDelivery(m_request.productId, m_request.unitPrice);
    m_delivery->start(deliveryCandidates(m_request.productId), m_request.quantity);
}

void ProductDispensingPage::onInterrupt()
{
}

// The board polls stop while the motors run; the customer waits until the
// credit reader has stopped taking money.
void ProductDispensingPage::waitForCreditPollingSuspended()
{
    auto* dialog = new MessageDialog(tr("Attendere prego"), tr("Preparazione erogazione prodotti"), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_session, &VendingSessionContext::creditPollingSuspended, dialog, &QDialog::accept);
    // A credit reader that never answers must not leave the customer waiting for ever.
    QTimer::singleShot(SUSPEND_WAIT_LIMIT_MS, dialog, &QDialog::reject);
    connect(dialog, &QDialog::finished, this,
            [this](int result) { onCreditPollingSuspended(result == QDialog::Accepted); });
    dialog->open();
    m_session->prepareToDispenseProduct();
}

// The last word before the motors run: a product without a price is never
// handed out.
bool ProductDispensingPage::hasPrice() const
{
    return m_request.unitPrice > 0 && ProductProvider::hasCashPrice(m_products->getProduct(m_request.productId));
}

// Cash is used first; a card pays the rest. Not charged when the credit does
// not cover the purchase or the card refused the charge.
void ProductDispensingPage::chargeCashlessCard()
{
    const int toCard = m_credit->computeCashlessCreditToWithdraw(m_request.total());
    if (toCard <= 0) {
        onCharged(toCard == 0);
        return;
    }
    // The charge books itself into the credit as soon as the board confirms it.
    VM24::long_running_operation(m_delivery->chargeCard(toCard), this, tr("Prelievo cashless"), QString(), false,
                                 [this](bool charged) { onCharged(charged); });
}

void ProductDispensingPage::finishWithNothingDelivered()
{
    finish(DeliveryFinished(QList<int>(), m_request));
}

QList<int> ProductDispensingPage::deliveryCandidates(const QString& productId) const
{
    QList<int> candidates;
    for (int selection : m_products->locationsOf(productId)) {
        const int motor = m_motors->map(selection);
        const MotorDispenserMonitor::MotorState state = m_motors->selection(selection);
        if (motor >= 0 && !state.empty && !state.error)
            candidates.append(motor);
    }
    return candidates;
}

void ProductDispensingPage::onDispensingFinished(const QList<int>& delivered)
{
    // The service reports every delivery it runs; this page asked for one
    // only while it shows.
    if (!m_delivering)
        return;
    m_delivering = false;
    const int requested = m_request.quantity;
    qCDebug(purchaseLog) << "delivered" << delivered.size() << "of" << requested;
    if (delivered.size() < requested) {
        // The page ends once the customer has seen the shortfall.
        InteractiveMessageDialog::showInteractive(
            tr("Attenzione: erogati %n prodott(o) su %1", nullptr, delivered.size()).arg(requested),
            tr("Toccare questo riquadro per continuare"), SHORTFALL_MESSAGE_MS, this,
            [this, delivered] { finish(DeliveryFinished(delivered, m_request)); });
        return;
    }
    finish(DeliveryFinished(delivered, m_request));
}

void ProductDispensingPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    VM24::paint_style_background(this, painter);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(TAGLINE_POSITION, m_tagline);
    painter.drawPixmap(SHADOW_POSITION, m_shadow);
    if (!m_picture.isNull())
        painter.drawPixmap(PRODUCT_RECT.topLeft(), m_picture);
    painter.drawPixmap(ARROWS_POSITION, m_arrows);
}

void ProductDispensingPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ProductDispensingPage::retranslate()
{
    m_collect->setText(tr("RITIRA PRODOTTO"));
}
