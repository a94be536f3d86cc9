#include "ui/flashinglabel.h"

FlashingLabel::FlashingLabel(QWidget* parent)
    : QLabel(parent)
{
    m_timer.setInterval(FLASH_INTERVAL_MS);
    connect(&m_timer, &QTimer::timeout, this, &FlashingLabel::toggle);
}

QColor FlashingLabel::currentTextColor() const
{
    return palette().color(foregroundRole());
}

void FlashingLabel::startFlashing()
{
    if (m_flashing)
        return;
    rememberOwnColor();
    m_flashing = true;
    if (isVisible()) {
        toggle();
        m_timer.start();
    }
}

void FlashingLabel::stopBlinking()
{
    m_timer.stop();
    if (m_flashing && m_ownColor.isValid())
        applyColor(m_ownColor);
    m_flashing = false;
    m_flashPhase = false;
}

void FlashingLabel::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    if (m_flashing && !m_timer.isActive())
        m_timer.start();
}

void FlashingLabel::hideEvent(QHideEvent* event)
{
    QLabel::hideEvent(event);
    m_timer.stop();
}

void FlashingLabel::toggle()
{
    m_flashPhase = !m_flashPhase;
    applyColor(m_flashPhase ? m_flashColor : m_ownColor);
}

// The label's own colour comes from the style sheet, which applies when the
// label is polished; it is taken then rather than at construction.
void FlashingLabel::rememberOwnColor()
{
    if (m_ownColor.isValid())
        return;
    ensurePolished();
    m_ownColor = currentTextColor();
}

void FlashingLabel::applyColor(const QColor& color)
{
    QPalette flashed = palette();
    flashed.setColor(foregroundRole(), color);
    setPalette(flashed);
}
