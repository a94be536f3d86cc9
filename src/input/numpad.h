#pragma once

#include "input/abstractnumpad.h"

// A pad for a whole number within limits.
class NumPad : public AbstractNumPad
{
    Q_OBJECT

public:
    explicit NumPad(QWidget* parent = nullptr);
    NumPad(int min, int max, QWidget* parent = nullptr);

    int value() const { return text().toInt(); }
    void setValue(int value) { setText(QString::number(value)); }
};
