#include "input/ipaddresspad.h"

#include "input/ipvalidator.h"

#include <QFontMetrics>
#include <QLabel>

IpAddressPad::IpAddressPad(QWidget* parent)
    : AbstractNumPad(QLatin1Char('.'), std::make_unique<IpValidator>(), parent)
{
}

void IpAddressPad::showEvent(QShowEvent* event)
{
    // Wide enough for the longest address, so the pad does not grow while typing.
    const QFontMetrics metrics(textLabel()->font());
    textLabel()->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("255.255.255.255#"))
                                 + textLabel()->contentsMargins().left() + textLabel()->contentsMargins().right());
    AbstractNumPad::showEvent(event);
}
