#include "board/boardlog.h"

Q_LOGGING_CATEGORY(boardLog, "vm24.board", QtInfoMsg)
