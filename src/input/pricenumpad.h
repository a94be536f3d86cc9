#pragma once

#include "input/abstractnumpad.h"

// A pad for an amount of money in euro and cents, typed as "12,50".
class PriceNumPad : public AbstractNumPad
{
    Q_OBJECT

public:
    explicit PriceNumPad(QWidget* parent = nullptr);
    PriceNumPad(int maxCents, QWidget* parent = nullptr);

    int value() const;
    void setValue(int cents);
};
