#include "home/homelog.h"

Q_LOGGING_CATEGORY(homeLog, "vm24.home", QtInfoMsg)
