#include "updates/updatefiles.h"

#include "core/vm24.h"
#include "updates/diskspacereserve.h"
#include "updates/updateslog.h"
#include "updates/ziparchive.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <stdlib.h>

namespace VM24 {

namespace {

bool remove_entry(const QFileInfo& entry)
{
    if (entry.isDir() && !entry.isSymLink())
        return QDir(entry.absoluteFilePath()).removeRecursively();
    return QFile::remove(entry.absoluteFilePath());
}

// C0 and C1 controls and DEL.
bool has_control_characters(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            return true;
    }
    return false;
}

QString make_dir_from_template(const QString& templ)
{
    QByteArray buffer = QFile::encodeName(templ);
    const char* created = mkdtemp(buffer.data());
    return created ? QFile::decodeName(created) : QString();
}

// Staging directories are named ".<target>.new-XXXXXX" and
// ".<target>.old-XXXXXX" (mkdtemp's six characters).
struct StagingName
{
    QString target;
    bool former = false;
};

bool parse_staging_name(const QString& name, StagingName* parsed)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.(.+)\\.(new|old)-[A-Za-z0-9]{6}$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return false;
    parsed->target = match.captured(1);
    parsed->former = match.captured(2) == QLatin1String("old");
    return true;
}

} // namespace

bool clean_dir(const QString& dir)
{
    const QFileInfo info(dir);
    if (dir.isEmpty() || !info.isDir())
        return false;
    bool allRemoved = true;
    const QFileInfoList entries = QDir(dir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries)
        allRemoved = remove_entry(entry) && allRemoved;
    return allRemoved;
}

bool rm_dir(const QString& dir)
{
    if (dir.isEmpty())
        return false;
    const QFileInfo info(dir);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isRoot())
        return false;
    remove_entry(info);
    return !QFileInfo::exists(dir) && !QFileInfo(dir).isSymLink();
}

bool is_safe_file_name(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.startsWith(QLatin1Char('-')) && !has_control_characters(name);
}

QString url_filename(const QUrl& url)
{
    const QString path = url.path(QUrl::FullyDecoded);
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return is_safe_file_name(name) ? name : QString();
}

bool is_downloadable_url(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool overwrite_copy_if_exists(QDir& src, const QString& name, QDir& dst)
{
    const QFileInfo source(src.filePath(name));
    if (!source.isFile() || source.isSymLink())
        return false;
    const QString target = dst.filePath(name);
    QFile::remove(target);
    return QFile::copy(source.absoluteFilePath(), target);
}

bool extract_zip(const QString& zip, const QString& dir)
{
    const QFileInfo info(zip);
    if (!info.isFile() || !QFileInfo(dir).isDir())
        return false;
    const ZipArchive archive(info.absoluteFilePath());
    if (!archive.isSafeToExtract()) {
        qCWarning(updatesLog) << "Archive refused, its entries would leave the target:" << zip;
        return false;
    }
    if (!DiskSpaceReserve::allows(dir, archive.uncompressedSize())) {
        qCWarning(updatesLog) << "Archive refused, its" << archive.uncompressedSize()
                              << "bytes would leave less than" << DiskSpaceReserve::reserveBytes()
                              << "bytes free:" << zip;
        return false;
    }
    if (!archive.extractTo(dir)) {
        qCWarning(updatesLog) << "Extraction of" << zip << "failed";
        return false;
    }
    return true;
}

QString unzip_archive_temp(const QString& zip)
{
    if (!QFileInfo(zip).isFile())
        return QString();
    const QString dir = make_dir_from_template(QStringLiteral("/tmp/vm24-unzip.XXXXXX"));
    if (dir.isEmpty())
        return QString();
    if (!extract_zip(zip, dir)) {
        rm_dir(dir);
        return QString();
    }
    return dir;
}

QString make_staging_dir(const QString& target)
{
    const QFileInfo info(target);
    const QString staged = make_dir_from_template(info.absolutePath() + QLatin1String("/.") + info.fileName()
                                                  + QLatin1String(".new-XXXXXX"));
    // mkdtemp makes it private; it becomes an ordinary asset directory.
    if (!staged.isEmpty())
        QFile::setPermissions(staged, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                          | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    return staged;
}

bool replace_dir(const QString& staged, const QString& target)
{
    const QFileInfo info(target);
    QString former;
    if (info.exists() || info.isSymLink()) {
        former = make_dir_from_template(info.absolutePath() + QLatin1String("/.") + info.fileName()
                                        + QLatin1String(".old-XXXXXX"));
        if (former.isEmpty() || !QDir().rmdir(former) || !QDir().rename(target, former)) {
            rm_dir(staged);
            return false;
        }
    }
    if (!QDir().rename(staged, target)) {
        if (!former.isEmpty())
            QDir().rename(former, target);
        rm_dir(staged);
        return false;
    }
    if (!former.isEmpty())
        rm_dir(former);
    return true;
}

void recover_interrupted_replacements(const QString& parent)
{
    const QDir dir(parent);
    const QStringList hidden = dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : hidden) {
        StagingName staging;
        if (!parse_staging_name(name, &staging))
            continue;
        const QString path = dir.filePath(name);
        const QFileInfo target(dir.filePath(staging.target));
        if (staging.former && !target.exists() && !target.isSymLink()
            && QDir().rename(path, target.absoluteFilePath())) {
            qCWarning(updatesLog) << "Interrupted replacement undone, former content back:" << target.filePath();
            continue;
        }
        qCWarning(updatesLog) << "Leftover of an interrupted replacement removed:" << path;
        rm_dir(path);
    }
}

bool extract_zip_replacing(const QString& zip, const QString& target)
{
    const QString staged = make_staging_dir(target);
    if (staged.isEmpty())
        return false;
    if (!extract_zip(zip, staged)) {
        rm_dir(staged);
        return false;
    }
    return replace_dir(staged, target);
}

} // namespace VM24
