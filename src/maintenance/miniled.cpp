#include "maintenance/miniled.h"

#include <QPainter>

MiniLed::MiniLed(const QColor& colour, QWidget* parent)
    : QWidget(parent)
    , m_colour(colour)
{
    setFixedSize(DIAMETER, DIAMETER);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MiniLed::setLit(bool lit)
{
    if (m_lit == lit)
        return;
    m_lit = lit;
    update();
}

void MiniLed::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x0b, 0x16, 0x33), 2));
    painter.setBrush(m_lit ? m_colour : QColor(0x0b, 0x16, 0x33, 120));
    painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
}
