#pragma once

#include <QColor>
#include <QImage>
#include <QJsonObject>
#include <QRect>
#include <QString>

// Helpers of the look checks: the picture layout written by the artwork
// generator and the contrast arithmetic used by readability checks.
namespace LookChecks {

// The colour every page paints under its pictures (where a picture is
// transparent, text is read against this).
extern const QColor PAGE_COLOUR;

// tools/artwork/layout.json: {"pictures": {name: {zone: {"rect": [x, y, w, h], "class": ...}}}}
QJsonObject pictures();

QRect zoneRect(const QJsonObject& zone);

// WCAG contrast ratio of two opaque colours (1 to 21).
double contrastRatio(const QColor& a, const QColor& b);

// The contrast that text of the given colour reaches against the picture
// inside rect on all but the worst `outlierShare` of its pixels (thin
// outlines and anti-aliased edges are not where text is read). Transparent
// pixels are read over PAGE_COLOUR.
double contrastOver(const QImage& picture, const QRect& rect, const QColor& text, double outlierShare = 0.02);

} // namespace LookChecks
