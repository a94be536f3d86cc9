#include "logging/logqueries.h"

#include "logging/logdatabase.h"
#include "logging/logdatabasenotificationconverter.h"
#include "logging/alarmnotification.h"
#include "logging/overpaynotification.h"
#include "logging/powermanagementnotification.h"
#include "logging/productpurchasednotification.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <iterator>

namespace VM24 {

namespace {

void set_ok(bool* ok, bool value)
{
    if (ok)
        *ok = value;
}

} // namespace

LogEntries read_log_entries(const QStringList& categories, bool* ok)
{
    LogEntries entries;
    set_ok(ok, false);
    QSqlDatabase db = log_database();
    if (!db.isOpen())
        return entries;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (categories.isEmpty()) {
        query.prepare(QStringLiteral("SELECT timestamp, category, data FROM Log WHERE category != 'debug' "
                                     "ORDER BY rowid DESC"));
    } else {
        QStringList marks;
        for (int i = 0; i < categories.size(); ++i)
            marks.append(QStringLiteral("?"));
        query.prepare(QStringLiteral("SELECT timestamp, category, data FROM Log WHERE category IN (%1) "
                                     "ORDER BY rowid DESC")
                          .arg(marks.join(QLatin1String(", "))));
        for (const QString& category : categories)
            query.addBindValue(category);
    }
    if (!query.exec())
        return entries;
    rebuild_log_rows(query, [&entries](LogEntries& chunk) {
        std::move(chunk.begin(), chunk.end(), std::back_inserter(entries));
    });
    set_ok(ok, true);
    return entries;
}

QList<QPair<QDateTime, int>> read_overpay_rows(int days, bool* ok)
{
    QList<QPair<QDateTime, int>> rows;
    set_ok(ok, false);
    QSqlDatabase db = log_database();
    if (!db.isOpen())
        return rows;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT timestamp, category, data FROM Log WHERE timestamp >= "
                                 "datetime('now', ?, 'localtime') AND category = ? ORDER BY rowid"));
    query.addBindValue(QStringLiteral("-%1 days").arg(days));
    query.addBindValue(QLatin1String(OverpayNotification::CATEGORY));
    if (!query.exec())
        return rows;
    while (query.next()) {
        // Read through the converter so that a row that does not parse is skipped here as everywhere.
        std::unique_ptr<NotificationBase> entry(LogDatabaseNotificationConverter::fromRecord(query.record()));
        if (const auto* overpay = dynamic_cast<const OverpayNotification*>(entry.get()))
            rows.append({overpay->timestamp(), overpay->amount()});
    }
    set_ok(ok, true);
    return rows;
}

namespace {

void tally(AuditEventTally& counts, const NotificationBase* entry)
{
    if (const auto* sale = dynamic_cast<const ProductPurchasedNotification*>(entry)) {
        if (sale->method() == ProductPurchasedNotification::Cash)
            ++counts.cashVends;
        else
            ++counts.cashlessVends;
    } else if (const auto* alarm = dynamic_cast<const AlarmNotification*>(entry)) {
        if (alarm->alarm() == TamperAlarm && !alarm->isCleared())
            ++counts.doorOpenedWithoutKey;
    } else if (const auto* power = dynamic_cast<const PowerManagementNotification*>(entry)) {
        if (power->event() == PowerManagementNotification::EmergencyShutdown)
            ++counts.powerOutages;
    }
}

} // namespace

AuditEvents read_audit_events(const QDateTime& initialisation, const QDateTime& reset, bool* ok)
{
    AuditEvents events;
    set_ok(ok, false);
    QSqlDatabase db = log_database();
    if (!db.isOpen())
        return events;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT timestamp, category, data FROM Log WHERE category IN (?, ?, ?) "
                                 "ORDER BY rowid"));
    query.addBindValue(QLatin1String(ProductPurchasedNotification::CATEGORY));
    query.addBindValue(QLatin1String(AlarmNotification::CATEGORY));
    query.addBindValue(QLatin1String(PowerManagementNotification::CATEGORY));
    if (!query.exec())
        return events;
    for (int i = 0; i < 18; ++i)
        events.lastSale.append(QDateTime());
    while (query.next()) {
        std::unique_ptr<NotificationBase> entry(LogDatabaseNotificationConverter::fromRecord(query.record()));
        if (!entry)
            continue;
        const QDateTime t = entry->timestamp();
        if (!initialisation.isValid() || t >= initialisation)
            tally(events.sinceInitialisation, entry.get());
        if (!reset.isValid() || t >= reset)
            tally(events.sinceReset, entry.get());
        const auto* sale = dynamic_cast<const ProductPurchasedNotification*>(entry.get());
        if (sale && sale->dispenser() >= 0 && sale->dispenser() < 18
            && (events.lastSale[sale->dispenser()].isNull() || t > events.lastSale[sale->dispenser()]))
            events.lastSale[sale->dispenser()] = t;
    }
    set_ok(ok, true);
    return events;
}

} // namespace VM24
