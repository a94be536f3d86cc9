#pragma once

#include "input/editfield.h"

#include <limits>

// A whole number within limits, typed on a NumPad.
class NumericEditField : public EditField
{
    Q_OBJECT

public:
    explicit NumericEditField(QWidget* parent = nullptr);

    int value() const { return m_value; }
    // Ignored outside the limits.
    void setValue(int value);
    // Clamps the current value into the new limits.
    void setLimits(int min, int max);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }

protected:
    void doEdit(const QString& current) override;
    virtual QString formatValue(int value) const;
    void refresh();

private:
    int m_value = 0;
    int m_min = 0;
    int m_max = std::numeric_limits<int>::max();
};
