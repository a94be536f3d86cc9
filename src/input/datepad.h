#pragma once

#include "input/abstractnumpad.h"

#include <QDate>

// A pad for a date, typed as "dd/MM/yyyy".
class DatePad : public AbstractNumPad
{
    Q_OBJECT

public:
    static const char* const EXPRESSION;

    explicit DatePad(QWidget* parent = nullptr);

    QDate date() const;
    void setDate(const QDate& date);
};
