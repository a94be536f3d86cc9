#include "security/securitykey.h"

#include "core/childprocess.h"
#include "core/detachedsignature.h"
#include "core/vm24.h"
#include "security/securitylog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace VM24 {

namespace {

QString environment_path(const char* variable, const char* fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? QLatin1String(fallback) : value;
}

// Runs a program without a shell and waits; its exit code, or -1.
int run_program(const QString& program, const QStringList& arguments, int timeoutMs, QByteArray* output = nullptr)
{
    const int code = run_child_process(program, arguments, timeoutMs, output);
    if (code < 0)
        qCWarning(securityLog) << program << "did not run to its end within" << timeoutMs << "ms";
    return code;
}

QByteArray line_value(const QByteArray& line, const QByteArray& key)
{
    const QList<QByteArray> fields = line.split('=');
    if (fields.size() != 2 || fields.at(0) != key)
        return QByteArray();
    return fields.at(1);
}

int manifest_level(const QByteArray& line)
{
    bool ok = false;
    const int level = QString::fromLatin1(line_value(line, "level")).toInt(&ok);
    return ok && level >= MIN_KEY_LEVEL && level <= MAX_KEY_LEVEL ? level : -1;
}

} // namespace

QString media_dir()
{
    return environment_path("VM24_MEDIA_DIR", "/media");
}

QString device_dir()
{
    return environment_path("VM24_DEV_DIR", "/dev");
}

QString net_address_file()
{
    return environment_path("VM24_NET_ADDRESS_FILE", "/sys/class/net/eth0/address");
}

QByteArray usb_uuid(const QString& device, int timeoutMs)
{
    if (device.isEmpty())
        return QByteArray();
    QByteArray output;
    // "-c /dev/null": the device itself is read, never the shared cache (which
    // may be stale or locked by another reader).
    const QStringList arguments{QStringLiteral("-c"), QStringLiteral("/dev/null"), QStringLiteral("-s"), QStringLiteral("UUID"), QStringLiteral("-o"),
                                QStringLiteral("value"), device_dir() + QLatin1Char('/') + device};
    qCDebug(securityLog) << "blkid" << arguments.last();
    if (run_program(QStringLiteral("blkid"), arguments, timeoutMs, &output) != 0)
        return QByteArray();
    return output.trimmed();
}

QByteArray mac_address()
{
    QFile file(net_address_file());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readLine(256).trimmed();
}

bool write_manifest(const QString& path, const QString& device, int level, int timeoutMs)
{
    const QByteArray text = "UUID=" + usb_uuid(device, timeoutMs) + "\nmac=" + mac_address() + "\nlevel="
        + QByteArray::number(level) + '\n';
    return replace_file(path, text);
}

int check_manifest(const QString& path, const QString& device, int timeoutMs)
{
    QByteArray text;
    if (!read_small_file(path, MAX_MANIFEST_SIZE, &text))
        return -1;
    const QList<QByteArray> lines = text.split('\n');
    // Three lines, each ending with a line feed.
    if (lines.size() != 4 || !lines.at(3).isEmpty())
        return -1;
    const QByteArray uuid = line_value(lines.at(0), "UUID");
    const QByteArray mac = line_value(lines.at(1), "mac");
    const int level = manifest_level(lines.at(2));
    if (level < 0 || uuid.isEmpty())
        return -1;
    const QByteArray actual = usb_uuid(device, timeoutMs);
    if (actual.isEmpty() || uuid != actual)
        return -1;
    if (level < MACHINE_INDEPENDENT_LEVEL && (mac.isEmpty() || mac != mac_address()))
        return -1;
    return level;
}

bool sign_manifest(const QString& manifest, const QString& keyFile)
{
    return sign_detached(manifest, keyFile);
}

bool verify_manifest_signature(const QString& manifest, int level)
{
    const char* key = level >= MASTER_KEY_LEVEL ? MASTER_PUBKEY_FILENAME : ADMIN_PUBKEY_FILENAME;
    return verify_detached_signature(manifest, get_path(QLatin1String(key)));
}

bool read_small_file(const QString& path, int maxSize, QByteArray* content)
{
    // O_NOFOLLOW: a link in the file's place is refused when it is opened,
    // not only when it was looked at; O_NONBLOCK: a fifo does not hang us.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    bool read = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= maxSize;
    if (read) {
        QFile file;
        read = file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
        if (read)
            *content = file.read(maxSize + 1);
        read = read && content->size() <= maxSize;
    }
    ::close(fd);
    return read;
}

bool replace_file(const QString& path, const QByteArray& content)
{
    const QFileInfo info(path);
    if (info.isSymLink() || info.exists())
        QFile::remove(path);
    QFile file(path);
    // NewOnly fails rather than follow a link put there meanwhile.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const bool written = file.write(content) == content.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace VM24
