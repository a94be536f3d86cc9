#include "ui/productbutton.h"

#include "core/vm24.h"
#include "ui/clickablearea.h"
#include "ui/textfit.h"

#include <QPainter>

const QSize ProductButton::BUTTON_SIZE(269, 317);

namespace {

// Zones of ":/images/product-button-base" and ":/images/button-price-frame".
const QRect CARD(7, 5, 255, 297);
const QRect THUMBNAIL_TILE(17, 15, 235, 205);
const QPoint PRICE_FRAME_POSITION(17, 228);
const QRect PRICE_TEXT(8, 4, 219, 54);
const QRect INDEX_BADGE(23, 21, 56, 44);
const QColor INDEX_BADGE_COLOR(0x00, 0x23, 0x8c);
const int PRICE_POINTS = 20;
const int INDEX_PIXELS = 28;
const int CORNER_RADIUS = 11;

} // namespace

ProductButton::ProductButton(QWidget* parent)
    : QAbstractButton(parent)
    , m_base(QStringLiteral(":/images/product-button-base"))
    , m_priceFrame(QStringLiteral(":/images/button-price-frame"))
{
    setFixedSize(BUTTON_SIZE);
    setFocusPolicy(Qt::NoFocus);
}

void ProductButton::setImage(const QPixmap& image)
{
    m_image = image;
    update();
}

void ProductButton::setPrice(int cents)
{
    if (m_price == cents)
        return;
    m_price = cents;
    update();
}

void ProductButton::setIndex(int selection)
{
    if (m_index == selection)
        return;
    m_index = selection;
    update();
}

void ProductButton::setIndexVisibilityPolicy(IndexVisibilityPolicy policy)
{
    if (m_policy == policy)
        return;
    m_policy = policy;
    update();
}

bool ProductButton::isIndexShown() const
{
    return m_policy == IndexAlways || (m_policy == IndexWhenDisabled && !isEnabled());
}

void ProductButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        painter.setOpacity(0.5);
    painter.drawPixmap(0, 0, m_base);
    if (!m_image.isNull()) {
        // Drawn at its own size when it fits the tile, else scaled down.
        QSize fitted = m_image.deviceIndependentSize().toSize();
        if (fitted.width() > THUMBNAIL_TILE.width() || fitted.height() > THUMBNAIL_TILE.height())
            fitted.scale(THUMBNAIL_TILE.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), fitted);
        target.moveCenter(THUMBNAIL_TILE.center());
        painter.drawPixmap(target, m_image);
    }
    paintPrice(painter);
    if (isIndexShown())
        paintIndex(painter);
    if (isDown())
        ClickableArea::paintPressedOverlay(painter, CARD, VM24::PRESSED_BUTTON_SHADE);
}

void ProductButton::paintPrice(QPainter& painter)
{
    paintPriceFrame(painter, *this, m_priceFrame, m_price);
}

// An empty selection has no price: the frame is left out.
void ProductButton::paintPriceFrame(QPainter& painter, const QWidget& button, const QPixmap& frame, int price)
{
    if (price <= 0)
        return;
    painter.drawPixmap(PRICE_FRAME_POSITION, frame);
    const QRect textRect = PRICE_TEXT.translated(PRICE_FRAME_POSITION);
    QFont priceFont = button.font();
    priceFont.setPointSize(PRICE_POINTS);
    priceFont.setBold(true);
    const QString text = VM24::format_money(price);
    painter.setFont(VM24::fitted_font(priceFont, text, textRect.width()));
    painter.setPen(button.palette().color(button.foregroundRole()));
    painter.drawText(textRect, Qt::AlignCenter, text);
}

void ProductButton::paintIndex(QPainter& painter)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(INDEX_BADGE_COLOR);
    painter.drawRoundedRect(INDEX_BADGE, CORNER_RADIUS, CORNER_RADIUS);
    QFont indexFont = font();
    indexFont.setPixelSize(INDEX_PIXELS);
    indexFont.setBold(true);
    painter.setFont(indexFont);
    painter.setPen(Qt::white);
    painter.drawText(INDEX_BADGE, Qt::AlignCenter, QString::number(m_index + 1));
    painter.restore();
}
