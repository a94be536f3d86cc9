#include "updates/ziparchive.h"

#include "updates/updateslog.h"

#include <QFile>
#include <QFileInfo>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace {

// The smallest ZIP file: an empty archive's end record.
constexpr qint64 END_RECORD_SIZE = 22;
// Archives that need the 64-bit extension (4 GB entries, 65535 entries and
// more) are not expected here.
constexpr qint64 MAX_ENTRY_SIZE = 0xffffffff;
constexpr int MAX_ENTRIES = 0xffff;
constexpr size_t READ_BLOCK_SIZE = 64 * 1024;

// The writer is given the target's canonical absolute path joined with the
// entry's checked relative name: it has no base directory of its own, and
// the working directory is shared by every thread of the program. Absolute
// names are refused by the name check for that reason; the writer refuses
// ".." and writing through any symbolic link below the target. Without
// ARCHIVE_EXTRACT_OWNER and _PERM the program's user, umask and the modes
// set below apply, never those of the archive.
constexpr int EXTRACT_FLAGS
    = ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_SECURE_NODOTDOT | ARCHIVE_EXTRACT_SECURE_SYMLINKS;
constexpr mode_t DIRECTORY_MODE = 0755;
constexpr mode_t FILE_MODE = 0644;

using Reader = std::unique_ptr<archive, int (*)(archive*)>;
using Writer = std::unique_ptr<archive, int (*)(archive*)>;

// Reads the central directory (the seekable reader), where the file types
// are, rather than trusting the local headers alone.
Reader open_reader(const QString& path)
{
    Reader reader(archive_read_new(), archive_read_free);
    if (!reader)
        return reader;
    archive_read_support_format_zip_seekable(reader.get());
    if (archive_read_open_filename(reader.get(), QFile::encodeName(path).constData(), READ_BLOCK_SIZE) != ARCHIVE_OK)
        reader.reset();
    return reader;
}

bool is_safe_entry_name(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return false;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    const QStringList parts = name.split(QLatin1Char('/'));
    return !parts.contains(QStringLiteral(".."));
}

bool is_plain(archive_entry* entry)
{
    const mode_t type = archive_entry_filetype(entry);
    return (type == AE_IFREG || type == AE_IFDIR) && !archive_entry_hardlink(entry);
}

// The writer's warnings (a time it could not set) do not fail an entry.
bool written(archive* writer, int status, const QString& name)
{
    if (status >= ARCHIVE_WARN)
        return true;
    qCWarning(updatesLog) << "Cannot extract" << name << archive_error_string(writer);
    return false;
}

// Copies the entry's data, never past the size the listing declared for it.
bool copy_data(archive* reader, archive* writer, qint64 declared, const QString& name)
{
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    for (;;) {
        const int status = archive_read_data_block(reader, &block, &size, &offset);
        if (status == ARCHIVE_EOF)
            return true;
        if (status != ARCHIVE_OK) {
            qCWarning(updatesLog) << "Damaged archive entry" << name << archive_error_string(reader);
            return false;
        }
        if (offset + qint64(size) > declared) {
            qCWarning(updatesLog) << "Archive entry" << name << "expands beyond its declared" << declared << "bytes";
            return false;
        }
        if (!written(writer, int(archive_write_data_block(writer, block, size, offset)), name))
            return false;
    }
}

} // namespace

ZipArchive::ZipArchive(const QString& path)
    : m_path(path)
{
    m_valid = read();
}

bool ZipArchive::isSafeToExtract() const
{
    if (!m_valid || m_symbolicLinks || m_otherTypes || m_names.isEmpty())
        return false;
    for (const QString& name : m_names) {
        if (!is_safe_entry_name(name))
            return false;
    }
    return true;
}

bool ZipArchive::read()
{
    const QFileInfo info(m_path);
    if (!info.isFile() || info.size() < END_RECORD_SIZE || info.size() > MAX_ARCHIVE_SIZE)
        return false;
    const Reader reader = open_reader(m_path);
    if (!reader)
        return false;
    archive_entry* entry = nullptr;
    int status;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        const char* name = archive_entry_pathname(entry);
        if (!name || !archive_entry_size_is_set(entry) || m_names.size() >= MAX_ENTRIES)
            return false;
        const qint64 size = archive_entry_size(entry);
        if (size < 0 || size >= MAX_ENTRY_SIZE)
            return false;
        m_names.append(QString::fromUtf8(name));
        m_sizes.append(size);
        m_uncompressedSize += size;
        m_largestEntrySize = qMax(m_largestEntrySize, size);
        if (archive_entry_filetype(entry) == AE_IFLNK)
            m_symbolicLinks = true;
        else if (!is_plain(entry))
            m_otherTypes = true;
    }
    return status == ARCHIVE_EOF;
}

bool ZipArchive::extractTo(const QString& dir) const
{
    const QString base = QFileInfo(dir).canonicalFilePath();
    if (!isSafeToExtract() || base.isEmpty() || !QFileInfo(base).isDir())
        return false;
    const Reader reader = open_reader(m_path);
    const Writer writer(archive_write_disk_new(), archive_write_free);
    if (!reader || !writer)
        return false;
    archive_write_disk_set_options(writer.get(), EXTRACT_FLAGS);
    archive_entry* entry = nullptr;
    int index = 0;
    int status;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        const QString name = QString::fromUtf8(archive_entry_pathname(entry));
        // What is written is what the listing approved: an archive changed
        // since is refused.
        if (index >= m_names.size() || name != m_names.at(index) || !is_plain(entry)) {
            qCWarning(updatesLog) << "Archive changed while it was extracted:" << m_path;
            return false;
        }
        const bool directory = archive_entry_filetype(entry) == AE_IFDIR;
        archive_entry_copy_pathname(entry, QFile::encodeName(base + QLatin1Char('/') + name).constData());
        archive_entry_set_perm(entry, directory ? DIRECTORY_MODE : FILE_MODE);
        if (!written(writer.get(), archive_write_header(writer.get(), entry), name)
            || (!directory && !copy_data(reader.get(), writer.get(), m_sizes.at(index), name))
            || !written(writer.get(), archive_write_finish_entry(writer.get()), name))
            return false;
        ++index;
    }
    if (status != ARCHIVE_EOF || index != m_names.size()) {
        qCWarning(updatesLog) << "Damaged archive" << m_path << archive_error_string(reader.get());
        return false;
    }
    return written(writer.get(), archive_write_close(writer.get()), m_path);
}
