#include "maintenance/productbuttonprices.h"

#include "core/vm24.h"
#include "ui/clickablearea.h"
#include "ui/textfit.h"

#include <QMouseEvent>
#include <QPainter>

const QSize ProductButtonPrices::BUTTON_SIZE(269, 317);
// Above the upper price frame, so that the two never share a touch.
const QRect ProductButtonPrices::HELP_AREA(10, 100, 80, 64);

namespace {

// Zones of ":/images/product-button-base" and ":/images/button-price-frame".
const QRect CARD(7, 5, 255, 297);
const QRect THUMBNAIL_TILE(17, 15, 235, 205);
// With two prices the thumbnail gives up the bottom of the tile.
const QRect SHORT_TILE(17, 15, 235, 135);
const QPoint SINGLE_FRAME(17, 228);
const QPoint UPPER_FRAME(17, 166);
const QPoint LOWER_FRAME(17, 234);
const QRect HELP_ICON(10, 104, 60, 60);
const QSize FRAME_SIZE(235, 62);
const QRect PRICE_TEXT(8, 4, 219, 54);
const QRect ICON_BOX(10, 7, 48, 48);
// Where the top and the bottom touch areas meet when both prices are shown.
const int AREA_SPLIT = 231;
const QRect CHECKED_MARK(184, 19, 64, 64);
const int PRICE_POINTS = 20;

} // namespace

ProductButtonPrices::ProductButtonPrices(QWidget* parent)
    : QWidget(parent)
    , m_priceFrame(QStringLiteral(":/images/button-price-frame"))
    , m_cashIcon(QStringLiteral(":/icons/log/cash"))
    , m_cardIcon(QStringLiteral(":/icons/log/nfc"))
    , m_help(QStringLiteral(":/icons/help"))
    , m_checkedIcon(QStringLiteral(":/icons/checked"))
{
    setFixedSize(BUTTON_SIZE);
}

void ProductButtonPrices::setImage(const QPixmap& image)
{
    m_image = image;
    update();
}

void ProductButtonPrices::setHighPrice(int cents)
{
    m_highPrice = cents;
    update();
}

void ProductButtonPrices::setLowPrice(int cents)
{
    m_lowPrice = cents;
    update();
}

void ProductButtonPrices::setEmptyProduct(bool empty)
{
    m_empty = empty;
    update();
}

void ProductButtonPrices::select(Selection selection)
{
    m_selection = selection;
    update();
}

void ProductButtonPrices::setLowPriceVisible(bool visible)
{
    m_lowPriceVisible = visible;
    update();
}

void ProductButtonPrices::setChecked(bool checked)
{
    m_checked = checked;
    update();
}

void ProductButtonPrices::setHelpVisible(bool visible)
{
    m_helpVisible = visible;
    update();
}

void ProductButtonPrices::onHighPriceClicked()
{
    select(HighPriceSelected);
    emit highPriceClicked();
}

void ProductButtonPrices::onLowPriceClicked()
{
    select(LowPriceSelected);
    emit lowPriceClicked();
}

// Without the cashless price the cash price takes the whole card.
QRect ProductButtonPrices::highPriceArea() const
{
    if (!m_lowPriceVisible)
        return CARD;
    return QRect(CARD.left(), CARD.top(), CARD.width(), AREA_SPLIT - CARD.top());
}

QRect ProductButtonPrices::lowPriceArea() const
{
    if (!m_lowPriceVisible)
        return QRect();
    return QRect(CARD.left(), AREA_SPLIT, CARD.width(), CARD.bottom() + 1 - AREA_SPLIT);
}

ProductButtonPrices::Area ProductButtonPrices::areaAt(const QPoint& point) const
{
    if (m_empty)
        return NoArea;
    if (m_helpVisible && HELP_AREA.contains(point))
        return HelpArea;
    if (lowPriceArea().contains(point))
        return LowArea;
    if (highPriceArea().contains(point))
        return HighArea;
    return NoArea;
}

void ProductButtonPrices::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = areaAt(event->position().toPoint());
    update();
}

void ProductButtonPrices::mouseReleaseEvent(QMouseEvent* event)
{
    const Area pressed = m_pressed;
    m_pressed = NoArea;
    update();
    if (pressed == NoArea || areaAt(event->position().toPoint()) != pressed)
        return;
    if (pressed == HelpArea)
        emit helpClicked();
    else if (pressed == LowArea)
        onLowPriceClicked();
    else
        onHighPriceClicked();
}

QRect ProductButtonPrices::thumbnailRect() const
{
    return m_lowPriceVisible ? SHORT_TILE : THUMBNAIL_TILE;
}

QRect ProductButtonPrices::priceFrame(bool low) const
{
    if (!m_lowPriceVisible)
        return QRect(SINGLE_FRAME, FRAME_SIZE);
    return QRect(low ? LOWER_FRAME : UPPER_FRAME, FRAME_SIZE);
}

void ProductButtonPrices::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0,
                       QPixmap(m_empty ? QStringLiteral(":/images/product-button-base-empty")
                                       : QStringLiteral(":/images/product-button-base")));
    if (m_empty)
        return;
    if (!m_image.isNull()) {
        const QRect tile = thumbnailRect();
        QSize fitted = m_image.deviceIndependentSize().toSize();
        if (fitted.width() > tile.width() || fitted.height() > tile.height())
            fitted.scale(tile.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), fitted);
        target.moveCenter(tile.center());
        painter.drawPixmap(target, m_image);
    }
    paintPrice(painter, priceFrame(false), m_highPrice, m_lowPriceVisible ? m_cashIcon : QPixmap());
    if (m_lowPriceVisible)
        paintPrice(painter, priceFrame(true), m_lowPrice, m_cardIcon);
    if (m_checked)
        painter.drawPixmap(CHECKED_MARK, m_checkedIcon);
    if (m_helpVisible)
        painter.drawPixmap(HELP_ICON, m_help);
    const QColor shade = VM24::PRESSED_BUTTON_SHADE;
    if (m_selection == WholeSelected)
        ClickableArea::paintPressedOverlay(painter, CARD, shade);
    else if (m_selection == HighPriceSelected || m_pressed == HighArea)
        ClickableArea::paintPressedOverlay(painter, priceFrame(false), shade);
    else if (m_selection == LowPriceSelected || m_pressed == LowArea)
        ClickableArea::paintPressedOverlay(painter, priceFrame(true), shade);
    if (m_pressed == HelpArea)
        ClickableArea::paintPressedOverlay(painter, HELP_ICON, shade);
}

// The icon tells the cash price from the cashless one when both are shown.
void ProductButtonPrices::paintPrice(QPainter& painter, const QRect& frame, int cents, const QPixmap& icon)
{
    painter.drawPixmap(frame.topLeft(), m_priceFrame);
    QRect textRect = PRICE_TEXT.translated(frame.topLeft());
    if (!icon.isNull()) {
        const QRect iconRect = ICON_BOX.translated(frame.topLeft());
        painter.drawPixmap(iconRect, icon);
        textRect.setLeft(iconRect.right() + 4);
    }
    QFont priceFont = font();
    priceFont.setPointSize(PRICE_POINTS);
    priceFont.setBold(true);
    const QString text = VM24::format_money(cents);
    painter.setFont(VM24::fitted_font(priceFont, text, textRect.width()));
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(textRect, Qt::AlignCenter, text);
}
