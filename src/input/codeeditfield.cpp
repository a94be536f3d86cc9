#include "input/codeeditfield.h"

const int CodeEditField::POWERS_OF_TEN[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

CodeEditField::CodeEditField(int digits, QWidget* parent)
    : NumericEditField(parent)
    , m_digits(qBound(1, digits, 8))
{
    // n digits hold at most 10^n - 1.
    setLimits(0, POWERS_OF_TEN[m_digits] - 1);
    refresh();
}

QString CodeEditField::formatValue(int value) const
{
    return QString::number(value).rightJustified(m_digits, QLatin1Char('0'));
}
