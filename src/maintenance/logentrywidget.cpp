#include "maintenance/logentrywidget.h"

#include "catalogue/productprovider.h"
#include "core/alarm.h"
#include "core/vm24.h"
#include "logging/notifications.h"
#include "ui/stylebackground.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmapCache>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

const int HEADER_WIDTH = 380;
// Margins, icon, header and spacing to the left of the content.
const int TEXT_INDENT = 8 + LogEntryWidget::ICON_SIZE + 16 + HEADER_WIDTH + 16 + 8;
const int SECOND_PICTURE_SIZE = 64;
const int PAYMENT_ICON_SIZE = 32;
const int SHORT_TEXT = 23;
const int EVENT_TEXT_LINES = 2;
const char* const DATE_FORMAT = "yyyy-MM-dd hh:mm:ss";

// Product ids and names are cut so that a purchase fits its row.
QString shortened(const QString& text)
{
    return text.length() > SHORT_TEXT ? text.left(SHORT_TEXT + 1) + QStringLiteral("...") : text;
}

QLabel* make_label(const char* styleClass, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setProperty("class", QLatin1String(styleClass));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString payment_icon(VM24::ProductPurchasedNotification::Method method)
{
    switch (method) {
    case VM24::ProductPurchasedNotification::Cash:
        return QStringLiteral(":/icons/log/cash");
    case VM24::ProductPurchasedNotification::UserCard:
        return QStringLiteral(":/icons/log/nfc");
    case VM24::ProductPurchasedNotification::CreditCard:
        return QStringLiteral(":/icons/log/pos");
    default:
        return QString();
    }
}

QString power_picture(VM24::PowerManagementNotification::Event event)
{
    switch (event) {
    case VM24::PowerManagementNotification::PowerOn:
        return QStringLiteral(":/icons/log/power-on");
    case VM24::PowerManagementNotification::Restart:
        return QStringLiteral(":/icons/log/restart");
    case VM24::PowerManagementNotification::Reboot:
    case VM24::PowerManagementNotification::Shutdown:
        return QStringLiteral(":/icons/log/halt");
    case VM24::PowerManagementNotification::EmergencyShutdown:
        return QStringLiteral(":/icons/log/battery-power");
    }
    return QString();
}

} // namespace

LogEntryWidget::LogEntryWidget(ProductProvider* products, QWidget* parent)
    : QWidget(parent)
    , m_products(products)
    , m_icon(new QLabel(this))
    , m_title(make_label("log-title", this))
    , m_date(make_label("log-date", this))
    , m_pages(new QStackedLayout)
{
    setFixedHeight(HEIGHT);
    // The style sheet gives the row an opaque background: the page behind
    // it need not be painted first, which keeps a page change within a frame.
    setAttribute(Qt::WA_OpaquePaintEvent);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);
    row->setSpacing(16);
    m_icon->setFixedSize(ICON_SIZE, ICON_SIZE);
    row->addWidget(m_icon);
    auto* header = new QVBoxLayout;
    header->setSpacing(4);
    header->addStretch();
    header->addWidget(m_title);
    header->addWidget(m_date);
    header->addStretch();
    auto* headerBox = new QWidget(this);
    headerBox->setLayout(header);
    headerBox->setFixedWidth(HEADER_WIDTH);
    header->setContentsMargins(0, 0, 0, 0);
    row->addWidget(headerBox);
    row->addLayout(m_pages, 1);

    QGridLayout* grid = nullptr;
    // Purchase: product and name above, dispenser, cost and payment below.
    QWidget* purchase = addPage(&grid);
    m_purchaseFields = {addField(grid, 0, 0), addField(grid, 0, 2), addField(grid, 1, 0), addField(grid, 1, 2)};
    auto* payment = new QHBoxLayout;
    payment->setSpacing(8);
    m_paymentIcon = new QLabel(purchase);
    m_paymentIcon->setFixedSize(PAYMENT_ICON_SIZE, PAYMENT_ICON_SIZE);
    Field method{make_label("log-caption", purchase), make_label("log-value", purchase)};
    method.caption->hide();
    payment->addWidget(m_paymentIcon);
    payment->addWidget(method.value);
    payment->addStretch();
    grid->addLayout(payment, 1, 4);
    m_purchaseFields.append(method);
    Field user{make_label("log-caption", purchase), make_label("log-value", purchase)};
    user.caption->hide();
    grid->addWidget(user.value, 0, 4);
    m_purchaseFields.append(user);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(4, 1);

    addPage(&grid);
    m_singleFields = {addField(grid, 0, 0)};
    grid->setColumnStretch(1, 1);

    addPage(&grid);
    m_doubleFields = {addField(grid, 0, 0), addField(grid, 1, 0)};
    grid->setColumnStretch(1, 1);

    QWidget* event = addPage(&grid);
    m_eventText = make_label("log-text", event);
    m_eventText->setWordWrap(true);
    m_eventPicture = new QLabel(event);
    m_eventPicture->setFixedSize(SECOND_PICTURE_SIZE, SECOND_PICTURE_SIZE);
    grid->addWidget(m_eventText, 0, 0);
    grid->addWidget(m_eventPicture, 0, 1);
    grid->setColumnStretch(0, 1);
}

