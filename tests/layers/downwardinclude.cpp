// Compiled as a source of src/vending: its own folder and every folder it
// uses, directly or through the folders below, are on its include path.
#include "vending/sessioncredit.h"
#include "settings/settingsmanager.h"
#include "board/devices.h"
#include "core/systemactions.h"
#include "core/version.h"
