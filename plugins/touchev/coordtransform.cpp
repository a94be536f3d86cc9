#include "coordtransform.h"

namespace {

// Single-precision division truncated toward zero, as the panel's
// calibration was made with it.
int scaled(int value, float scale)
{
    return static_cast<int>(static_cast<float>(value) / scale);
}

} // namespace

TouchevMouseHandler::CoordTransform* TouchevMouseHandler::CoordTransform::create(int rotation)
{
    if (rotation == 90)
        return new Rot90;
    return new Rot270;
}

void TouchevMouseHandler::CoordTransform::setHardwareLimits(const QSize& max)
{
    if (max.width() < 1 || max.height() < 1)
        return;
    m_max = max;
    m_xScale = static_cast<float>(max.width()) / SCREEN_HEIGHT;
    m_yScale = static_cast<float>(max.height()) / SCREEN_WIDTH;
    m_hasLimits = true;
}

QRect TouchevMouseHandler::CoordTransform::rawArea() const
{
    if (!m_hasLimits)
        return QRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    return QRect(0, 0, m_max.width() + 1, m_max.height() + 1);
}

QPoint TouchevMouseHandler::Rot90::apply(const QPoint& raw) const
{
    if (!m_hasLimits)
        return raw;
    return QPoint(scaled(raw.y(), m_yScale), scaled(m_max.width() - raw.x(), m_xScale));
}

QPoint TouchevMouseHandler::Rot270::apply(const QPoint& raw) const
{
    if (!m_hasLimits)
        return raw;
    return QPoint(scaled(m_max.height() - raw.y(), m_yScale), scaled(raw.x(), m_xScale));
}
