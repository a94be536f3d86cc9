#include "input/inputlog.h"

Q_LOGGING_CATEGORY(lcInput, "vm24.input")
