#include "maintenance/dispensercontrol.h"

#include "maintenance/miniled.h"

#include <QPainter>

namespace {
const QColor NORMAL(0x00, 0x23, 0x8c);
const QColor EMPTY(0xba, 0x97, 0x2d);
const QColor ERROR_FILL(0xb8, 0x2c, 0x2c);
const QColor DISABLED(0x3a, 0x47, 0x5e);
const QColor PRESSED_OVERLAY(0x1b, 0x1b, 0x89, 150);
const QColor SENSOR(0x37, 0xc1, 0x73);
const int RADIUS = 11;
const int LED_MARGIN = 6;
} // namespace

DispenserControl::DispenserControl(int number, QWidget* parent)
    : QAbstractButton(parent)
    , m_number(number)
    , m_led(new MiniLed(SENSOR, this))
{
    setFixedSize(SIDE, SIDE);
    setFocusPolicy(Qt::NoFocus);
    setText(QString::number(number));
    m_led->move(SIDE - MiniLed::DIAMETER - LED_MARGIN, LED_MARGIN);
}

void DispenserControl::setProductAvailable(bool available)
{
    m_available = available;
    m_led->setLit(available);
    update();
}

void DispenserControl::setError(bool error)
{
    m_error = error;
    update();
}

QColor DispenserControl::fillColour() const
{
    if (!isEnabled())
        return DISABLED;
    if (m_error)
        return ERROR_FILL;
    return m_available ? NORMAL : EMPTY;
}

void DispenserControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF tile = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(isEnabled() ? QColor(0xf4, 0xf6, 0xfa) : QColor(0x56, 0x64, 0x7d), 3));
    painter.setBrush(fillColour());
    painter.drawRoundedRect(tile, RADIUS, RADIUS);
    if (isDown()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(PRESSED_OVERLAY);
        painter.drawRoundedRect(tile, RADIUS, RADIUS);
    }
    QFont font = painter.font();
    font.setPixelSize(32);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(isEnabled() ? Qt::white : QColor(0x9a, 0xa5, 0xb8));
    painter.drawText(rect().adjusted(0, 8, 0, 0), Qt::AlignCenter, text());
}
