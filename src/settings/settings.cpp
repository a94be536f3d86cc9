#include "settings/settings.h"

#include "catalogue/productids.h"
#include "core/durablefile.h"
#include "core/vm24.h"
#include "settings/settingslog.h"

#include <QSettings>

#include <iterator>
#include <limits>

namespace {

const int MAX_FORM_NUMBER = 999999; // the page's number fields take six digits
const int MAX_PORT = 65535;
const int RECEIPT_ROW_LENGTH = 24;
// The most the page lets an operator set: ten times the defaults.
const int MAX_CREDIT_CENTS = 50000;
const int MAX_CHANGE_CENTS = 5000;
const int MIN_INTERVAL_S = 60;
const int MAX_INTERVAL_S = 7 * 24 * 3600;
const int MAX_AGE_DAYS = 3650;
const int MAX_FILES = 100000;
const int MAX_BATTERY_THRESHOLD = 3600000;
const int MAX_TEMPERATURE = 100;
const int MAX_PREFIX = 32;
// Download caps: at least a small file, at most what a 32-bit count holds.
const int MIN_DOWNLOAD_BYTES = 1024;
const int MAX_DOWNLOAD_BYTES = std::numeric_limits<int>::max();
const int DESTINATION = SettingRule::DESTINATION_LEVEL;
const int ADVANCED = SettingRule::ADVANCED_LEVEL;
const char* const TIME_FORMAT = "hh:mm";

const QStringList HOPPER_CHOICES = [] {
    QStringList values{QStringLiteral("0")};
    for (int cents : Settings::HOPPER_COIN_VALUES)
        values.append(QString::number(cents));
    return values;
}();

SettingRule made(SettingRule::Kind kind, int minimum = 0, int maximum = 0, int importLevel = 0,
                 const QStringList& choices = {})
{
    SettingRule rule;
    rule.kind = kind;
    rule.minimum = minimum;
    rule.maximum = maximum;
    rule.importLevel = importLevel;
    rule.choices = choices;
    return rule;
}

SettingRule number(int minimum, int maximum, int importLevel = 0)
{
    return made(SettingRule::Number, minimum, maximum, importLevel);
}

SettingRule text(int maximum = 0, int importLevel = 0)
{
    return made(SettingRule::Text, 0, maximum, importLevel);
}

SettingRule choice(const QStringList& choices, int importLevel = 0)
{
    return made(SettingRule::Choice, 0, 0, importLevel, choices);
}

SettingRule flag() { return made(SettingRule::Switch); }
SettingRule time() { return made(SettingRule::Time); }
SettingRule address() { return made(SettingRule::Address); }
SettingRule netmask() { return made(SettingRule::Netmask, 0, MAX_PREFIX); }
SettingRule name() { return made(SettingRule::Name); }
SettingRule motorMap() { return made(SettingRule::MotorMap); }
SettingRule serial() { return made(SettingRule::Serial, 0, VM24::MAX_SERIAL, ADVANCED); }
SettingRule download() { return number(MIN_DOWNLOAD_BYTES, MAX_DOWNLOAD_BYTES, DESTINATION); }

template <typename T>
SettingDefinition row(const char* key, const T& fallback, SettingRule rule)
{
    rule.key = QLatin1String(key);
    return SettingDefinition{rule, QMetaType::fromType<T>(), QVariant::fromValue(fallback)};
}

QList<SettingDefinition> make_table()
{
    QList<SettingDefinition> rows{
#define VM24_SETTING_DEFINITION(name, type, key, fallback, rule) row<type>(key, fallback, rule),
        VM24_SETTINGS(VM24_SETTING_DEFINITION)
#undef VM24_SETTING_DEFINITION
    };
    for (int alarm : VM24::ALARM_FLAGS) {
        SettingDefinition alarmSwitch = row<bool>("", true, flag());
        alarmSwitch.rule.key = QLatin1String(Settings::ALARMS_GROUP) + QLatin1Char('/')
            + VM24::alarm_code(VM24::Alarm(alarm));
        rows.append(alarmSwitch);
    }
    return rows;
}

QTime read_time(const QVariant& stored, const QVariant& fallback)
{
    const QTime parsed = QTime::fromString(stored.toString(), QLatin1String(TIME_FORMAT));
    return parsed.isValid() ? parsed : fallback.toTime();
}

QVariant read_positive_count(const QVariant& stored, const QVariant& fallback)
{
    bool ok = false;
    const qint64 count = stored.toLongLong(&ok);
    return ok && count > 0 ? QVariant(count) : fallback;
}

} // namespace

