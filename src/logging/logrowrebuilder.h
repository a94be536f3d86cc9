#pragma once

#include "logging/notificationbase.h"

#include <functional>
#include <memory>
#include <vector>

class QSqlQuery;

namespace VM24 {

using LogEntries = std::vector<std::unique_ptr<NotificationBase>>;

// Reads the rows (timestamp, category, data) of an executed query in the
// calling thread and rebuilds them as notifications on a worker thread, a
// chunk at a time, so that reading and rebuilding overlap: the readers of
// the event log go through months of rows at once. take is called on that
// worker with each chunk, in the order of the rows; rows that cannot be
// read are left out. Returns once every chunk has been taken.
void rebuild_log_rows(QSqlQuery& query, const std::function<void(LogEntries& chunk)>& take);

} // namespace VM24
