#pragma once

#include <QByteArray>
#include <QString>

// Size and SHA-256 of a file, read once from one open descriptor.
namespace VM24 {

struct FileDigest
{
    qint64 size = -1;
    QByteArray sha256; // lower-case hex
};

// The digest of the regular file at path (a symbolic link is refused).
// When copyTo is given, the bytes read are also written to that new file,
// so the copy is exactly what was hashed. False when the file cannot be
// read or the copy cannot be written.
bool digest_file(const QString& path, FileDigest* digest, const QString& copyTo = QString());

} // namespace VM24
