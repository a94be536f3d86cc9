#include "updates/packagelists.h"

#include "updates/packagemanager.h"
#include "updates/updateslog.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QRegularExpression>
#include <QTextStream>

namespace {

// The fields of each line that is neither blank nor a comment, in order.
QList<QStringList> read_fields(QIODevice* device)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QList<QStringList> lines;
    QTextStream stream(device);
    QString line;
    while (stream.readLineInto(&line)) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        lines.append(line.split(blanks));
    }
    return lines;
}

// The package file named relative to dir; empty when the name leads out of
// it, so a list on a stick installs only what the stick brings.
QString inside(const QDir& dir, const QString& name)
{
    const QString path = QDir::cleanPath(dir.absoluteFilePath(name));
    return path.startsWith(dir.absolutePath() + QLatin1Char('/')) ? path : QString();
}

} // namespace

namespace VM24 {

QList<PkgAction> parse_server_descriptor(QIODevice* device)
{
    QList<PkgAction> actions;
    if (!device)
        return actions;
    int refused = 0;
    for (const QStringList& fields : read_fields(device)) {
        if (fields.size() < 4)
            continue;
        if (!is_valid_package_name(fields.at(1))) {
            if (refused++ == 0)
                qCWarning(updatesLog) << "package list line skipped, not a package name:" << fields.at(1).left(80);
            continue;
        }
        PkgAction action;
        action.policy = policy_from_string(fields.at(0));
        action.name = fields.at(1);
        action.version = fields.at(2);
        action.file = fields.last();
        actions.append(action);
    }
    if (refused > 1)
        qCWarning(updatesLog) << refused << "package list lines skipped for their names";
    return actions;
}

QList<PkgAction> parse_package_update_file(const QString& path)
{
    return parse_package_update_file(path, [](const QString&) { return true; });
}

QList<PkgAction> parse_package_update_file(const QString& path, const std::function<bool(const QString&)>& admit)
{
    QList<PkgAction> actions;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return actions;
    const QDir dir = QFileInfo(path).absoluteDir();
    for (const QStringList& fields : read_fields(&file)) {
        PkgAction action;
        action.policy = policy_from_string(fields.at(0));
        const QString package = fields.size() >= 4 ? inside(dir, fields.at(3)) : QString();
        if (!package.isEmpty() && QFileInfo::exists(package) && !admit(package))
            return {};
        if (!package.isEmpty()) {
            const PkgInfo info = query_package_file_info(package);
            action.name = info.name;
            action.version = info.version;
            action.file = info.file;
        }
        actions.append(action);
    }
    return actions;
}

} // namespace VM24
