#include "input/ipeditfield.h"

#include "input/ipaddresspad.h"

IpEditField::IpEditField(QWidget* parent)
    : EditField(parent)
{
}

void IpEditField::doEdit(const QString& current)
{
    auto* pad = new IpAddressPad(window());
    pad->setTitle(title());
    pad->setText(current);
    openPad(pad, [this, pad] {
        setInputText(pad->text());
        return true;
    });
}
