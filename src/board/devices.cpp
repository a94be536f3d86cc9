#include "board/devices.h"

namespace Devices {

namespace {

const char* const NAMED[] = {
    "RK710", "RK741", "RK742", "Coin acceptor", "Bill validator", "Cashless", "POS",
    "Hopper 1", "Hopper 2", "Stampante",
};

} // namespace

QString to_string(Index index)
{
    if (index >= Rk710 && index < Dispenser1)
        return QLatin1String(NAMED[index]);
    if (index >= Dispenser1 && index <= Dispenser18)
        return QStringLiteral("Erogatore %1").arg(int(index) - 9, 2);
    return QString();
}

} // namespace Devices
