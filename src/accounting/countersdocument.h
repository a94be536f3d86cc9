#pragma once

#include <QString>

class AccountingCounters;
class QObject;
class Rk710Controller;

namespace VM24 {

// The counters document in the application directory, rewritten after
// every session and every time the accounting page reads the board.
static const char* const COUNTERS_FILE = "counters.xml";

// Reads the board's counters of its three periods on the controller's queue
// and posts them to target as a GetCountersEvent.
void load_counters_and_notify(Rk710Controller* controller, QObject* target);
// Reads the board's counters and writes them to the counters document at
// path once they arrive (in the calling thread's event loop).
void load_counters(Rk710Controller* controller, const QString& path);
// Writes the counters document; a file that cannot be written is skipped.
bool counters_to_xml_document(const QString& path, const AccountingCounters& permanent,
                              const AccountingCounters& partial, const AccountingCounters& daily);

} // namespace VM24
