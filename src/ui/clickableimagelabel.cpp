#include "ui/clickableimagelabel.h"

#include "core/vm24.h"
#include "ui/clickablearea.h"
#include "ui/imagelabel.h"

#include <QPainter>

namespace {
const qreal DISABLED_OPACITY = 0.4;
}

ClickableImageLabel::ClickableImageLabel(QWidget* parent)
    : QAbstractButton(parent)
    , m_downColor(VM24::PRESSED_BUTTON_BRIGHT)
{
    setFocusPolicy(Qt::NoFocus);
}

ClickableImageLabel::ClickableImageLabel(const QPixmap& pixmap, const QMargins& margins, QWidget* parent)
    : ClickableImageLabel(parent)
{
    m_margins = margins;
    setPixmap(pixmap);
}

void ClickableImageLabel::setPixmap(const QPixmap& pixmap)
{
    m_pixmap = pixmap;
    ImageLabel::takeSizeOf(this, pixmap);
    update();
}

void ClickableImageLabel::setMargins(const QMargins& margins)
{
    m_margins = margins;
    update();
}

void ClickableImageLabel::setDownColor(const QColor& color)
{
    m_downColor = color;
    update();
}

QSize ClickableImageLabel::sizeHint() const
{
    return m_pixmap.isNull() ? QAbstractButton::sizeHint() : m_pixmap.deviceIndependentSize().toSize();
}

void ClickableImageLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // A button that cannot be touched now is drawn faded.
    if (!isEnabled())
        painter.setOpacity(DISABLED_OPACITY);
    ImageLabel::paintPictureAndText(this, painter, m_pixmap, text(), m_margins);
    if (isDown())
        ClickableArea::paintPressedOverlay(painter, rect(), m_downColor);
}
