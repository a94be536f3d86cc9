#include "logging/logrowrebuilder.h"

#include "logging/logdatabasenotificationconverter.h"

#include <QSqlQuery>
#include <QThreadPool>
#include <QVariant>

namespace VM24 {

namespace {

struct RawRow
{
    QVariant timestamp;
    QString category;
    QString data;
};
using RawRows = std::vector<RawRow>;
const std::size_t CHUNK_ROWS = 8192;

LogEntries rebuild(const RawRows& rows)
{
    LogEntries entries;
    entries.reserve(rows.size());
    for (const RawRow& row : rows) {
        std::unique_ptr<NotificationBase> entry(LogDatabaseNotificationConverter::fromRow(
            LogDatabaseNotificationConverter::readTimestamp(row.timestamp), row.category, row.data));
        if (entry)
            entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace

void rebuild_log_rows(QSqlQuery& query, const std::function<void(LogEntries& chunk)>& take)
{
    // One thread, so that the chunks are taken in the order they were read.
    QThreadPool rebuilders;
    rebuilders.setMaxThreadCount(1);
    auto chunk = std::make_shared<RawRows>();
    auto rebuildLater = [&] {
        rebuilders.start([chunk, &take] {
            LogEntries entries = rebuild(*chunk);
            take(entries);
        });
        chunk = std::make_shared<RawRows>();
        chunk->reserve(CHUNK_ROWS);
    };
    chunk->reserve(CHUNK_ROWS);
    while (query.next()) {
        chunk->push_back({query.value(0), query.value(1).toString(), query.value(2).toString()});
        if (chunk->size() == CHUNK_ROWS)
            rebuildLater();
    }
    if (!chunk->empty())
        rebuildLater();
    rebuilders.waitForDone();
}

} // namespace VM24
