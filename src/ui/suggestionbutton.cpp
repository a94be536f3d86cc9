#include "ui/suggestionbutton.h"

#include "core/vm24.h"
#include "ui/clickablearea.h"
#include "ui/textfit.h"

#include <QPainter>

const QSize SuggestionButton::BUTTON_SIZE(340, 560);

namespace {

const QRect PICTURE_ZONE(20, 20, 300, 420);
const QRect PRICE_ZONE(20, 456, 300, 84);
const QColor CARD_COLOR(Qt::white);
const QColor PRICE_RULE_COLOR(0xdf, 0xe5, 0xef);
const int PRICE_PIXELS = 44;
const int CORNER_RADIUS = 11;

} // namespace

SuggestionButton::SuggestionButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFixedSize(BUTTON_SIZE);
    setFocusPolicy(Qt::NoFocus);
}

void SuggestionButton::setImage(const QImage& image)
{
    m_image = image;
    update();
}

void SuggestionButton::setPrice(int cents)
{
    if (m_price == cents)
        return;
    m_price = cents;
    update();
}

void SuggestionButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::NoPen);
    painter.setBrush(CARD_COLOR);
    painter.drawRoundedRect(rect(), CORNER_RADIUS, CORNER_RADIUS);

    if (!m_image.isNull()) {
        QRect target(QPoint(0, 0), m_image.size().scaled(PICTURE_ZONE.size(), Qt::KeepAspectRatio));
        target.moveCenter(PICTURE_ZONE.center());
        painter.drawImage(target, m_image);
    }

    painter.setPen(PRICE_RULE_COLOR);
    painter.drawLine(PRICE_ZONE.topLeft(), PRICE_ZONE.topRight());
    QFont priceFont = font();
    priceFont.setPixelSize(PRICE_PIXELS);
    priceFont.setBold(true);
    const QString text = VM24::format_money(m_price);
    painter.setFont(VM24::fitted_font(priceFont, text, PRICE_ZONE.width()));
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(PRICE_ZONE, Qt::AlignCenter, text);

    if (isDown())
        ClickableArea::paintPressedOverlay(painter, rect(), VM24::PRESSED_BUTTON_SHADE);
}
