#include "input/pricenumpad.h"

#include "core/vm24.h"
#include "input/pricevalidator.h"

#include <QLabel>

#include <limits>

namespace {
const char* const REFUSAL_STYLE = "<span style='font-size: 26px; color: #b82c2c;'>%1</span>";
} // namespace

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

void PriceNumPad::refuseBelow(int minimumCents, const QString& refusal)
{
    m_minimumCents = minimumCents;
    m_refusal = refusal;
    textLabel()->setWordWrap(true);
}

void PriceNumPad::accept()
{
    if (value() < m_minimumCents) {
        clearText();
        textLabel()->setText(QString::fromLatin1(REFUSAL_STYLE).arg(m_refusal.toHtmlEscaped()));
        return;
    }
    AbstractNumPad::accept();
}
