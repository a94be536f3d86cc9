#include "updates/ziparchivelisting.h"

#include "updates/updateslog.h"

#include <QFile>

#include <sys/stat.h>

namespace {

constexpr quint32 END_OF_CENTRAL_DIRECTORY = 0x06054b50;
constexpr quint32 CENTRAL_DIRECTORY_HEADER = 0x02014b50;
constexpr int END_RECORD_SIZE = 22;
constexpr int CENTRAL_HEADER_SIZE = 46;
constexpr int MAX_COMMENT_SIZE = 0xffff;
constexpr int UNIX_HOST = 3;

quint16 le16(const char* p)
{
    return quint16(quint8(p[0]) | (quint8(p[1]) << 8));
}

quint32 le32(const char* p)
{
    return quint32(le16(p)) | (quint32(le16(p + 2)) << 16);
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

} // namespace

ZipArchiveListing::ZipArchiveListing(const QString& path)
{
    m_valid = read(path);
}

bool ZipArchiveListing::isSafeToExtract() const
{
    if (!m_valid || m_symbolicLinks || m_names.isEmpty())
        return false;
    for (const QString& name : m_names) {
        if (!is_safe_entry_name(name))
            return false;
    }
    return true;
}

bool ZipArchiveListing::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < END_RECORD_SIZE || file.size() > MAX_ARCHIVE_SIZE)
        return false;
    const qint64 tailSize = qMin<qint64>(file.size(), END_RECORD_SIZE + MAX_COMMENT_SIZE);
    file.seek(file.size() - tailSize);
    const QByteArray tail = file.read(tailSize);
    int end = -1;
    for (int i = tail.size() - END_RECORD_SIZE; i >= 0; --i) {
        if (le32(tail.constData() + i) == END_OF_CENTRAL_DIRECTORY) {
            end = i;
            break;
        }
    }
    if (end < 0)
        return false;
    const char* record = tail.constData() + end;
    const int count = le16(record + 10);
    const quint32 directorySize = le32(record + 12);
    const quint32 directoryOffset = le32(record + 16);
    // Archives that need the 64-bit extension are not expected here.
    if (count == 0xffff || directoryOffset == 0xffffffff
        || qint64(directoryOffset) + directorySize > file.size())
        return false;
    file.seek(directoryOffset);
    const QByteArray directory = file.read(directorySize);
    int pos = 0;
    for (int i = 0; i < count; ++i) {
        if (pos + CENTRAL_HEADER_SIZE > directory.size())
            return false;
        const char* header = directory.constData() + pos;
        if (le32(header) != CENTRAL_DIRECTORY_HEADER)
            return false;
        const int host = quint8(header[5]);
        const quint32 uncompressed = le32(header + 24);
        // The 64-bit extension, for entries of 4 GB and more, is not expected either.
        if (uncompressed == 0xffffffff)
            return false;
        m_uncompressedSize += uncompressed;
        m_largestEntrySize = qMax<qint64>(m_largestEntrySize, uncompressed);
        const int nameLength = le16(header + 28);
        const int extraLength = le16(header + 30);
        const int commentLength = le16(header + 32);
        const quint32 attributes = le32(header + 38);
        if (pos + CENTRAL_HEADER_SIZE + nameLength > directory.size())
            return false;
        const QByteArray rawName = directory.mid(pos + CENTRAL_HEADER_SIZE, nameLength);
        if (rawName.contains('\0'))
            return false;
        m_names.append(QString::fromUtf8(rawName));
        if (host == UNIX_HOST && S_ISLNK(attributes >> 16))
            m_symbolicLinks = true;
        pos += CENTRAL_HEADER_SIZE + nameLength + extraLength + commentLength;
    }
    return true;
}
