// Compiled as a source of src/core: its own headers are found, those of a
// higher folder must not be.
#include "core/systemactions.h"
#include "vending/sessioncredit.h"
