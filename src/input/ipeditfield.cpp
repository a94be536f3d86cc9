#include "input/ipeditfield.h"

#include "input/ipaddresspad.h"

IpEditField::IpEditField(QWidget* parent)
    : EditField(parent)
{
}

bool IpEditField::doEdit(const QString& current)
{
    IpAddressPad pad(window());
    pad.setTitle(title());
    pad.setText(current);
    if (pad.exec() != QDialog::Accepted)
        return false;
    setInputText(pad.text());
    return true;
}
