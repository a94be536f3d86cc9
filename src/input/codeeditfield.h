#pragma once

#include "input/numericeditfield.h"

// A number shown with n digits, zero-padded, such as the serial number.
class CodeEditField : public NumericEditField
{
    Q_OBJECT

public:
    static const int POWERS_OF_TEN[];

    explicit CodeEditField(int digits, QWidget* parent = nullptr);

protected:
    QString formatValue(int value) const override;

private:
    int m_digits;
};
