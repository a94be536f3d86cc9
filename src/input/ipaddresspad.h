#pragma once

#include "input/abstractnumpad.h"

// A pad for a dotted IPv4 address.
class IpAddressPad : public AbstractNumPad
{
    Q_OBJECT

public:
    explicit IpAddressPad(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};
