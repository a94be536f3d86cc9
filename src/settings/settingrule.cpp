#include "settings/settingrule.h"

#include "catalogue/productids.h"
#include "core/ipv4address.h"
#include "core/vm24.h"
#include "settings/settings.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTime>

namespace {

const int MAX_NAME_LENGTH = 253;
const char* const TIME_FORMAT = "hh:mm";

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
    static const QList<SettingRule> rules = [] {
        QList<SettingRule> made;
        for (const SettingDefinition& definition : Settings::table())
            made.append(definition.rule);
        return made;
    }();
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
