#pragma once

#include "core/alarm.h"
#include "settings/setting.h"
#include "settings/settingrule.h"

#include <QList>
#include <QVector>
#include <QVariant>

#include <memory>

class QSettings;

// One row of the settings table: the key with its rule, the type its
// readers get and the value they get when the key is missing.
struct SettingDefinition
{
    SettingRule rule;
    QMetaType type;
    QVariant fallback;
};

// The one reader and writer of the settings file. Every value goes through
// the table: a missing key reads as its default, a time is kept as "hh:mm"
// (anything else reads as the default), the serial is clamped to its range,
// a download cap that is not a positive number reads as the default.
//
// A Settings works on the machine's settings file, or on any QSettings store
// it is made from (tests and the import pass theirs); that conversion is
// implicit so that every store is read the same way.
class Settings
{
public:
#define VM24_SETTING_HANDLE(name, type, key, fallback, rule) static constexpr Setting<type> name{SettingRows::name};
    VM24_SETTINGS(VM24_SETTING_HANDLE)
#undef VM24_SETTING_HANDLE
    static constexpr Setting<QString> RECEIPT_ROWS[] = {ReceiptRow1, ReceiptRow2, ReceiptRow3};
    static constexpr Setting<int> HOPPER_VALUES[] = {HopperValue1, HopperValue2};
    // The coins a change hopper can hold, in cents.
    static constexpr int HOPPER_COIN_VALUES[] = {5, 10, 20, 50, 100, 200};
    // The group of the product arrangement, one "selection_<n>" key per
    // selection; it has no rows of its own.
    static constexpr char PRODUCTS_GROUP[] = "Products";
    static constexpr char ALARMS_GROUP[] = "Alarms";

    // Forgets every key of the machine's settings file and writes it.
    static void clearFile();
    // Points every settings file opened without a name at the INI file in
    // the application directory.
    static void configureLocation();

    // Whether the alarm is reported ("Alarms/<code>").
    static Setting<bool> alarmSwitch(VM24::Alarm alarm);

    Settings();
    Settings(QSettings& store);
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    template <typename T>
    T value(Setting<T> setting) const
    {
        return read(setting.row).template value<T>();
    }
    // Whether the file holds the key at all.
    template <typename T>
    bool contains(Setting<T> setting) const
    {
        return isStored(setting.row);
    }
    template <typename T>
    void setValue(Setting<T> setting, const T& value)
    {
        write(setting.row, QVariant::fromValue(value));
    }
    // The receipt rows, first to last.
    QStringList receiptRows() const;
    // The product id of each selection; empty for none.
    QVector<QString> arrangement() const;
    // Replaces the whole arrangement, dropping the keys of the former one.
    void setArrangement(const QVector<QString>& arrangement);
    // Forgets every key: each value reads as its default.
    void clear();
    // Writes the values to the file so that they last through a power cut
    // (see sync_file_durably); false when the file could not be written.
    bool sync();
    QString fileName() const;

    template <typename T>
    static QString key(Setting<T> setting)
    {
        return table().at(setting.row).rule.key;
    }
    template <typename T>
    static const SettingRule& rule(Setting<T> setting)
    {
        return table().at(setting.row).rule;
    }
    template <typename T>
    static T defaultValue(Setting<T> setting)
    {
        return table().at(setting.row).fallback.template value<T>();
    }
    static const QList<SettingDefinition>& table();
    static QString selectionKey(int selection);

private:
    QVariant read(int row) const;
    void write(int row, const QVariant& value);
    bool isStored(int row) const;

    std::unique_ptr<QSettings> m_owned;
    QSettings* m_store;
};
