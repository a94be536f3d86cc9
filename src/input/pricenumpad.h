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

    // An amount below minimumCents is not taken: enter clears it and shows
    // refusal in its place, and the pad stays open.
    void refuseBelow(int minimumCents, const QString& refusal);

public slots:
    void accept() override;

private:
    int m_minimumCents = 0;
    QString m_refusal;
};
