#include "maintenance/productmenubutton.h"

#include "board/motor.h"
#include "core/vm24.h"
#include "ui/clickablearea.h"
#include "ui/productbutton.h"
#include "ui/textfit.h"

#include <QMouseEvent>
#include <QPainter>

const QSize ProductMenuButton::BUTTON_SIZE(269, 317);
const QRect ProductMenuButton::MOTOR_AREA(7, 5, 104, 96);

namespace {

// Zones of ":/images/product-button-base*" and ":/images/button-price-frame".
const QRect CARD(7, 5, 255, 297);
const QRect THUMBNAIL_TILE(17, 15, 235, 205);
const QRect MOTOR_BADGE(23, 21, 64, 52);
const QColor MOTOR_BADGE_COLOR(0x0b, 0x16, 0x33);
const int MOTOR_POINTS = 30;

QString base_picture(bool empty, bool error)
{
    if (error)
        return QStringLiteral(":/images/product-button-base-error");
    if (empty)
        return QStringLiteral(":/images/product-button-base-empty");
    return QStringLiteral(":/images/product-button-base");
}

} // namespace

ProductMenuButton::ProductMenuButton(QWidget* parent)
    : QAbstractButton(parent)
    , m_priceFrame(QStringLiteral(":/images/button-price-frame"))
{
    setFixedSize(BUTTON_SIZE);
    setFocusPolicy(Qt::NoFocus);
}

void ProductMenuButton::setMotor(int motor)
{
    m_motor = motor;
    update();
}

void ProductMenuButton::setImage(const QPixmap& image)
{
    m_image = image;
    update();
}

void ProductMenuButton::setPrice(int cents)
{
    m_price = cents;
    update();
}

void ProductMenuButton::setEmpty(bool empty)
{
    m_empty = empty;
    update();
}

void ProductMenuButton::setError(bool error)
{
    m_error = error;
    update();
}

// A press on the motor number belongs to the motor map, not to the product.
void ProductMenuButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && MOTOR_AREA.contains(event->position().toPoint())) {
        m_motorPressed = true;
        update();
        event->accept();
        return;
    }
    QAbstractButton::mousePressEvent(event);
}

void ProductMenuButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_motorPressed) {
        QAbstractButton::mouseReleaseEvent(event);
        return;
    }
    m_motorPressed = false;
    update();
    event->accept();
    if (MOTOR_AREA.contains(event->position().toPoint()))
        emit topButtonClicked();
}

void ProductMenuButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, QPixmap(base_picture(m_empty, m_error)));
    if (!m_image.isNull()) {
        QSize fitted = m_image.deviceIndependentSize().toSize();
        if (fitted.width() > THUMBNAIL_TILE.width() || fitted.height() > THUMBNAIL_TILE.height())
            fitted.scale(THUMBNAIL_TILE.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(0, 0), fitted);
        target.moveCenter(THUMBNAIL_TILE.center());
        painter.drawPixmap(target, m_image);
    }
    paintPrice(painter);
    paintMotor(painter);
    if (isDown())
        ClickableArea::paintPressedOverlay(painter, CARD, VM24::PRESSED_BUTTON_SHADE);
    if (m_motorPressed)
        ClickableArea::paintPressedOverlay(painter, MOTOR_AREA, VM24::PRESSED_BUTTON_SHADE);
}

void ProductMenuButton::paintPrice(QPainter& painter)
{
    ProductButton::paintPriceFrame(painter, *this, m_priceFrame, m_price);
}

void ProductMenuButton::paintMotor(QPainter& painter)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(MOTOR_BADGE_COLOR);
    painter.drawRoundedRect(MOTOR_BADGE, ClickableArea::CORNER_RADIUS, ClickableArea::CORNER_RADIUS);
    QFont motorFont = font();
    motorFont.setPointSize(MOTOR_POINTS);
    motorFont.setBold(true);
    const QString text = QString::number(Motor::fromIndex(m_motor).number());
    painter.setFont(VM24::fitted_font(motorFont, text, MOTOR_BADGE.width() - 14));
    painter.setPen(Qt::white);
    painter.drawText(MOTOR_BADGE, Qt::AlignCenter, text);
    painter.restore();
}