QWidget* LogEntryWidget::addPage(QGridLayout** grid)
{
    auto* page = new QWidget(this);
    *grid = new QGridLayout(page);
    (*grid)->setContentsMargins(0, 0, 0, 0);
    (*grid)->setHorizontalSpacing(12);
    (*grid)->setVerticalSpacing(4);
    m_pages->addWidget(page);
    return page;
}

LogEntryWidget::Field LogEntryWidget::addField(QGridLayout* grid, int row, int column)
{
    QWidget* page = grid->parentWidget();
    Field field{make_label("log-caption", page), make_label("log-value", page)};
    grid->addWidget(field.caption, row, column);
    grid->addWidget(field.value, row, column + 1);
    return field;
}

void LogEntryWidget::displayEntry(const VM24::NotificationBase* notification)
{
    if (!notification)
        return;
    m_date->setText(notification->timestamp().toString(QLatin1String(DATE_FORMAT)));
    notification->accept(this);
}

LogEntryWidget::Layout LogEntryWidget::currentLayout() const
{
    return Layout(m_pages->currentIndex());
}

QString LogEntryWidget::title() const
{
    return m_title->text();
}

QString LogEntryWidget::date() const
{
    return m_date->text();
}

QStringList LogEntryWidget::fields() const
{
    QList<Field> shown;
    switch (currentLayout()) {
    case PurchaseLayout:
        shown = m_purchaseFields;
        break;
    case SingleFieldLayout:
        shown = m_singleFields;
        break;
    case DoubleFieldLayout:
        shown = m_doubleFields;
        break;
    case EventLayout:
        return {m_eventFullText};
    }
    QStringList texts;
    for (const Field& field : shown) {
        if (!field.caption->isHidden())
            texts.append(field.caption->text());
        if (!field.value->isHidden())
            texts.append(field.value->text());
    }
    return texts;
}

void LogEntryWidget::setPicture(QLabel* label, const QString& name, int size)
{
    if (name.isEmpty()) {
        label->clear();
        return;
    }
    // Pictures are drawn once per size, not for every row shown.
    const QString key = QStringLiteral("log-entry:%1@%2").arg(name).arg(size);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(name).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPixmapCache::insert(key, picture);
    }
    label->setPixmap(picture);
}

void LogEntryWidget::setHeader(const QString& title, const QString& icon)
{
    m_title->setText(title);
    m_iconName = icon;
    m_secondIconName.clear();
    setPicture(m_icon, icon, ICON_SIZE);
}

void LogEntryWidget::showText(const QString& title, const QString& text, const QString& icon,
                               const QString& secondIcon)
{
    setHeader(title, icon);
    m_secondIconName = secondIcon;
    setPicture(m_eventPicture, secondIcon, SECOND_PICTURE_SIZE);
    m_eventPicture->setVisible(!secondIcon.isEmpty());
    m_eventFullText = text;
    elideEventText();
    m_pages->setCurrentIndex(EventLayout);
}

void LogEntryWidget::showFields(Layout layout, const QString& title, const QString& icon,
                                const QList<QPair<QString, QString>>& fields)
{
    setHeader(title, icon);
    const QList<Field>& targets = layout == SingleFieldLayout ? m_singleFields : m_doubleFields;
    for (int i = 0; i < targets.size(); ++i) {
        targets[i].caption->setText(fields.value(i).first);
        targets[i].value->setText(fields.value(i).second);
    }
    m_pages->setCurrentIndex(layout);
}

void LogEntryWidget::showSingleAmount(const QString& title, int amount, const QString& icon)
{
    showFields(SingleFieldLayout, title, icon, {{tr("Importo"), VM24::format_credit(amount)}});
}

void LogEntryWidget::showWarningOrCleared(const VM24::StandardRkAlarm* alarm)
{
    if (alarm->isCleared())
        showText(tr("Allarme rientrato"), alarm->description(), QStringLiteral(":/icons/log/alarm-clear"));
    else
        showText(tr("Avviso"), alarm->description(), QStringLiteral(":/icons/log/warning"));
}

void LogEntryWidget::visit(const VM24::UserCashlessRechargeNotification* n)
{
    showFields(DoubleFieldLayout, tr("Ricarica carta utente"), QStringLiteral(":/icons/log/recharge"),
               {{tr("Importo"), VM24::format_credit(n->amount())}, {tr("Numero utente"), QString::number(n->userId())}});
}

void LogEntryWidget::visit(const VM24::ProductPurchasedNotification* n)
{
    setHeader(tr("Acquisto"), QStringLiteral(":/icons/log/purchase"));
    const QString name = m_products ? m_products->getProduct(n->productId()).name() : QString();
    const QPair<QString, QString> values[] = {{tr("Prodotto"), shortened(n->productId())},
                                              {tr("Nome"), shortened(name)},
                                              {tr("Erogatore"), QString::number(n->dispenser())},
                                              {tr("Costo"), VM24::format_credit(n->cost())}};
    for (int i = 0; i < 4; ++i) {
        m_purchaseFields[i].caption->setText(values[i].first);
        m_purchaseFields[i].value->setText(values[i].second);
    }
    m_purchaseFields[4].value->setText(VM24::ProductPurchasedNotification::methodToString(n->method()));
    m_secondIconName = payment_icon(n->method());
    setPicture(m_paymentIcon, m_secondIconName, PAYMENT_ICON_SIZE);
    m_purchaseFields[5].value->setText(shortened(n->userInfo()));
    m_purchaseFields[5].value->setVisible(!n->userInfo().isEmpty());
    m_pages->setCurrentIndex(PurchaseLayout);
}

