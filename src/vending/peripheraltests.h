#pragma once

#include "board/rk710serialprotocol.h"

#include <QStringList>

class Rk710Controller;

// The operator's tests of single devices, run on a board queue (they wait
// for the board; never on the GUI thread).
namespace VM24 {

// Delivers from the column of motor (0..17) while its presence sensor sees
// a product, pausing pauseMs after each delivery; stops at the first failed
// delivery. True when the column was emptied without a failure.
bool empty_column(Rk710Controller* controller, int motor, int pauseMs = 1000);

// Pays coins out of the hopper, 100 at a time, until a request pays none;
// the number of coins paid out in all.
int empty_hopper(Rk710Controller* controller, Rk710SerialProtocol::Item hopper);

// The version of every device of Devices::Index, empty when the board gave none.
QStringList read_device_versions(Rk710Controller* controller);

} // namespace VM24
