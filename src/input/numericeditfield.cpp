#include "input/numericeditfield.h"

#include "input/numpad.h"

NumericEditField::NumericEditField(QWidget* parent)
    : EditField(parent)
{
    refresh();
}

void NumericEditField::setValue(int value)
{
    if (value < m_min || value > m_max)
        return;
    m_value = value;
    refresh();
}

void NumericEditField::setLimits(int min, int max)
{
    m_min = min;
    m_max = max;
    m_value = qBound(min, m_value, max);
    refresh();
}

void NumericEditField::refresh()
{
    setInputText(formatValue(m_value));
}

QString NumericEditField::formatValue(int value) const
{
    return QString::number(value);
}

void NumericEditField::doEdit(const QString&)
{
    auto* pad = new NumPad(m_min, m_max, window());
    pad->setTitle(title());
    pad->setValue(m_value);
    openPad(pad, [this, pad] {
        setValue(pad->value());
        return true;
    });
}