void LogEntryWidget::visit(const VM24::ChangeReturnedNotification* n)
{
    showSingleAmount(tr("Resto erogato"), n->amount(), QStringLiteral(":/icons/log/change"));
}

void LogEntryWidget::visit(const VM24::OverpayNotification* n)
{
    showSingleAmount(tr("Credito dovuto"), n->amount(), QStringLiteral(":/icons/log/overpay"));
}

void LogEntryWidget::visit(const VM24::VendingSessionInfo* n)
{
    switch (n->flag()) {
    case VM24::VendingSessionInfo::SessionBegin:
        showText(tr("Sessione di vendita"), tr("Vendita iniziata"), QStringLiteral(":/icons/log/session-begin"));
        break;
    case VM24::VendingSessionInfo::Dispensing:
        showText(tr("Sessione di vendita"),
                  tr("Credito %1 (contante %2 - cashless %3)")
                      .arg(VM24::format_credit(n->cash() + n->cashless()), VM24::format_credit(n->cash()),
                           VM24::format_credit(n->cashless())),
                  QStringLiteral(":/icons/log/current-credit"));
        break;
    case VM24::VendingSessionInfo::SessionEnd:
        showText(tr("Sessione di vendita"), tr("Vendita conclusa"), QStringLiteral(":/icons/log/session-end"));
        break;
    }
}

void LogEntryWidget::visit(const VM24::AlarmNotification* n)
{
    if (n->isCleared()) {
        showText(tr("Allarme rientrato"), n->description(), QStringLiteral(":/icons/log/alarm-clear"));
        return;
    }
    showFields(DoubleFieldLayout, tr("Allarme"), QStringLiteral(":/icons/log/alarm"),
               {{tr("Id"), QString::number(n->id())}, {tr("Descrizione"), VM24::alarm_string(n->alarm())}});
}

void LogEntryWidget::visit(const VM24::CashInsertedNotification* n)
{
    showSingleAmount(tr("Contante inserito"), n->banknotes() + n->coins(), QStringLiteral(":/icons/log/cash-inserted"));
}

void LogEntryWidget::visit(const VM24::PowerManagementNotification* n)
{
    showText(tr("Gestione alimentazione"), VM24::PowerManagementNotification::readableEvent(n->event()),
              QStringLiteral(":/icons/log/power-management"), power_picture(n->event()));
}

void LogEntryWidget::visit(const VM24::ProductSoldOutNotification* n)
{
    showWarningOrCleared(n);
}

void LogEntryWidget::visit(const VM24::MotorDispenserErrorNotification* n)
{
    showWarningOrCleared(n);
}

void LogEntryWidget::visit(const VM24::AlarmActiveNotification* n)
{
    if (n->isActive())
        showText(tr("Attivazione allarmi"), tr("Allarme attivato"), QStringLiteral(":/icons/log/alarms-activated"));
    else
        showText(tr("Attivazione allarmi"), tr("Allarme disattivato"), QStringLiteral(":/icons/log/alarms-deactivated"));
}

void LogEntryWidget::visit(const VM24::EmptyHopperNotification* n)
{
    showWarningOrCleared(n);
}

void LogEntryWidget::visit(const VM24::InfoNotification* n)
{
    showText(tr("Informazione"), n->message(), QStringLiteral(":/icons/log/info"));
}

void LogEntryWidget::visit(const VM24::WarningNotification* n)
{
    showText(tr("Avviso"), n->message(), QStringLiteral(":/icons/log/warning"));
}

// Debug rows are never listed.
void LogEntryWidget::visit(const VM24::DebugNotification*)
{
}

void LogEntryWidget::visit(const VM24::SupportRequestNotification*)
{
    showText(tr("Informazione"), tr("Richista di assistenza inoltrata"), QStringLiteral(":/icons/log/info"));
}

// A long message is cut to the lines the row has room for. The room is
// worked out from the row's width, as the label may not be laid out yet.
void LogEntryWidget::elideEventText()
{
    int room = width() - TEXT_INDENT;
    if (!m_secondIconName.isEmpty())
        room -= SECOND_PICTURE_SIZE + 12;
    room = qMax(1, room) * EVENT_TEXT_LINES - m_eventText->fontMetrics().averageCharWidth() * 4;
    m_eventText->setText(m_eventText->fontMetrics().elidedText(m_eventFullText, Qt::ElideRight, room));
}

void LogEntryWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (currentLayout() == EventLayout)
        elideEventText();
}

void LogEntryWidget::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    VM24::paint_style_background(this);
}
