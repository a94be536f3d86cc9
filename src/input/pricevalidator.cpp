#include "input/pricevalidator.h"

#include "core/vm24.h"

const char* const PriceValidator::EXPRESSION = "([1-9]\\d{0,6}|0)([,\\.]\\d{1,2})?";

PriceValidator::PriceValidator(int maxCents, QObject* parent)
    : QValidator(parent)
    , m_expression(QRegularExpression(QLatin1String(EXPRESSION)))
    , m_maxCents(maxCents)
{
}

QValidator::State PriceValidator::validate(QString& input, int& pos) const
{
    const State state = m_expression.validate(input, pos);
    if (state == Acceptable && VM24::read_money_amount(input) > m_maxCents)
        return Intermediate;
    return state;
}
