#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Writes ZIP archives by hand, entry by entry and byte by byte, so that
// tests can build the archives no well-behaved tool would make: names with
// "..", absolute names, symbolic links. Entries are stored uncompressed.
class ZipWriter
{
public:
    // mode: the Unix file mode, 0100644 for a plain file, 0120777 for a
    // symbolic link (data is then the link's target), 040755 for a directory.
    void add(const QString& name, const QByteArray& data, quint32 mode = 0100644);
    void addSymlink(const QString& name, const QString& target) { add(name, target.toUtf8(), 0120777); }
    QByteArray bytes() const;
    bool write(const QString& path) const;

private:
    struct Entry
    {
        QByteArray name;
        QByteArray data;
        quint32 mode;
    };
    QList<Entry> m_entries;
};
