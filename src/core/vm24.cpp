#include "core/vm24.h"

#include "core/systemactions.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryFile>
#include <QStringList>
#include <QThread>

#include <cstdlib>

namespace VM24 {

namespace {
const char* const SCRIPT_DATE_TIME_FORMAT = "yyyy-MM-dd hh:mm:ss";
} // namespace

QString format_credit(qint64 cents)
{
    // The magnitude is taken unsigned: the most negative value has no
    // positive counterpart of its own type.
    const bool negative = cents < 0;
    const quint64 magnitude = negative ? 0 - quint64(cents) : quint64(cents);
    return QStringLiteral("%1%2,%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString format_credit(int cents)
{
    return format_credit(qint64(cents));
}

QString format_money(int cents)
{
    return QString(QChar(0x20AC)) + QLatin1Char(' ') + format_credit(cents);
}

int read_money_amount(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    const int whole = parts.value(0).toInt();
    const int fraction = parts.value(1).leftJustified(2, QLatin1Char('0'), true).toInt();
    return whole * 100 + fraction;
}

void thread_sleep(int seconds)
{
    QThread::sleep(static_cast<unsigned long>(qMax(0, seconds)));
}

void thread_msleep(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(qMax(0, milliseconds)));
}

QString format_rk_date(const QDateTime& dateTime)
{
    // By hand rather than through a format string: the telemetry export
    // formats one date per event-log row.
    if (!dateTime.isValid())
        return QString();
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    const int year = date.year();
    if (year < 0 || year > 9999)
        return dateTime.toString(QLatin1String(XML_DATE_FORMAT));
    const int fields[] = {year / 100, year % 100, date.month(), date.day(), -1, time.hour(), time.minute(), time.second()};
    QString text(15, Qt::Uninitialized);
    QChar* out = text.data();
    for (int field : fields) {
        if (field < 0) {
            *out++ = QLatin1Char('_');
            continue;
        }
        *out++ = QLatin1Char(char('0' + field / 10));
        *out++ = QLatin1Char(char('0' + field % 10));
    }
    return text;
}

QDateTime read_rk_date(const QString& text)
{
    return QDateTime::fromString(text, QLatin1String(XML_DATE_FORMAT));
}

QString format_serial(int serial)
{
    return QStringLiteral("%1").arg(serial, 5, 10, QLatin1Char('0'));
}

int clamp_serial(int serial)
{
    return qBound(0, serial, MAX_SERIAL);
}

bool get_env_bool(const char* name, bool dflt)
{
    bool ok = false;
    const int value = qEnvironmentVariable(name).toInt(&ok);
    if (!ok || (value != 0 && value != 1))
        return dflt;
    return value == 1;
}

int get_env_int(const char* name, int dflt)
{
    bool ok = false;
    const int value = qEnvironmentVariable(name).toInt(&ok);
    return ok ? value : dflt;
}

QString application_dir()
{
    const QString overridden = qEnvironmentVariable("VM24_APP_DIR");
    if (!overridden.isEmpty())
        return QDir::cleanPath(QDir(overridden).absolutePath());
    return QCoreApplication::applicationDirPath();
}

bool application_dir_writable()
{
    const QString directory = application_dir();
    if (!QDir().mkpath(directory))
        return false;
    // Permissions alone do not tell: a file system gone read-only keeps them.
    QTemporaryFile probe(directory + QStringLiteral("/.write-check-XXXXXX"));
    return probe.open() && probe.write("1", 1) == 1 && probe.flush();
}

QString get_path(const QString& path)
{
    if (QDir::isAbsolutePath(path))
        return path;
    return QDir::cleanPath(application_dir() + QLatin1Char('/') + path);
}

QString serial_device_path()
{
    const QString overridden = qEnvironmentVariable("VM24_SERIAL_DEVICE");
    return overridden.isEmpty() ? QStringLiteral("/dev/ttyAMA0") : overridden;
}

QString make_temp_dir(const char* templ)
{
    QByteArray buffer(templ);
    if (buffer.size() > 31 || !buffer.endsWith("XXXXXX"))
        return QString();
    const char* created = mkdtemp(buffer.data());
    return created ? QString::fromLocal8Bit(created) : QString();
}

QByteArray strip_version_string(const QByteArray& answer)
{
    const QList<QByteArray> fields = answer.split(':');
    return fields.size() < 2 ? QByteArray() : fields.at(1).trimmed();
}

QByteArray strip_serial_number_string(const QByteArray& answer)
{
    const QList<QByteArray> fields = answer.split(':');
    return fields.size() < 3 ? QByteArray() : fields.last().trimmed();
}

void change_hostname(int serial)
{
    SystemActions::run(get_path(QStringLiteral("change_hostname.sh")),
                       {QStringLiteral("vm24_") + format_serial(serial)});
}

void set_system_date_time(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return;
    SystemActions::run(get_path(QStringLiteral("set_system_time.sh")),
                       {dateTime.toString(QLatin1String(SCRIPT_DATE_TIME_FORMAT))});
}

void adjust_system_date_time(const QDateTime& dateTime)
{
    if (dateTime.isValid() && QDate::currentDate().year() < 2000)
        set_system_date_time(dateTime);
}

} // namespace VM24
