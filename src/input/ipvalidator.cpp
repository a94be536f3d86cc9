#include "input/ipvalidator.h"

const char* const IpValidator::EXPRESSION = "\\d{1,3}(\\.\\d{1,3}){3}";

IpValidator::IpValidator(QObject* parent)
    : QValidator(parent)
    , m_expression(QRegularExpression(QLatin1String(EXPRESSION)))
{
}

QValidator::State IpValidator::validate(QString& input, int& pos) const
{
    const State state = m_expression.validate(input, pos);
    if (state != Acceptable)
        return state;
    for (const QString& part : input.split(QLatin1Char('.'))) {
        if (part.toInt() > 255)
            return Intermediate;
    }
    return Acceptable;
}
