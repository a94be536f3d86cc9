// Compiled as a source of src/board: the folders beside it are not below it.
#include "board/devices.h"
#include "logging/alarmnotification.h"