Setting<bool> Settings::alarmSwitch(VM24::Alarm alarm)
{
    for (int i = 0; i < int(std::size(VM24::ALARM_FLAGS)); ++i) {
        if (VM24::ALARM_FLAGS[i] == int(alarm))
            return Setting<bool>{SettingRows::FirstAlarmSwitch + i};
    }
    Q_ASSERT_X(false, "Settings::alarmSwitch", "not an alarm flag");
    return Setting<bool>{SettingRows::FirstAlarmSwitch};
}

void Settings::configureLocation()
{
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, VM24::application_dir());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, VM24::application_dir());
}

void Settings::clearFile()
{
    Settings settings;
    settings.clear();
    settings.sync();
}

Settings::Settings()
    : m_owned(std::make_unique<QSettings>())
    , m_store(m_owned.get())
{
}

Settings::Settings(QSettings& store)
    : m_store(&store)
{
}

Settings::~Settings() = default;

const QList<SettingDefinition>& Settings::table()
{
    static const QList<SettingDefinition> rows = make_table();
    return rows;
}

QString Settings::selectionKey(int selection)
{
    return QStringLiteral("selection_%1").arg(selection);
}

QStringList Settings::receiptRows() const
{
    QStringList rows;
    for (Setting<QString> row : RECEIPT_ROWS)
        rows.append(value(row));
    return rows;
}

QVector<QString> Settings::arrangement() const
{
    QVector<QString> products(VM24::NUMBER_OF_SELECTIONS);
    for (int selection = 0; selection < products.size(); ++selection)
        products[selection] =
            m_store->value(QLatin1String(PRODUCTS_GROUP) + QLatin1Char('/') + selectionKey(selection)).toString();
    return products;
}

void Settings::setArrangement(const QVector<QString>& arrangement)
{
    m_store->beginGroup(QLatin1String(PRODUCTS_GROUP));
    m_store->remove(QString());
    for (int selection = 0; selection < arrangement.size(); ++selection)
        m_store->setValue(selectionKey(selection), arrangement.at(selection));
    m_store->endGroup();
}

void Settings::clear()
{
    m_store->clear();
}

bool Settings::sync()
{
    m_store->sync();
    if (m_store->status() != QSettings::NoError) {
        qCWarning(settingsLog) << "Cannot write" << m_store->fileName();
        return false;
    }
    return VM24::sync_file_durably(m_store->fileName());
}

QString Settings::fileName() const
{
    return m_store->fileName();
}

bool Settings::isStored(int row) const
{
    return m_store->contains(table().at(row).rule.key);
}

QVariant Settings::read(int row) const
{
    const SettingDefinition& definition = table().at(row);
    const QVariant stored = m_store->value(definition.rule.key);
    if (!stored.isValid())
        return definition.fallback;
    if (definition.type == QMetaType::fromType<QTime>())
        return read_time(stored, definition.fallback);
    if (definition.type == QMetaType::fromType<qint64>())
        return read_positive_count(stored, definition.fallback);
    if (definition.rule.kind == SettingRule::Serial)
        return VM24::clamp_serial(stored.toInt());
    return stored;
}

void Settings::write(int row, const QVariant& value)
{
    const SettingDefinition& definition = table().at(row);
    QVariant stored = value;
    if (definition.type == QMetaType::fromType<QTime>())
        stored = value.toTime().toString(QLatin1String(TIME_FORMAT));
    else if (definition.rule.kind == SettingRule::Serial)
        stored = VM24::clamp_serial(value.toInt());
    m_store->setValue(definition.rule.key, stored);
}
