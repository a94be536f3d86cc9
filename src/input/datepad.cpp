#include "input/datepad.h"

#include <QRegularExpressionValidator>

const char* const DatePad::EXPRESSION = "[0-3]\\d/[0-1]\\d/\\d{4}";

namespace {
const char* const FORMAT = "dd/MM/yyyy";
}

DatePad::DatePad(QWidget* parent)
    : AbstractNumPad(QLatin1Char('/'),
                     std::make_unique<QRegularExpressionValidator>(QRegularExpression(QLatin1String(EXPRESSION))),
                     parent)
{
}

QDate DatePad::date() const
{
    return QDate::fromString(text(), QLatin1String(FORMAT));
}

void DatePad::setDate(const QDate& date)
{
    setText(date.toString(QLatin1String(FORMAT)));
}
