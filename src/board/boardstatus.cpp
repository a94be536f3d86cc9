#include "board/boardstatus.h"

namespace BoardStatus {

namespace {

const char* const LOW_BIT_NAMES[] = {
    "BoardReset", "CoinAcceptor", "CoinChanger", "BillValidator", "Cashless", "Pos",
    "Hopper1", "Hopper2", "Hopper1Coins", "Hopper2Coins", "Printer",
    "Motor1", "Motor2", "Motor3", "Motor4", "CanGiveChange", "OutOfPaper",
};
const int LOW_BIT_COUNT = int(sizeof LOW_BIT_NAMES / sizeof LOW_BIT_NAMES[0]);
const int DISPENSER_COUNT = 18;

} // namespace

bool is_controller_available(int status, int index)
{
    if (index < 0 || index >= DISPENSER_COUNT)
        return false;
    const int bit = index < 4 ? 11 + index : 13 + index;
    return (status >> bit) & 1;
}

QString bit_name(int bit)
{
    if (bit < 0 || bit >= USED_BITS)
        return QString();
    if (bit < LOW_BIT_COUNT)
        return QLatin1String(LOW_BIT_NAMES[bit]);
    return QStringLiteral("Motor%1").arg(bit - 12);
}

} // namespace BoardStatus
