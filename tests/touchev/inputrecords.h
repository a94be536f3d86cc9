#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <linux/input.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Kernel input records as a touchscreen sends them, and the pipes the tests
// feed them through (there is no virtual input device on these machines).
namespace InputRecords {

// The records are those of the platform the tests are built for: on the
// 32-bit board 16 bytes, seconds and microseconds 32 bits each, whatever
// width the C library gives time_t.
static_assert(sizeof(void*) != 4 || (sizeof(input_event) == 16 && sizeof(input_event{}.input_event_sec) == 4),
              "a 32-bit build feeds the board's 16-byte input records");

inline QByteArray record(int type, int code, int value)
{
    input_event event = {};
    event.type = quint16(type);
    event.code = quint16(code);
    event.value = value;
    return QByteArray(reinterpret_cast<const char*>(&event), sizeof event);
}

inline QByteArray syncReport()
{
    return record(EV_SYN, SYN_REPORT, 0);
}

inline QByteArray key(int code, int value)
{
    return record(EV_KEY, code, value);
}

// One position report: both axes and the synchronisation record.
inline QByteArray position(int x, int y)
{
    return record(EV_ABS, ABS_X, x) + record(EV_ABS, ABS_Y, y) + syncReport();
}

inline QByteArray touch(bool down, int x, int y)
{
    return key(BTN_TOUCH, down ? 1 : 0) + position(x, y);
}

// Writes everything, waiting while the pipe is full.
inline bool writeAll(int fd, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0)
            return false;
        done += n;
    }
    return true;
}

// A named pipe in a temporary directory, opened for writing once the
// handler under test has opened it for reading.
class Fifo
{
public:
    Fifo()
        : m_path(m_dir.filePath(QStringLiteral("touchscreen")))
    {
        m_ok = ::mkfifo(m_path.toLocal8Bit().constData(), 0600) == 0;
    }
    ~Fifo() { closeWriter(); }

    bool isValid() const { return m_ok; }
    QString path() const { return m_path; }
    bool openWriter()
    {
        m_writer = ::open(m_path.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        return m_writer >= 0;
    }
    bool write(const QByteArray& data) { return writeAll(m_writer, data); }
    void closeWriter()
    {
        if (m_writer >= 0)
            ::close(m_writer);
        m_writer = -1;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    bool m_ok = false;
    int m_writer = -1;
};

} // namespace InputRecords
