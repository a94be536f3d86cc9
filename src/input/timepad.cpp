#include "input/timepad.h"

#include <QRegularExpressionValidator>

const char* const TimePad::EXPRESSION = "([01]\\d|2[0-3]):[0-5]\\d";

namespace {
const char* const FORMAT = "hh:mm";
}

TimePad::TimePad(QWidget* parent)
    : AbstractNumPad(QLatin1Char(':'),
                     std::make_unique<QRegularExpressionValidator>(QRegularExpression(QLatin1String(EXPRESSION))),
                     parent)
{
}

QTime TimePad::time() const
{
    return QTime::fromString(text(), QLatin1String(FORMAT));
}

void TimePad::setTime(const QTime& time)
{
    setText(time.toString(QLatin1String(FORMAT)));
}
