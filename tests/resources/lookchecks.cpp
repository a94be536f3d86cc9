#include "lookchecks.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QtMath>
#include <algorithm>
#include <vector>

namespace LookChecks {

const QColor PAGE_COLOUR(0x0a, 0x16, 0x30);

QJsonObject pictures()
{
    QFile file(QStringLiteral(":/look/layout.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("pictures")).toObject();
}

QRect zoneRect(const QJsonObject& zone)
{
    const QJsonArray r = zone.value(QStringLiteral("rect")).toArray();
    return QRect(r.at(0).toInt(), r.at(1).toInt(), r.at(2).toInt(), r.at(3).toInt());
}

static double channel(double v)
{
    return v <= 0.03928 ? v / 12.92 : qPow((v + 0.055) / 1.055, 2.4);
}

static double luminance(const QColor& c)
{
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

static QColor overPage(QRgb pixel)
{
    const double alpha = qAlpha(pixel) / 255.0;
    auto blend = [alpha](int top, int bottom) { return qRound(top * alpha + bottom * (1.0 - alpha)); };
    return QColor(blend(qRed(pixel), PAGE_COLOUR.red()), blend(qGreen(pixel), PAGE_COLOUR.green()),
                  blend(qBlue(pixel), PAGE_COLOUR.blue()));
}

double contrastOver(const QImage& picture, const QRect& rect, const QColor& text, double outlierShare)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRect area = rect.intersected(image.rect());
    std::vector<double> ratios;
    ratios.reserve(size_t(area.width()) * size_t(area.height()));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ratios.push_back(contrastRatio(text, overPage(image.pixel(x, y))));
    }
    if (ratios.empty())
        return 0.0;
    const size_t skipped = size_t(double(ratios.size()) * outlierShare);
    std::nth_element(ratios.begin(), ratios.begin() + skipped, ratios.end());
    return ratios[skipped];
}

} // namespace LookChecks
