#pragma once

#include "board/accountingcounters.h"

#include <QFuture>
#include <QString>

class Rk710Controller;

namespace VM24 {

// The counters document in the application directory, rewritten after
// every session and every time the accounting page reads the board.
static const char* const COUNTERS_FILE = "counters.xml";

// The board's cash counters of its three periods.
struct BoardCounters
{
    AccountingCounters permanent;
    AccountingCounters partial;
    AccountingCounters daily;
};

// Reads the board's counters of the permanent, partial and daily periods,
// in this order, on the controller's queue of short jobs.
QFuture<BoardCounters> read_board_counters(Rk710Controller* controller);
// Reads the board's counters and writes them to the counters document at
// path, in this thread and waiting for the board.
void save_board_counters(Rk710Controller* controller, const QString& path);
// Reads the board's counters and writes them to the counters document at
// path once they arrive (on the application's thread).
void load_counters(Rk710Controller* controller, const QString& path);
// Writes the counters document; a file that cannot be written is skipped.
bool counters_to_xml_document(const QString& path, const AccountingCounters& permanent,
                              const AccountingCounters& partial, const AccountingCounters& daily);

} // namespace VM24
