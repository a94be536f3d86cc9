#include "ui/textfit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

namespace {

const int SMALLEST_PIXEL_SIZE = 12;

int widest_line(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return widest;
}

} // namespace

namespace VM24 {

QFont fitted_font(const QFont& font, const QString& text, int width)
{
    QFont fitted = font;
    if (fitted.pixelSize() <= 0)
        fitted.setPixelSize(QFontInfo(font).pixelSize());
    while (fitted.pixelSize() > SMALLEST_PIXEL_SIZE && widest_line(fitted, text) > width)
        fitted.setPixelSize(fitted.pixelSize() - 1);
    return fitted;
}

} // namespace VM24
