#include "input/priceeditfield.h"

#include "core/vm24.h"
#include "input/pricenumpad.h"

PriceEditField::PriceEditField(QWidget* parent)
    : EditField(parent)
{
    setValue(0);
}

void PriceEditField::setValue(int cents)
{
    if (cents == m_cents)
        return;
    m_cents = cents;
    setInputText(VM24::format_credit(cents));
}

void PriceEditField::doEdit(const QString&)
{
    auto* pad = new PriceNumPad(m_maxCents, window());
    pad->setTitle(title());
    pad->setValue(m_cents);
    openPad(pad, [this, pad] {
        setValue(pad->value());
        return true;
    });
}
