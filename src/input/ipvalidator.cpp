#include "input/ipvalidator.h"

#include "core/ipv4address.h"

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
    return VM24::is_ipv4_address(input) ? Acceptable : Intermediate;
}
