#include "updates/filedigest.h"

#include <QCryptographicHash>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace VM24 {

namespace {

constexpr qint64 CHUNK = 1024 * 1024;

} // namespace

bool digest_file(const QString& path, FileDigest* digest, const QString& copyTo)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    QFile source;
    bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)
        && source.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    QFile copy(copyTo);
    if (ok && !copyTo.isEmpty())
        ok = copy.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    qint64 size = 0;
    QByteArray chunk;
    while (ok) {
        chunk = source.read(CHUNK);
        if (chunk.isEmpty()) {
            ok = source.error() == QFileDevice::NoError;
            break;
        }
        hash.addData(chunk);
        size += chunk.size();
        if (!copyTo.isEmpty())
            ok = copy.write(chunk) == chunk.size();
    }
    source.close();
    ::close(fd);
    if (!copyTo.isEmpty()) {
        ok = ok && copy.flush();
        copy.close();
        if (!ok)
            QFile::remove(copyTo);
    }
    if (ok)
        *digest = {size, hash.result().toHex()};
    return ok;
}

} // namespace VM24
