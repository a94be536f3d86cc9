#pragma once

#include <QString>
#include <QStringList>

// The entries of a ZIP archive as its central directory lists them, read
// without extracting anything, so that an archive that would write outside
// its target can be refused before unzip sees it.
class ZipArchiveListing
{
public:
    // Reads the listing; isValid() tells whether the archive could be read.
    explicit ZipArchiveListing(const QString& path);

    bool isValid() const { return m_valid; }
    QStringList names() const { return m_names; }
    bool hasSymbolicLinks() const { return m_symbolicLinks; }
    // What extraction writes, as the central directory declares it: the
    // sizes of all entries together, and of the largest one.
    qint64 uncompressedSize() const { return m_uncompressedSize; }
    qint64 largestEntrySize() const { return m_largestEntrySize; }

    // True when every entry stays inside the directory it is extracted into:
    // no absolute path, no ".." component, no backslash or control
    // character, no symbolic link.
    bool isSafeToExtract() const;

    // The archive must be no larger than this to be read at all.
    static constexpr qint64 MAX_ARCHIVE_SIZE = qint64(1) << 31;

private:
    bool read(const QString& path);

    QStringList m_names;
    bool m_symbolicLinks = false;
    qint64 m_uncompressedSize = 0;
    qint64 m_largestEntrySize = 0;
    bool m_valid = false;
};
