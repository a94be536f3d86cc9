#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// What one key of the settings file may hold. The settings page takes its
// fields' limits and lists from these rules and a settings file imported
// from a stick or the push directory is checked against the same rules, so
// an import never sets a value the page would refuse.
class SettingRule
{
public:
    enum Kind {
        Text,     // one line; longer than maximum (when above 0) is cut, as the page's field cuts it
        Number,   // a whole number from minimum to maximum (money in cents)
        Choice,   // one of choices
        Time,     // "hh:mm"
        Switch,   // true or false
        Address,  // a dotted IPv4 address
        Netmask,  // a prefix length, or a dotted mask stored as its prefix length
        Serial,   // a whole number, clamped as the serial writer clamps it
        MotorMap, // the 18 motors, each once, in selection order
        Name,     // a host or interface name: letters, digits, ".", "_" and "-", not first
    };

    // Where updates and reports go, and who is mailed, come only from a key
    // of this level or more; so does whatever a key of level 3 may change.
    static const int DESTINATION_LEVEL = 2;
    static const int ADVANCED_LEVEL = 3;

    // Every key a settings file may set, but the product arrangement: the
    // rules of the settings table (Settings::table()).
    static const QList<SettingRule>& all();
    // The rule of "group/key"; nullptr for a key this machine does not know.
    static const SettingRule* find(const QString& key);

    // The value as it is stored, or nothing when the value is refused.
    std::optional<QVariant> accept(const QVariant& value) const;

    QString key;
    Kind kind = Text;
    int minimum = 0;
    int maximum = 0;
    QStringList choices;
    // The lowest key level an import needs to set this key.
    int importLevel = 0;
};
