#pragma once

#include <QByteArray>
#include <QString>

// Size and SHA-256 of a file (openssl dgst computes the hash).
namespace VM24 {

struct FileDigest
{
    qint64 size = -1;
    QByteArray sha256; // lower-case hex
};

// The digest of the regular file at path (a symbolic link is refused).
// When copyTo is given, the file is read once into that new file (in a
// directory only this program writes) and the copy is hashed: the copy is
// exactly what was checked, whatever happens to the original meanwhile.
// False when the file cannot be read, copied or hashed.
bool digest_file(const QString& path, FileDigest* digest, const QString& copyTo = QString());

} // namespace VM24
