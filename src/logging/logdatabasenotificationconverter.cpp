#include "logging/logdatabasenotificationconverter.h"

#include "core/vm24.h"
#include "logging/notifications.h"

#include <QSqlRecord>

#include <QVarLengthArray>

using namespace VM24;

namespace {

QString flag_text(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString pairs(std::initializer_list<std::pair<const char*, QString>> fields)
{
    QString data;
    for (const auto& field : fields) {
        if (!data.isEmpty())
            data += QLatin1Char('&');
        data += QLatin1String(field.first) + QLatin1Char('=') + field.second;
    }
    return data;
}

// The rows are read by the log viewer and the telemetry export by the
// hundred thousand: their data strings are cut into views, not copies.
using Pieces = QVarLengthArray<QStringView, 8>;

Pieces pieces_of(QStringView data)
{
    Pieces pieces;
    qsizetype start = 0;
    for (qsizetype at = data.indexOf(u'&'); at >= 0; at = data.indexOf(u'&', start)) {
        pieces.append(data.sliced(start, at - start));
        start = at + 1;
    }
    pieces.append(data.sliced(start));
    return pieces;
}

bool starts_with_key(QStringView piece, QStringView key)
{
    return piece.size() > key.size() && piece.at(key.size()) == u'=' && piece.startsWith(key);
}

// The fields of a data string with free text in it: the pieces between "&",
// read by position. When the first piece carries the first key, a piece that
// does not start with the next expected key belongs to the text of the field
// before it (a text holding "&"), which then runs on to the end of the piece.
Pieces text_fields_of(QStringView data, std::initializer_list<QStringView> keys)
{
    const Pieces pieces = pieces_of(data);
    if (pieces.size() < 2 || !starts_with_key(pieces.first(), *keys.begin()))
        return pieces;
    Pieces fields;
    fields.append(pieces.first());
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QStringView piece = pieces.at(i);
        if (fields.size() < qsizetype(keys.size()) && starts_with_key(piece, keys.begin()[fields.size()]))
            fields.append(piece);
        else
            fields.last() = QStringView(fields.last().data(), piece.data() + piece.size());
    }
    return fields;
}

// What follows the first "=" of a "key=value" pair; empty when there is none.
QStringView value_of(QStringView pair)
{
    const qsizetype separator = pair.indexOf(u'=');
    return separator < 0 ? QStringView() : pair.sliced(separator + 1);
}

int int_value(const Pieces& fields, qsizetype index)
{
    return index < fields.size() ? value_of(fields.at(index)).toInt() : 0;
}

bool flag_value(const Pieces& fields, qsizetype index)
{
    return int_value(fields, index) != 0;
}

QString text_value(const Pieces& fields, qsizetype index)
{
    return index < fields.size() ? value_of(fields.at(index)).toString() : QString();
}

// "alarm", "dispenser-error", "empty-hopper": "key=%1&clear=%2", or the bare
// number of the older one-field format (not cleared).
bool read_alarm_fields(const QString& data, int* value, bool* cleared)
{
    if (data.isEmpty())
        return false;
    const Pieces fields = pieces_of(data);
    if (fields.size() == 1) {
        *value = fields.first().toInt();
        *cleared = false;
    } else {
        *value = int_value(fields, 0);
        *cleared = flag_value(fields, 1);
    }
    return true;
}

NotificationBase* product_purchased(const QString& data)
{
    const Pieces f = text_fields_of(data, {u"productId", u"cost", u"dispenser", u"method", u"userInfo"});
    if (f.size() != 5)
        return nullptr;
    return new ProductPurchasedNotification(text_value(f, 0), int_value(f, 1), int_value(f, 2),
                                            ProductPurchasedNotification::methodFromString(text_value(f, 3)),
                                            text_value(f, 4));
}

NotificationBase* recharge(const QString& data)
{
    const Pieces f = pieces_of(data);
    return f.size() == 2 ? new UserCashlessRechargeNotification(int_value(f, 0), int_value(f, 1)) : nullptr;
}

NotificationBase* vending_session_info(const QString& data)
{
    const Pieces f = pieces_of(data);
    if (f.size() != 3)
        return nullptr;
    bool parsed = false;
    const int flag = value_of(f.at(0)).toInt(&parsed);
    if (!parsed || flag > VendingSessionInfo::SessionEnd)
        return nullptr;
    return new VendingSessionInfo(static_cast<VendingSessionInfo::Flag>(flag), int_value(f, 1), int_value(f, 2));
}

NotificationBase* alarm(const QString& data)
{
    int value = 0;
    bool cleared = false;
    if (!read_alarm_fields(data, &value, &cleared))
        return nullptr;
    return new AlarmNotification(static_cast<Alarm>(value), cleared);
}

NotificationBase* cash_inserted(const QString& data)
{
    const Pieces f = pieces_of(data);
    return f.size() == 2 ? new CashInsertedNotification(int_value(f, 0), int_value(f, 1)) : nullptr;
}

NotificationBase* power_management(const QString& data)
{
    const int event = PowerManagementNotification::eventFromStoredName(data);
    if (event < 0)
        return nullptr;
    return new PowerManagementNotification(static_cast<PowerManagementNotification::Event>(event));
}

NotificationBase* empty_dispenser(const QString& data)
{
    const Pieces f = text_fields_of(data, {u"productId", u"productName", u"dispenser", u"clear"});
    if (f.size() < 3)
        return nullptr;
    bool parsed = false;
    const int dispenser = value_of(f.at(2)).toInt(&parsed);
    if (!parsed)
        return nullptr;
    return new ProductSoldOutNotification(text_value(f, 0), text_value(f, 1), dispenser, flag_value(f, 3));
}

NotificationBase* dispenser_error(const QString& data)
{
    int dispenser = 0;
    bool cleared = false;
    if (!read_alarm_fields(data, &dispenser, &cleared))
        return nullptr;
    return new MotorDispenserErrorNotification(dispenser, cleared);
}

NotificationBase* empty_hopper(const QString& data)
{
    int hopper = 0;
    bool cleared = false;
    if (!read_alarm_fields(data, &hopper, &cleared))
        return nullptr;
    return new EmptyHopperNotification(hopper, cleared);
}

struct CategoryReader
{
    const char* category;
    NotificationBase* (*read)(const QString& data);
};

const CategoryReader READERS[] = {
    {ProductPurchasedNotification::CATEGORY, product_purchased},
    {UserCashlessRechargeNotification::CATEGORY, recharge},
    {ChangeReturnedNotification::CATEGORY, [](const QString& d) -> NotificationBase* { return new ChangeReturnedNotification(d.toInt()); }},
    {OverpayNotification::CATEGORY, [](const QString& d) -> NotificationBase* { return new OverpayNotification(d.toInt()); }},
    {VendingSessionInfo::CATEGORY, vending_session_info},
    {AlarmNotification::CATEGORY, alarm},
    {CashInsertedNotification::CATEGORY, cash_inserted},
    {PowerManagementNotification::CATEGORY, power_management},
    {ProductSoldOutNotification::CATEGORY, empty_dispenser},
    {MotorDispenserErrorNotification::CATEGORY, dispenser_error},
    {AlarmActiveNotification::CATEGORY, [](const QString& d) -> NotificationBase* { return new AlarmActiveNotification(d == QLatin1String("true")); }},
    {EmptyHopperNotification::CATEGORY, empty_hopper},
    {InfoNotification::CATEGORY, [](const QString& d) -> NotificationBase* { return new InfoNotification(d); }},
    {WarningNotification::CATEGORY, [](const QString& d) -> NotificationBase* { return new WarningNotification(d); }},
    {DebugNotification::CATEGORY, [](const QString& d) -> NotificationBase* { return new DebugNotification(d); }},
    {SupportRequestNotification::CATEGORY, [](const QString&) -> NotificationBase* { return new SupportRequestNotification; }},
};

// "yyyy-MM-dd hh:mm:ss" read by hand: the general date-time parser costs
// several times more, and the log viewer rebuilds every row on each reload.
// A local time asks the C library for the local offset, which looks at the
// time-zone file on every call; the readers of the event log convert a time
// per row. The offset of the last hour seen is kept (per thread) and the
// time is returned with that fixed offset: the same instant and the same
// local date and time, without the library. Offsets change only on whole
// hours, where the library decides again.
QDateTime local_date_time(const QDate& date, const QTime& time)
{
    thread_local QDate cachedDate;
    thread_local int cachedHour = -1;
    thread_local int cachedOffset = 0;
    if (date == cachedDate && time.hour() == cachedHour)
        return QDateTime(date, time, Qt::OffsetFromUTC, cachedOffset);
    const QDateTime exact(date, time);
    if (exact.isValid()) {
        cachedDate = date;
        cachedHour = time.hour();
        cachedOffset = exact.offsetFromUtc();
    }
    return exact;
}

// The number written by the decimal digits text[from, from + count), or -1.
int digits_at(QStringView text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

QDateTime read_sql_date_time(QStringView text)
{
    if (text.size() != 19 || text[4] != u'-' || text[7] != u'-' || text[10] != u' ' || text[13] != u':'
        || text[16] != u':')
        return QDateTime();
    const int year = digits_at(text, 0, 4);
    const QDate date(year, digits_at(text, 5, 2), digits_at(text, 8, 2));
    const QTime time(digits_at(text, 11, 2), digits_at(text, 14, 2), digits_at(text, 17, 2));
    if (year < 0 || !date.isValid() || !time.isValid())
        return QDateTime();
    return local_date_time(date, time);
}

} // namespace

QDateTime LogDatabaseNotificationConverter::readTimestamp(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime();
    const QString text = value.toString();
    const QDateTime parsed = read_sql_date_time(text);
    return parsed.isValid() ? parsed : QDateTime::fromString(text, Qt::ISODate);
}

QString VM24::get_query_value(const QString& pair)
{
    return value_of(pair).toString();
}

LogDatabaseNotificationConverter::Tuple LogDatabaseNotificationConverter::convert(const NotificationBase* notification)
{
    notification->accept(this);
    return m_tuple;
}

NotificationBase* LogDatabaseNotificationConverter::fromRecord(const QSqlRecord& record)
{
    return fromRow(readTimestamp(record.value(0)), record.value(1).toString(), record.value(2).toString());
}

NotificationBase* LogDatabaseNotificationConverter::fromRow(const QDateTime& timestamp, const QString& category,
                                                            const QString& data)
{
    for (const CategoryReader& reader : READERS) {
        if (category != QLatin1String(reader.category))
            continue;
        NotificationBase* notification = reader.read(data);
        if (notification)
            notification->setTimestamp(timestamp);
        return notification;
    }
    return nullptr;
}

void LogDatabaseNotificationConverter::set(const NotificationBase* n, const char* category, const QString& data)
{
    m_tuple.timestamp = n->timestamp();
    m_tuple.category = QLatin1String(category);
    m_tuple.data = data;
}

void LogDatabaseNotificationConverter::visit(const UserCashlessRechargeNotification* n)
{
    set(n, n->CATEGORY, pairs({{"amount", QString::number(n->amount())}, {"userId", QString::number(n->userId())}}));
}

void LogDatabaseNotificationConverter::visit(const ProductPurchasedNotification* n)
{
    set(n, n->CATEGORY,
        pairs({{"productId", n->productId()},
               {"cost", QString::number(n->cost())},
               {"dispenser", QString::number(n->dispenser())},
               {"method", ProductPurchasedNotification::methodToString(n->method())},
               {"userInfo", n->userInfo()}}));
}

void LogDatabaseNotificationConverter::visit(const ChangeReturnedNotification* n)
{
    set(n, n->CATEGORY, QString::number(n->amount()));
}

void LogDatabaseNotificationConverter::visit(const OverpayNotification* n)
{
    set(n, n->CATEGORY, QString::number(n->amount()));
}

void LogDatabaseNotificationConverter::visit(const VendingSessionInfo* n)
{
    set(n, n->CATEGORY,
        pairs({{"flag", QString::number(n->flag())},
               {"cash", QString::number(n->cash())},
               {"cashless", QString::number(n->cashless())}}));
}

void LogDatabaseNotificationConverter::visit(const AlarmNotification* n)
{
    set(n, n->CATEGORY, pairs({{"id", QString::number(n->alarm())}, {"clear", flag_text(n->isCleared())}}));
}

void LogDatabaseNotificationConverter::visit(const CashInsertedNotification* n)
{
    set(n, n->CATEGORY,
        pairs({{"banknotes", QString::number(n->banknotes())}, {"coins", QString::number(n->coins())}}));
}

void LogDatabaseNotificationConverter::visit(const PowerManagementNotification* n)
{
    set(n, n->CATEGORY, PowerManagementNotification::storedName(n->event()));
}

void LogDatabaseNotificationConverter::visit(const ProductSoldOutNotification* n)
{
    set(n, n->CATEGORY,
        pairs({{"productId", n->productId()},
               {"productName", n->productName()},
               {"dispenser", QString::number(n->dispenser())},
               {"clear", flag_text(n->isCleared())}}));
}

void LogDatabaseNotificationConverter::visit(const MotorDispenserErrorNotification* n)
{
    set(n, n->CATEGORY,
        pairs({{"dispenser", QString::number(n->dispenser())}, {"clear", flag_text(n->isCleared())}}));
}

void LogDatabaseNotificationConverter::visit(const AlarmActiveNotification* n)
{
    set(n, n->CATEGORY, n->isActive() ? QStringLiteral("true") : QStringLiteral("false"));
}

void LogDatabaseNotificationConverter::visit(const EmptyHopperNotification* n)
{
    set(n, n->CATEGORY, pairs({{"hopper", QString::number(n->hopper())}, {"clear", flag_text(n->isCleared())}}));
}

void LogDatabaseNotificationConverter::visit(const InfoNotification* n)
{
    set(n, n->CATEGORY, n->message());
}

void LogDatabaseNotificationConverter::visit(const WarningNotification* n)
{
    set(n, n->CATEGORY, n->message());
}

void LogDatabaseNotificationConverter::visit(const DebugNotification* n)
{
    set(n, n->CATEGORY, n->message());
}

void LogDatabaseNotificationConverter::visit(const SupportRequestNotification* n)
{
    set(n, n->CATEGORY, QString());
}
