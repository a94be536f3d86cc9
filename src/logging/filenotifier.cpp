#include "logging/filenotifier.h"

#include "core/defaults.h"
#include "core/vm24.h"
#include "core/xmldocument.h"
#include "core/xmltag.h"
#include "logging/filewritertask.h"
#include "logging/notifications.h"

#include <QThreadPool>
#include <QXmlStreamWriter>

namespace {

const char* alarm_prefix(const VM24::StandardRkAlarm* alarm)
{
    return alarm->isCleared() ? "VM24AlarmClear" : "VM24Alarm";
}

} // namespace

FileNotifier::FileNotifier(QThreadPool* pool)
    : m_pool(pool ? pool : QThreadPool::globalInstance())
{
}

void FileNotifier::visit(const VM24::AlarmNotification* n)
{
    serializeRkAlarm(n);
}

void FileNotifier::visit(const VM24::ProductSoldOutNotification* n)
{
    serializeRkAlarm(n);
}

void FileNotifier::visit(const VM24::MotorDispenserErrorNotification* n)
{
    serializeRkAlarm(n);
}

void FileNotifier::visit(const VM24::EmptyHopperNotification* n)
{
    serializeRkAlarm(n);
}

void FileNotifier::visit(const VM24::WarningNotification* n)
{
    if (n->audience() != VM24::WarningNotification::Owner)
        return;
    const QString name = uniqueName("VM24Warning", n->timestamp());
    writeFile(QStringLiteral("%1/%2.mail").arg(m_mailboxDir, name),
              mailText(serial(), QStringLiteral("Warning"), n->timestamp(), n->message()));
}

void FileNotifier::serializeRkAlarm(const VM24::StandardRkAlarm* alarm)
{
    const QString name = uniqueName(alarm_prefix(alarm), alarm->timestamp());
    serializeXml(alarm, name);
    if (!alarm->isCleared())
        serializePlainText(alarm, name);
}

QString FileNotifier::uniqueName(const char* prefix, const QDateTime& time)
{
    const QDateTime second = time.addMSecs(-time.time().msec());
    if (second != m_lastSecond) {
        m_lastSecond = second;
        m_namesOfLastSecond.clear();
    }
    const QString name = baseName(prefix, serial(), time);
    const int uses = ++m_namesOfLastSecond[name];
    return uses == 1 ? name : QStringLiteral("%1_%2").arg(name).arg(uses);
}

QString FileNotifier::baseName(const char* prefix, int serial, const QDateTime& time)
{
    return QStringLiteral("%1_%2_%3")
        .arg(QLatin1String(prefix), VM24::format_serial(serial), VM24::format_rk_date(time));
}

QByteArray FileNotifier::alarmDocument(const VM24::StandardRkAlarm* alarm, int serial)
{
    return VM24::XmlDocument::build([&](QXmlStreamWriter& writer) {
        VM24::XmlTag root("TalvioAlarm",
                          {QStringLiteral("TimeStamp"), VM24::format_rk_date(alarm->timestamp()),
                           QStringLiteral("SerialNumber"), VM24::format_serial(serial)},
                          writer);
        alarm->toXml(writer);
    });
}

QByteArray FileNotifier::mailText(int serial, const QString& heading, const QDateTime& time, const QString& text)
{
    const QString lines = QStringLiteral("%1 %2 ver %3\n%4\n%5 - %6\n")
                              .arg(QLatin1String(VM24::APPLICATION_NAME), VM24::format_serial(serial),
                                   QLatin1String(VM24::APPLICATION_VERSION), heading, VM24::format_rk_date(time),
                                   text);
    return lines.toUtf8();
}

void FileNotifier::serializeXml(const VM24::StandardRkAlarm* alarm, const QString& name)
{
    writeFile(QStringLiteral("%1/%2.xml").arg(m_outgoingDir, name), alarmDocument(alarm, serial()));
}

void FileNotifier::serializePlainText(const VM24::StandardRkAlarm* alarm, const QString& name)
{
    const QString heading = alarm->isCleared() ? QStringLiteral("Alarm Clear") : QStringLiteral("Alarm");
    writeFile(QStringLiteral("%1/%2.mail").arg(m_mailboxDir, name),
              mailText(serial(), heading, alarm->timestamp(), alarm->description()));
}

void FileNotifier::writeFile(const QString& path, const QByteArray& data)
{
    m_pool->start(new FileWriterTask(path, data));
}
