#include "settings/settingrule.h"

#include "catalogue/productids.h"
#include "core/alarm.h"
#include "core/ipv4address.h"
#include "core/settingskeys.h"
#include "core/vm24.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTime>

#include <limits>

namespace Keys = VM24::Keys;

namespace {

const int MAX_FORM_NUMBER = 999999; // the page's number fields take six digits
const int MAX_PORT = 65535;
const int MAX_PREFIX = 32;
const int MAX_NAME_LENGTH = 253;
const char* const TIME_FORMAT = "hh:mm";
// The most the page lets an operator set: ten times the defaults.
const int MAX_CREDIT_CENTS = 50000;
const int MAX_CHANGE_CENTS = 5000;
const int MIN_INTERVAL_S = 60;
const int MAX_INTERVAL_S = 7 * 24 * 3600;
const int MAX_AGE_DAYS = 3650;
const int MAX_FILES = 100000;
const int MAX_BATTERY_THRESHOLD = 3600000;
const int MAX_TEMPERATURE = 100;
// Download caps: at least a small file, at most what a 32-bit count holds.
const int MIN_DOWNLOAD_BYTES = 1024;
const int MAX_DOWNLOAD_BYTES = std::numeric_limits<int>::max();

SettingRule rule(const char* key, SettingRule::Kind kind, int minimum = 0, int maximum = 0,
                 const QStringList& choices = {}, int importLevel = 0)
{
    SettingRule made;
    made.key = QLatin1String(key);
    made.kind = kind;
    made.minimum = minimum;
    made.maximum = maximum;
    made.choices = choices;
    made.importLevel = importLevel;
    return made;
}

SettingRule number(const char* key, int minimum, int maximum, int importLevel = 0)
{
    return rule(key, SettingRule::Number, minimum, maximum, {}, importLevel);
}

SettingRule text(const char* key, int maximum = 0, int importLevel = 0)
{
    return rule(key, SettingRule::Text, 0, maximum, {}, importLevel);
}

QList<SettingRule> make_rules()
{
    const int destination = SettingRule::DESTINATION_LEVEL;
    QList<SettingRule> rules{
        rule(Keys::DEFAULT_LANGUAGE, SettingRule::Choice, 0, 0, {"it", "en"}),
        number(Keys::RESTORE_DEFAULT_LANGUAGE_TIMEOUT, 0, MAX_FORM_NUMBER),
        text(Keys::USER_TEXT),
        number(Keys::SHORT_WAIT, 0, MAX_FORM_NUMBER),
        number(Keys::LONG_WAIT, 0, MAX_FORM_NUMBER),
        number(Keys::MAX_CREDIT, 0, MAX_CREDIT_CENTS),
        number(Keys::MAX_CHANGE, 0, MAX_CHANGE_CENTS),
        rule(Keys::USE_OPTICAL_BARRIER, SettingRule::Switch),
        rule(Keys::ENABLE_NOTIFICATIONS, SettingRule::Switch),
        number(Keys::BATTERY_THRESHOLD, 0, MAX_BATTERY_THRESHOLD),
        number(Keys::TEMPERATURE_THRESHOLD, 0, MAX_TEMPERATURE),
        rule(Keys::MOTOR_MAP, SettingRule::MotorMap),
        number(Keys::TIME_UPDATE_INTERVAL, MIN_INTERVAL_S, MAX_INTERVAL_S),
        number(Keys::GC_INTERVAL, MIN_INTERVAL_S, MAX_INTERVAL_S),
        number(Keys::FTP_SEND_INTERVAL, MIN_INTERVAL_S, MAX_INTERVAL_S),
        number(Keys::MAIL_SEND_INTERVAL, MIN_INTERVAL_S, MAX_INTERVAL_S),
        number(Keys::MAX_OUTGOING_FILES_AGE_DAYS, 1, MAX_AGE_DAYS),
        number(Keys::MAX_MAIL_AGE_DAYS, 1, MAX_AGE_DAYS),
        number(Keys::MAX_ARCHIVED_FILES_AGE_DAYS, 1, MAX_AGE_DAYS),
        number(Keys::OUTGOING_FILES_LIMIT, 1, MAX_FILES),
        number(Keys::MAILBOX_LIMIT, 1, MAX_FILES),
        number(Keys::ARCHIVED_FILES_LIMIT, 1, MAX_FILES),
        rule(Keys::SERIAL, SettingRule::Serial, 0, VM24::MAX_SERIAL, {}, SettingRule::ADVANCED_LEVEL),
        text(Keys::SUPPORT_EMAIL, 0, SettingRule::ADVANCED_LEVEL),
        rule(Keys::FTP_TRANSFER_TIME, SettingRule::Time),
        rule(Keys::REMOTE_UPDATE_SCHEDULE, SettingRule::Time),
        rule(Keys::LOG_COMPILATION_TIME, SettingRule::Time),
        rule(Keys::RECORD_MACHINE_STATE_TIME, SettingRule::Time),
        rule(Keys::NETWORK_METHOD, SettingRule::Choice, 0, 0, {"static", "dynamic"}),
        rule(Keys::NETWORK_HOST_IP, SettingRule::Address),
        rule(Keys::NETWORK_NETMASK, SettingRule::Netmask, 0, MAX_PREFIX),
        rule(Keys::NETWORK_GATEWAY, SettingRule::Address),
        rule(Keys::NETWORK_DNS, SettingRule::Address),
        rule(Keys::NETWORK_TEST_INTERFACE, SettingRule::Name),
        rule(Keys::NETWORK_TEST_ADDRESS, SettingRule::Address),
        rule(Keys::NETWORK_TEST_HOST, SettingRule::Name),
        rule(Keys::FTP_PROTOCOL, SettingRule::Choice, 0, 0, {"ftp", "sftp"}, destination),
        text(Keys::FTP_ADDRESS, 0, destination),
        number(Keys::FTP_PORT, 0, MAX_PORT, destination),
        text(Keys::FTP_USERNAME, 0, destination),
        text(Keys::FTP_PASSWORD, 0, destination),
        text(Keys::UPDATES_SERVER_ADDRESS, 0, destination),
        text(Keys::ALARMS_EMAIL, 0, destination),
        number(Keys::UPDATES_MAX_PACKAGE_BYTES, MIN_DOWNLOAD_BYTES, MAX_DOWNLOAD_BYTES, destination),
        number(Keys::UPDATES_MAX_CONTENT_BYTES, MIN_DOWNLOAD_BYTES, MAX_DOWNLOAD_BYTES, destination),
        number(Keys::UPDATES_MAX_DESCRIPTOR_BYTES, MIN_DOWNLOAD_BYTES, MAX_DOWNLOAD_BYTES, destination),
        number(Keys::UPDATES_MAX_LIST_BYTES, MIN_DOWNLOAD_BYTES, MAX_DOWNLOAD_BYTES, destination),
        rule(Keys::EVADTS_DAILY_FILE, SettingRule::Switch),
    };
    for (const char* row : Keys::RECEIPT_ROWS)
        rules.append(text(row, Keys::RECEIPT_ROW_LENGTH));
    QStringList hopperValues{QStringLiteral("0")};
    for (int cents : Keys::HOPPER_COIN_VALUES)
        hopperValues.append(QString::number(cents));
    for (const char* hopper : Keys::HOPPER_VALUES)
        rules.append(rule(hopper, SettingRule::Choice, 0, 0, hopperValues));
    for (int flag : VM24::ALARM_FLAGS) {
        SettingRule alarm = rule("", SettingRule::Switch);
        alarm.key = QLatin1String(Keys::ALARMS_GROUP) + QLatin1Char('/') + VM24::alarm_code(VM24::Alarm(flag));
        rules.append(alarm);
    }
    return rules;
}

bool is_one_line(const QString& text)
{
    for (QChar c : text) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

std::optional<int> whole_number(const QVariant& value)
{
    if (value.userType() == QMetaType::QStringList)
        return std::nullopt;
    bool ok = false;
    const int number = value.toString().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<QVariant> accept_text(const QVariant& value, int maximum)
{
    // An unquoted value with commas reads as a list: the text is its items.
    QString text = value.userType() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                               : value.toString();
    if (!is_one_line(text))
        return std::nullopt;
    if (maximum > 0)
        text = text.left(maximum);
    return QVariant(text);
}

std::optional<QVariant> accept_motor_map(const QVariant& value)
{
    const QStringList entries = value.toStringList();
    if (entries.size() != VM24::NUMBER_OF_SELECTIONS)
        return std::nullopt;
    QSet<int> motors;
    QStringList stored;
    for (const QString& entry : entries) {
        bool ok = false;
        const int motor = entry.trimmed().toInt(&ok);
        if (!ok || motor < 0 || motor >= VM24::NUMBER_OF_SELECTIONS || motors.contains(motor))
            return std::nullopt;
        motors.insert(motor);
        stored.append(QString::number(motor));
    }
    return QVariant(stored);
}

bool is_name(const QString& text)
{
    static const QRegularExpression NAME(QStringLiteral("^[A-Za-z0-9._][A-Za-z0-9._-]*$"));
    return text.size() <= MAX_NAME_LENGTH && NAME.match(text).hasMatch();
}

} // namespace

const QList<SettingRule>& SettingRule::all()
{
    static const QList<SettingRule> rules = make_rules();
    return rules;
}

const SettingRule* SettingRule::find(const QString& key)
{
    static const QHash<QString, const SettingRule*> byKey = [] {
        QHash<QString, const SettingRule*> index;
        for (const SettingRule& rule : all())
            index.insert(rule.key, &rule);
        return index;
    }();
    return byKey.value(key, nullptr);
}

const SettingRule& SettingRule::of(const char* key)
{
    const SettingRule* rule = find(QLatin1String(key));
    Q_ASSERT(rule);
    return *rule;
}

std::optional<QVariant> SettingRule::accept(const QVariant& value) const
{
    const QString text = value.userType() == QMetaType::QStringList ? QString() : value.toString();
    switch (kind) {
    case Text:
        return accept_text(value, maximum);
    case Number: {
        const std::optional<int> number = whole_number(value);
        if (!number || *number < minimum || *number > maximum)
            return std::nullopt;
        return QVariant(*number);
    }
    case Choice:
        if (!choices.contains(text))
            return std::nullopt;
        return whole_number(value) ? QVariant(text.toInt()) : QVariant(text);
    case Time:
        if (text.size() != 5 || !QTime::fromString(text, QLatin1String(TIME_FORMAT)).isValid())
            return std::nullopt;
        return QVariant(text);
    case Switch:
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return QVariant(true);
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return QVariant(false);
        return std::nullopt;
    case Address:
        if (!VM24::is_ipv4_address(text))
            return std::nullopt;
        return QVariant(text);
    case Netmask: {
        const int prefix = VM24::netmask_prefix_length(text);
        if (prefix < 0)
            return std::nullopt;
        return QVariant(prefix);
    }
    case Serial: {
        const std::optional<int> number = whole_number(value);
        if (!number)
            return std::nullopt;
        return QVariant(VM24::clamp_serial(*number));
    }
    case MotorMap:
        return accept_motor_map(value);
    case Name:
        if (!is_name(text))
            return std::nullopt;
        return QVariant(text);
    }
    return std::nullopt;
}
