#include "security/resetactions.h"

#include "core/durablefile.h"
#include "core/vm24.h"
#include "security/securitykey.h"
#include "security/securitylog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cstdio>
#include <functional>

namespace VM24 {

namespace {

const int MAX_RECORDED_RESETS = 32;

bool is_stick_folder(const QString& dir)
{
    if (!dir.isEmpty() && QDir::isAbsolutePath(dir))
        return true;
    qCWarning(securityLog) << "no reset actions in" << dir;
    return false;
}

bool is_plain_file(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

QByteArray checksum(const QByteArray& text)
{
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex();
}

QList<QByteArray> recorded_resets()
{
    QFile file(get_path(QLatin1String(RESET_RECORD_FILENAME)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> sums = file.readAll().split('\n');
    sums.removeAll(QByteArray());
    return sums;
}

void record_resets(QList<QByteArray> sums)
{
    while (sums.size() > MAX_RECORDED_RESETS)
        sums.removeFirst();
    QByteArray text;
    for (const QByteArray& sum : sums)
        text += sum + '\n';
    write_file_durably(get_path(QLatin1String(RESET_RECORD_FILENAME)), text);
}

// The instructions of the reset file; none when it is missing, not a small
// regular file, or a "once" file that has already run here.
QSet<QString> pending_keywords(const QString& file, QByteArray* sum)
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
    *sum = checksum(text);
    if (keywords.contains(QStringLiteral("once")) && recorded_resets().contains(*sum)) {
        qCInfo(securityLog) << file << "has already run once";
        keywords.clear();
    }
    return keywords;
}

bool copy_small_file(const QString& from, const QString& to, int maxSize)
{
    QByteArray content;
    if (!read_small_file(from, maxSize, &content)) {
        qCWarning(securityLog) << from << "is not a regular file of at most" << maxSize << "bytes; not copied";
        return false;
    }
    return replace_file(to, content);
}

// Recorded before the instructions run, forgotten once the file carries its
// new name: however the run ends, the same file never runs twice.
void run_once(const QString& file, const QByteArray& sum, const std::function<void()>& actions)
{
    QList<QByteArray> sums = recorded_resets();
    sums.append(sum);
    record_resets(sums);
    actions();
    // rename(2) replaces an older ".once" file of the same name.
    const QString renamed = file + QStringLiteral(".once");
    if (std::rename(QFile::encodeName(file).constData(), QFile::encodeName(renamed).constData()) != 0) {
        qCWarning(securityLog) << "cannot rename" << file << "- it stays recorded as done";
        return;
    }
    sums.removeAll(sum);
    record_resets(sums);
}

} // namespace

bool has_reset_actions(const QString& dir)
{
    if (!is_stick_folder(dir))
        return false;
    const QDir folder(dir);
    QByteArray sum;
    const QString resetFile = folder.filePath(QLatin1String(SOFT_RESET_FILENAME));
    return (is_plain_file(resetFile) && !pending_keywords(resetFile, &sum).isEmpty())
        || is_plain_file(folder.filePath(QLatin1String(ENVIRONMENT_FILENAME)));
}

void run_reset_actions(const QString& dir, const std::function<void()>& clearSettings)
{
    if (!is_stick_folder(dir))
        return;
    const QDir folder(dir);
    const QString resetFile = folder.filePath(QLatin1String(SOFT_RESET_FILENAME));
    const QString stickEnvironment = folder.filePath(QLatin1String(ENVIRONMENT_FILENAME));
    const QString machineEnvironment = get_path(QLatin1String(ENVIRONMENT_FILENAME));
    QByteArray sum;
    const QSet<QString> keywords = pending_keywords(resetFile, &sum);
    qCInfo(securityLog) << "reset actions" << keywords;

    const auto actions = [&] {
        if (keywords.contains(QStringLiteral("getenv")))
            copy_small_file(machineEnvironment, stickEnvironment + QStringLiteral(".exported"),
                            MAX_ENVIRONMENT_FILE_SIZE);
        if (keywords.contains(QStringLiteral("clearenv"))) {
            QFile::remove(machineEnvironment);
        } else if (QFileInfo(stickEnvironment).exists() || QFileInfo(stickEnvironment).isSymLink()) {
            copy_small_file(stickEnvironment, machineEnvironment, MAX_ENVIRONMENT_FILE_SIZE);
        }
        if (keywords.contains(QStringLiteral("settings")))
            clearSettings();
    };
    if (keywords.contains(QStringLiteral("once")))
        run_once(resetFile, sum, actions);
    else
        actions();
}

} // namespace VM24
