#include "purchase/productdispensingpage.h"

#include "board/rk710controller.h"
#include "catalogue/productprovider.h"
#include "core/vm24.h"
#include "purchase/deliveryfinished.h"
#include "ui/context.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "ui/messagedialog.h"
#include "ui/stylebackground.h"
#include "vending/dispenserfilter.h"
#include "vending/motordispensermonitor.h"
#include "vending/vendingsessioncontext.h"

#include <QCoreApplication>
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

// Posted by the delivery task for a dispenser whose motor failed.
class MotorErrorEvent : public QEvent
{
public:
    static const QEvent::Type TYPE = static_cast<QEvent::Type>(QEvent::User + 20);

    explicit MotorErrorEvent(int dispenser)
        : QEvent(TYPE)
        , dispenser(dispenser)
    {
    }
    const int dispenser;
};

} // namespace

ProductDispensingPage::ProductDispensingPage(VendingSessionContext* session, ProductProvider* products,
                                             MotorDispenserMonitor* motors, Rk710Controller* controller,
                                             Context* context, QWidget* parent)
    : QWidget(parent)
    , Activity(context)
    , m_session(session)
    , m_products(products)
    , m_motors(motors)
    , m_controller(controller)
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
    connect(&m_watcher, &QFutureWatcher<QList<int>>::finished, this, &ProductDispensingPage::onDispensingFinished);
    retranslate();
}

void ProductDispensingPage::onStart()
{
    const QImage image = m_products->getImage(m_session->productId);
    m_picture = image.isNull() ? QPixmap()
                               : QPixmap::fromImage(image.scaled(PRODUCT_RECT.size(), Qt::IgnoreAspectRatio,
                                                                 Qt::SmoothTransformation));
    context()->showView(this);
    update();

    waitForCreditPollingSuspended();
    if (!chargeCashlessCard()) {
        finishWithNothingDelivered();
        return;
    }
    const QList<int> candidates = deliveryCandidates();
    m_watcher.setFuture(VM24::run_in_thread_pool([this, candidates] { return productDispensingTask(candidates); }));
}

void ProductDispensingPage::onInterrupt()
{
}

// The board polls stop while the motors run; the customer waits until the
// credit reader has stopped taking money.
bool ProductDispensingPage::waitForCreditPollingSuspended()
{
    MessageDialog dialog(tr("Attendere prego"), tr("Preparazione erogazione prodotti"), this);
    connect(m_session, &VendingSessionContext::creditPollingSuspended, &dialog, &QDialog::accept);
    // A credit reader that never answers must not leave the customer waiting for ever.
    QTimer::singleShot(SUSPEND_WAIT_LIMIT_MS, &dialog, &QDialog::reject);
    m_session->prepareToDispenseProduct();
    return dialog.exec() == QDialog::Accepted;
}

// Cash is used first; a card pays the rest. False when the credit does not
// cover the purchase or the card refused the charge.
bool ProductDispensingPage::chargeCashlessCard()
{
    const int toCard = m_session->computeCashlessCreditToWithdraw(m_unitPrice * m_numberOfProductsToDispense);
    if (toCard < 0)
        return false;
    if (toCard == 0)
        return true;
    VendingSessionContext* session = m_session;
    const bool charged = VM24::long_running_operation(
        VM24::run_in_thread_pool([session, toCard] { return session->withdrawCashless(toCard); }), this,
        tr("Prelievo cashless"), QString());
    if (charged)
        m_session->notifyCashlessWithdrawn(toCard);
    return charged;
}

void ProductDispensingPage::finishWithNothingDelivered()
{
    finish(DeliveryFinished());
}

QList<int> ProductDispensingPage::deliveryCandidates() const
{
    QList<int> candidates;
    for (int selection : m_products->locationsOf(m_session->productId)) {
        const int motor = m_motors->map(selection);
        const MotorDispenserMonitor::MotorState state = m_motors->selection(selection);
        if (motor >= 0 && !state.empty && !state.error)
            candidates.append(motor);
    }
    return candidates;
}

QList<int> ProductDispensingPage::productDispensingTask(QList<int> dispensers)
{
    const int requested = m_numberOfProductsToDispense;
    const int passWaitMs = m_passWaitMs;
    QList<int> delivered;
    // A presence read that fails keeps the list as it was: the motor cycle
    // itself tells whether a product came out.
    auto withStock = [this](const QList<int>& list) {
        const qint64 presence = m_controller->readProductPresenceMask();
        return presence == -1 ? list : filter_out_dispensers(list, presence);
    };
    QList<int> available = withStock(dispensers);
    while (delivered.size() < requested && !available.isEmpty()) {
        for (auto it = available.begin(); it != available.end() && delivered.size() < requested;) {
            const int dispenser = *it;
            bool unconfirmed = false;
            if (m_controller->deliverProduct(static_cast<signed char>(dispenser + 1), &unconfirmed)) {
                delivered.append(dispenser);
                if (unconfirmed)
                    m_session->notifyDeliveryUnconfirmed(dispenser);
                ++it;
            } else {
                QCoreApplication::postEvent(this, new MotorErrorEvent(dispenser));
                it = available.erase(it);
            }
        }
        if (delivered.size() >= requested || available.isEmpty())
            break;
        VM24::thread_msleep(passWaitMs);
        available = withStock(available);
    }
    return delivered;
}

void ProductDispensingPage::onDispensingFinished()
{
    const QList<int> delivered = m_watcher.result();
    const int requested = m_numberOfProductsToDispense;
    if (delivered.size() < requested) {
        InteractiveMessageDialog::showInteractive(
            tr("Attenzione: erogati %n prodott(o) su %1", nullptr, delivered.size()).arg(requested),
            tr("Toccare questo riquadro per continuare"), SHORTFALL_MESSAGE_MS, this);
    }
    finish(DeliveryFinished(delivered, m_unitPrice));
}

void ProductDispensingPage::customEvent(QEvent* event)
{
    if (event->type() == MotorErrorEvent::TYPE)
        m_motors->setError(static_cast<MotorErrorEvent*>(event)->dispenser, true);
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
