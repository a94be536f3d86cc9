#pragma once

#include <QString>

// The devices whose version the board reports.
namespace Devices {

enum Index : int {
    Rk710 = 0, // the controller board
    Rk741 = 1,
    Rk742 = 2,
    CoinAcceptor = 3,
    BillValidator = 4,
    Cashless = 5,
    Pos = 6,
    Hopper1 = 7,
    Hopper2 = 8,
    Printer = 9,
    Dispenser1 = 10, // dispensers 1..18 are 10..27
    Dispenser18 = 27,
    Count = 28,
};

// The description of a device; empty outside 0..27.
QString to_string(Index index);

} // namespace Devices
