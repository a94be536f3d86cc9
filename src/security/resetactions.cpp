#include "security/resetactions.h"

#include "core/durablefile.h"
#include "core/vm24.h"
#include "security/securitykey.h"
#include "security/securitylog.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSettings>

namespace VM24 {

namespace {

const int MAX_RESET_FILE_SIZE = 4096;

QSet<QString> reset_keywords(const QString& file)
{
    QSet<QString> keywords;
    QByteArray text;
    if (!read_small_file(file, MAX_RESET_FILE_SIZE, &text))
        return keywords;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            keywords.insert(line.toLower());
    }
    return keywords;
}

void copy_replacing(const QString& from, const QString& to)
{
    QByteArray content;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return;
    content = source.readAll();
    replace_file(to, content);
}

} // namespace

bool has_reset_actions(const QString& dir)
{
    const QDir folder(dir);
    return QFileInfo(folder.filePath(QLatin1String(SOFT_RESET_FILENAME))).isFile()
        || QFileInfo(folder.filePath(QLatin1String(ENVIRONMENT_FILENAME))).isFile();
}

void run_reset_actions(const QString& dir)
{
    const QDir folder(dir);
    const QString resetFile = folder.filePath(QLatin1String(SOFT_RESET_FILENAME));
    const QString stickEnvironment = folder.filePath(QLatin1String(ENVIRONMENT_FILENAME));
    const QString machineEnvironment = get_path(QLatin1String(ENVIRONMENT_FILENAME));
    const QSet<QString> keywords = reset_keywords(resetFile);
    qCInfo(securityLog) << "reset actions" << keywords;

    if (keywords.contains(QStringLiteral("getenv")))
        copy_replacing(machineEnvironment, stickEnvironment + QStringLiteral(".exported"));
    if (keywords.contains(QStringLiteral("clearenv"))) {
        QFile::remove(machineEnvironment);
    } else if (QFileInfo(stickEnvironment).isFile()) {
        QFile::remove(machineEnvironment);
        copy_replacing(stickEnvironment, machineEnvironment);
    }
    if (keywords.contains(QStringLiteral("settings"))) {
        QSettings settings;
        settings.clear();
        VM24::sync_settings_durably(settings);
    }
    if (keywords.contains(QStringLiteral("once")))
        QFile::rename(resetFile, resetFile + QStringLiteral(".once"));
}

} // namespace VM24
