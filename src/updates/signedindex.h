#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

// The signed index published beside a content descriptor, a package list
// or the files of an update directory: a short text that names the document
// and every file it brings, each with its size and SHA-256, the moment it
// was published and the machines it is for. Its signature is "<index>.sig".
//
//   vm24-index 1
//   published 2026-12-09T21:40:00Z
//   for all                      (or: for 04242 00017)
//   file descriptor.txt 812 <sha256 hex>
//   file media-2024.zip 52428800 <sha256 hex>
class SignedIndex
{
public:
    struct Entry
    {
        qint64 size = -1;
        QByteArray sha256; // lower-case hex
    };

    static constexpr int MAX_INDEX_SIZE = 1024 * 1024;
    static const char* const SUFFIX; // ".index": the index of "descriptor.txt" is "descriptor.txt.index"

    // False when the text is not a well-formed index.
    bool parse(const QByteArray& text);

    QDateTime published() const { return m_published; }
    bool isFor(int serial) const;
    bool lists(const QString& name) const { return m_files.contains(name); }
    Entry entry(const QString& name) const { return m_files.value(name); }
    QStringList names() const { return m_files.keys(); }

private:
    QDateTime m_published;
    bool m_forAll = false;
    QStringList m_serials;
    QHash<QString, Entry> m_files;
};
