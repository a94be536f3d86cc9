#include "input/codeeditfield.h"

const int CodeEditField::POWERS_OF_TEN[] = {10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

CodeEditField::CodeEditField(int digits, QWidget* parent)
    : NumericEditField(parent)
    , m_digits(qBound(0, digits, 8))
{
    setLimits(0, POWERS_OF_TEN[m_digits]);
    refresh();
}

QString CodeEditField::formatValue(int value) const
{
    return QString::number(value).rightJustified(m_digits, QLatin1Char('0'));
}
