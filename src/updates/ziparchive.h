#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A ZIP archive from outside, read by one parser both to tell what it holds
// and to extract it, so that an archive that would write outside its target
// is refused before anything is written.
class ZipArchive
{
public:
    // Reads the listing; isValid() tells whether the archive could be read.
    explicit ZipArchive(const QString& path);

    bool isValid() const { return m_valid; }
    QStringList names() const { return m_names; }
    bool hasSymbolicLinks() const { return m_symbolicLinks; }
    // What extraction writes, as the archive declares it: the sizes of all
    // entries together, and of the largest one.
    qint64 uncompressedSize() const { return m_uncompressedSize; }
    qint64 largestEntrySize() const { return m_largestEntrySize; }

    // True when every entry stays inside the directory it is extracted into:
    // no absolute path, no ".." component, no backslash or control
    // character, nothing but plain files and directories.
    bool isSafeToExtract() const;

    // Extracts into dir, which must exist. Refuses an archive that is not
    // safe to extract, an entry that expands beyond its declared size or
    // would be written through a symbolic link, and damaged data; what was
    // written before the refusal stays in dir. Owners and permissions come
    // from the program, not from the archive.
    bool extractTo(const QString& dir) const;

    // The archive must be no larger than this to be read at all.
    static constexpr qint64 MAX_ARCHIVE_SIZE = qint64(1) << 31;

private:
    bool read();

    QString m_path;
    QStringList m_names;
    QList<qint64> m_sizes;
    bool m_symbolicLinks = false;
    bool m_otherTypes = false;
    qint64 m_uncompressedSize = 0;
    qint64 m_largestEntrySize = 0;
    bool m_valid = false;
};
