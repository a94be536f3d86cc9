#pragma once

#include "input/abstractnumpad.h"

#include <QTime>

// A pad for a time of day, typed as "hh:mm".
class TimePad : public AbstractNumPad
{
    Q_OBJECT

public:
    static const char* const EXPRESSION;

    explicit TimePad(QWidget* parent = nullptr);

    QTime time() const;
    void setTime(const QTime& time);
};
