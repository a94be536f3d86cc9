#include "maintenance/onoffled.h"

#include <QPainter>

namespace {
const QColor ON_COLOUR(0x37, 0xc1, 0x73);
const QColor OFF_COLOUR(0xb8, 0x2c, 0x2c);
const QColor UNKNOWN_COLOUR(0x3a, 0x47, 0x5e);
const QColor RIM_COLOUR(0xf4, 0xf6, 0xfa);
} // namespace

OnOffLed::OnOffLed(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(DIAMETER, DIAMETER);
}

void OnOffLed::setOn(bool on)
{
    if (m_known && m_on == on)
        return;
    m_on = on;
    m_known = true;
    update();
}

void OnOffLed::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(RIM_COLOUR, 3));
    painter.setBrush(!m_known ? UNKNOWN_COLOUR : m_on ? ON_COLOUR : OFF_COLOUR);
    painter.drawEllipse(QRectF(rect()).adjusted(2, 2, -2, -2));
}
