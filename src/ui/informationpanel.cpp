#include "ui/informationpanel.h"

#include "core/vm24.h"
#include "ui/clickablearea.h"
#include "ui/flashinglabel.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

const QSize InformationPanel::PANEL_SIZE(534, 386);
const QPoint InformationPanel::PANEL_POSITION(276, 16);

namespace {

// Zones of the ":/images/info-pane" picture.
const QRect HEADING_ZONE(14, 12, 506, 60);
const QRect CREDIT_ZONE(30, 78, 474, 82);
const QRect COUNTDOWN_ZONE(30, 160, 474, 54);
const QRect CHANGE_ZONE(14, 214, 506, 58);
const QRect TICKET_ZONE(14, 272, 506, 26);
const QRect CLOSE_ZONE(14, 302, 506, 58);
const QRect CLOSE_TEXT_ZONE(66, 302, 448, 58);
// Flashing texts alternate with the warning yellow of the panel.
const QColor FLASH_COLOR(0xff, 0xcf, 0x5c);

} // namespace

InformationPanel::InformationPanel(QWidget* parent)
    : QWidget(parent)
    , m_background(QStringLiteral(":/images/info-pane"))
{
    setFixedSize(PANEL_SIZE);
    m_heading = addLabel(QStringLiteral("info-heading"), HEADING_ZONE, Qt::AlignCenter);
    m_creditCaption = addLabel(QStringLiteral("info-caption"), CREDIT_ZONE, Qt::AlignLeft | Qt::AlignVCenter);
    m_credit = addLabel(QStringLiteral("info-credit"), CREDIT_ZONE, Qt::AlignRight | Qt::AlignVCenter);
    m_countdownCaption =
        addLabel(QStringLiteral("info-caption"), COUNTDOWN_ZONE, Qt::AlignLeft | Qt::AlignVCenter);
    m_countdown = addFlashingLabel(QStringLiteral("info-countdown"), COUNTDOWN_ZONE, Qt::AlignRight | Qt::AlignVCenter);
    m_change = addFlashingLabel(QStringLiteral("info-change"), CHANGE_ZONE, Qt::AlignCenter);
    m_ticket = addLabel(QStringLiteral("info-ticket"), TICKET_ZONE, Qt::AlignCenter);
    m_ticket->hide();
    m_endSessionText = addLabel(QStringLiteral("info-close"), CLOSE_TEXT_ZONE, Qt::AlignLeft | Qt::AlignVCenter);

    m_endSession = new ClickableArea(this);
    m_endSession->setGeometry(CLOSE_ZONE);
    connect(m_endSession, &QAbstractButton::clicked, this, &InformationPanel::endSessionTriggered);

    setCredit(0);
    setCountdownValue(0);
    retranslate();
}

QLabel* InformationPanel::addLabel(const QString& styleClass, const QRect& zone, Qt::Alignment alignment)
{
    auto* label = new QLabel(this);
    label->setProperty("class", styleClass);
    label->setGeometry(zone);
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

FlashingLabel* InformationPanel::addFlashingLabel(const QString& styleClass, const QRect& zone,
                                                  Qt::Alignment alignment)
{
    auto* label = new FlashingLabel(this);
    label->setProperty("class", styleClass);
    label->setGeometry(zone);
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setFlashColor(FLASH_COLOR);
    return label;
}

QString InformationPanel::creditText() const
{
    return m_credit->text();
}

QString InformationPanel::countdownText() const
{
    return m_countdown->text();
}

QString InformationPanel::changeText() const
{
    return m_change->text();
}

bool InformationPanel::isCountdownFlashing() const
{
    return m_countdown->isFlashing();
}

bool InformationPanel::isChangeFlashing() const
{
    return m_change->isFlashing();
}

bool InformationPanel::isTicketWarningShown() const
{
    return !m_ticket->isHidden();
}

void InformationPanel::setCredit(int cents)
{
    m_credit->setText(VM24::format_credit(cents));
}

void InformationPanel::setCountdownValue(int seconds)
{
    m_countdown->setText(QStringLiteral("''%1").arg(seconds, 2, 10, QLatin1Char('0')));
    if (seconds <= FLASHING_BELOW_SECONDS)
        m_countdown->startFlashing();
    else
        m_countdown->stopBlinking();
}

void InformationPanel::setTicketAvailable(bool available)
{
    m_ticketAvailable = available;
    m_ticket->setVisible(!available);
}

void InformationPanel::setMaxChange(int cents)
{
    m_maxChange = cents;
    updateChangeLabelText();
}

void InformationPanel::setChangeAvailable(bool available)
{
    m_changeAvailable = available;
    updateChangeLabelStatus();
}

void InformationPanel::updateChangeLabelText()
{
    if (m_changeAvailable)
        m_change->setText(tr("RESTO MASSIMO EROGABILE\n%1").arg(VM24::format_money(m_maxChange)));
    else
        m_change->setText(tr("RESTO NON DISPONIBILE"));
}

void InformationPanel::updateChangeLabelStatus()
{
    updateChangeLabelText();
    if (m_changeAvailable)
        m_change->stopBlinking();
    else
        m_change->startFlashing();
}

void InformationPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), m_background);
}

void InformationPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void InformationPanel::retranslate()
{
    m_heading->setText(tr("INSERISCI DENARO"));
    m_creditCaption->setText(tr("CREDITO EURO:"));
    m_countdownCaption->setText(tr("TEMPO RIMANENTE"));
    m_endSessionText->setText(tr("CHIUDI OPERAZIONE"));
    m_ticket->setText(tr("SCONTRINO NON DISPONIBILE"));
    updateChangeLabelStatus();
}
