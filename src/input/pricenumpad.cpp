#include "input/pricenumpad.h"

#include "core/vm24.h"
#include "input/pricevalidator.h"

#include <limits>

PriceNumPad::PriceNumPad(QWidget* parent)
    : PriceNumPad(std::numeric_limits<int>::max(), parent)
{
}

PriceNumPad::PriceNumPad(int maxCents, QWidget* parent)
    : AbstractNumPad(QLatin1Char(','), std::make_unique<PriceValidator>(maxCents), parent)
{
}

int PriceNumPad::value() const
{
    return VM24::read_money_amount(text());
}

void PriceNumPad::setValue(int cents)
{
    setText(VM24::format_credit(cents));
}
