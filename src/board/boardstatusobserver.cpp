#include "board/boardstatusobserver.h"

#include "board/boardstatus.h"
#include "board/rk710controller.h"
#include "core/runtimedir.h"
#include "core/vm24.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QXmlStreamWriter>
#include <QtConcurrentRun>

#include <cstdio>

namespace {

// A temporary file of a fresh name (created exclusively, so never through a
// link), then renamed over the path: rename replaces a link itself.
bool replace_whole(const QString& path, const QByteArray& content)
{
    if (path.isEmpty())
        return false;
    QTemporaryFile file(QFileInfo(path).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(content) != content.size() || !file.flush())
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

} // namespace

namespace {

QString read_version(Rk710Controller* controller, int device)
{
    const QByteArray answer = controller->getVersionString(Devices::Index(device));
    return QString::fromLatin1(VM24::strip_version_string(answer));
}

} // namespace

BoardStatusObserver::Versions BoardStatusObserver::runJob(Rk710Controller* controller, const QString& infoPath,
                                                          const Job& job, Versions versions)
{
    if (job.readAll) {
        for (int device = 0; device < Devices::Count; ++device)
            versions[device] = read_version(controller, device);
    } else {
        for (int bit = 0; bit < BoardStatus::USED_BITS; ++bit) {
            const int device = deviceForStatusBit(bit);
            if (device < 0 || !((job.changedBits >> bit) & 1))
                continue;
            versions[device] = ((job.status >> bit) & 1) ? read_version(controller, device) : QString();
        }
    }
    writeDeviceInfo(infoPath, job.status, versions, job.presence);
    return versions;
}

BoardStatusObserver::BoardStatusObserver(Rk710Controller* controller, const QString& infoPath, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_infoPath(infoPath)
    , m_versions(Devices::Count)
{
}

BoardStatusObserver::~BoardStatusObserver()
{
    // The job reads through the controller, which may go right after this.
    m_job.waitForFinished();
}

void BoardStatusObserver::initialize(int status, qint64 presence)
{
    m_status = status;
    m_presence = presence;
    Job job;
    job.readAll = true;
    job.status = status;
    job.presence = presence;
    enqueue(job);
}

void BoardStatusObserver::onStatusChanged(int status)
{
    Job job;
    job.status = status;
    job.changedBits = m_status ^ status;
    job.presence = m_presence;
    m_status = status;
    enqueue(job);
    if (status & BoardStatus::BoardReset)
        startVersionExchange();
}

void BoardStatusObserver::onPresenceChanged(qint64 presence)
{
    Job job;
    job.status = m_status;
    job.presence = presence;
    m_presence = presence;
    enqueue(job);
}

void BoardStatusObserver::enqueue(const Job& job)
{
    m_pending.enqueue(job);
    if (!m_running)
        startNextJob();
}

// A job starts from the versions the previous one handed back, so a job
// queued while another ran does not undo what that one read.
void BoardStatusObserver::startNextJob()
{
    if (m_pending.isEmpty())
        return;
    m_running = true;
    m_job = QtConcurrent::run(&BoardStatusObserver::runJob, m_controller, m_infoPath, m_pending.dequeue(), m_versions);
    m_job.then(this, [this](const Versions& versions) { onJobFinished(versions); });
}

void BoardStatusObserver::onJobFinished(const Versions& versions)
{
    m_versions = versions;
    m_running = false;
    emit deviceInfoUpdated();
    startNextJob();
}

void BoardStatusObserver::startVersionExchange()
{
    Rk710Controller* controller = m_controller;
    const bool watchdog = VM24::get_env_bool("RK710_ENABLE_WATCHDOG", true);
    controller->shortJobs()->start([controller, watchdog] {
        quint8 version1 = 0;
        quint8 version2 = 0;
        int boardSerial = 0;
        controller->exchangeFirmwareVersions(VmcType::Pharmacy, 1, 0, watchdog, false, version1, version2,
                                             boardSerial);
    });
}

int BoardStatusObserver::deviceForStatusBit(int bit)
{
    if (bit >= 2 && bit <= 7)
        return bit + 1; // coin acceptor .. hopper 2
    if (bit == 10)
        return Devices::Printer;
    if (bit >= 11 && bit <= 14)
        return Devices::Dispenser1 + bit - 11;
    if (bit >= 17 && bit <= 30)
        return Devices::Dispenser1 + 4 + bit - 17;
    return -1;
}

QString BoardStatusObserver::defaultInfoPath()
{
    const QString configured = qEnvironmentVariable("VM24_DEVICE_INFO_FILE");
    if (!configured.isEmpty())
        return configured;
    const QString dir = VM24::runtime_dir();
    return dir.isEmpty() ? QString() : QDir(dir).filePath(QLatin1String(INFO_FILE_NAME));
}

// Replaced whole but not synced: the file is for other programs to read,
// this one never reads it back, and it is written again from the board's
// state at every change and at start-up; it holds no money.
bool BoardStatusObserver::writeDeviceInfo(const QString& path, int status, const Versions& versions,
                                          qint64 presence)
{
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("device-info"));
    xml.writeAttribute(QStringLiteral("timestamp"),
                       QDateTime::currentDateTime().toString(QString::fromLatin1(TIMESTAMP_FORMAT)));

    xml.writeStartElement(QStringLiteral("state"));
    for (int bit = 0; bit < BoardStatus::USED_BITS; ++bit) {
        xml.writeStartElement(QStringLiteral("var"));
        xml.writeAttribute(QStringLiteral("name"), BoardStatus::bit_name(bit));
        xml.writeCharacters(((status >> bit) & 1) ? QStringLiteral("1") : QStringLiteral("0"));
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("versions"));
    for (int device = 0; device < Devices::Count; ++device) {
        xml.writeStartElement(QStringLiteral("version"));
        xml.writeAttribute(QStringLiteral("description"), Devices::to_string(Devices::Index(device)));
        xml.writeCharacters(versions.value(device));
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("products"));
    xml.writeStartElement(QStringLiteral("products-mask"));
    xml.writeAttribute(QStringLiteral("offset"), QStringLiteral("0"));
    xml.writeCharacters(QString::number(quint64(presence), 16));
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError() && replace_whole(path, file.data());
}
