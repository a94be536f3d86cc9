#pragma once

#include "touchevmousehandler.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// Maps raw touchscreen coordinates to the portrait screen. The panel is
// mounted rotated, so the raw X axis runs along the screen's height.
//
// Until the hardware limits are known (a device that reports no absolute
// axes), a transform is the identity: raw units are taken as screen pixels.
class TouchevMouseHandler::CoordTransform
{
public:
    static constexpr int SCREEN_WIDTH = 1080;
    static constexpr int SCREEN_HEIGHT = 1920;

    // Rot90 for rotation 90, Rot270 for any other value.
    static CoordTransform* create(int rotation);

    virtual ~CoordTransform() = default;

    // max: the maxima of the device's absolute X and Y axes. A size with a
    // maximum below 1 is ignored, since it cannot be scaled.
    virtual void setHardwareLimits(const QSize& max);
    virtual QPoint apply(const QPoint& raw) const = 0;

    bool hasHardwareLimits() const { return m_hasLimits; }
    // The raw positions the device can report: 0..maximum on both axes, or
    // the screen itself while the transform is the identity.
    QRect rawArea() const;

protected:
    float m_xScale = 1.0f;
    float m_yScale = 1.0f;
    QSize m_max;
    bool m_hasLimits = false;
};

// Panel turned a quarter clockwise: raw Y runs along the screen's width,
// raw X from the bottom of the screen to its top.
class TouchevMouseHandler::Rot90 : public TouchevMouseHandler::CoordTransform
{
public:
    QPoint apply(const QPoint& raw) const override;
};

// Panel turned a quarter counter-clockwise: raw Y runs from the right edge
// of the screen to its left, raw X from the top to the bottom.
class TouchevMouseHandler::Rot270 : public TouchevMouseHandler::CoordTransform
{
public:
    QPoint apply(const QPoint& raw) const override;
};
