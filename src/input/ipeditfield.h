#pragma once

#include "input/editfield.h"

// A dotted IPv4 address typed on an IpAddressPad.
class IpEditField : public EditField
{
    Q_OBJECT

public:
    explicit IpEditField(QWidget* parent = nullptr);

protected:
    void doEdit(const QString& current) override;
};
