#pragma once

#include "input/editfield.h"

#include <limits>

// An amount of money in cents, shown as "12,50" and typed on a PriceNumPad.
class PriceEditField : public EditField
{
    Q_OBJECT

public:
    explicit PriceEditField(QWidget* parent = nullptr);

    int value() const { return m_cents; }
    void setValue(int cents);
    // The most the pad takes.
    void setMaximum(int cents) { m_maxCents = cents; }

protected:
    void doEdit(const QString& current) override;

private:
    int m_cents = -1;
    int m_maxCents = std::numeric_limits<int>::max();
};
