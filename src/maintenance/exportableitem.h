#pragma once

#include <QString>

// What the operator can copy onto the stick, in the order of the export.
namespace ExportableItem {

enum Value { Settings = 0, Catalogues, HomePage, Branding, Customisations, EventLog, AccountingReport, AuditFile, Count };

// The item's text in the operator's language; empty outside 0..7.
QString to_localized_string(int item);

} // namespace ExportableItem
