#include "ui/clickablearea.h"

#include "core/vm24.h"

#include <QPainter>

ClickableArea::ClickableArea(QWidget* parent)
    : QAbstractButton(parent)
    , m_downColor(VM24::PRESSED_BUTTON_BRIGHT)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
}

void ClickableArea::setDownColor(const QColor& color)
{
    if (m_downColor == color)
        return;
    m_downColor = color;
    update();
}

void ClickableArea::paintPressedOverlay(QPainter& painter, const QRect& rect, const QColor& color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(rect, CORNER_RADIUS, CORNER_RADIUS);
    painter.restore();
}

void ClickableArea::paintEvent(QPaintEvent*)
{
    if (!isDown())
        return;
    QPainter painter(this);
    paintPressedOverlay(painter, rect(), m_downColor);
}
