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

bool PriceEditField::doEdit(const QString&)
{
    PriceNumPad pad(m_maxCents, window());
    pad.setTitle(title());
    pad.setValue(m_cents);
    if (pad.exec() != QDialog::Accepted)
        return false;
    setValue(pad.value());
    return true;
}
