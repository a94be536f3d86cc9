#include "board/boardstatusobserver.h"

#include "board/boardstatus.h"
#include "board/rk710controller.h"
#include "core/runtimedir.h"
#include "core/vm24.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QRunnable>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThreadPool>
#include <QWaitCondition>
#include <QXmlStreamWriter>

#include <cstdio>

namespace {

const QEvent::Type JOB_FINISHED_EVENT = QEvent::Type(QEvent::registerEventType());

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

// Where a job delivers its result. The observer's destructor cuts the link,
// waiting for a job that is delivering at that moment.
struct BoardStatusObserver::ResultLink
{
    QMutex mutex;
    BoardStatusObserver* observer = nullptr;
    bool jobRunning = false;
    QWaitCondition jobDone;
};

class BoardStatusObserver::JobFinishedEvent : public QEvent
{
public:
    explicit JobFinishedEvent(const Versions& versions)
        : QEvent(JOB_FINISHED_EVENT)
        , versions(versions)
    {
    }
    Versions versions;
};

class BoardStatusObserver::JobRunner : public QRunnable
{
public:
    JobRunner(Rk710Controller* controller, const QString& infoPath, const Job& job, const Versions& versions,
              std::shared_ptr<ResultLink> link)
        : m_controller(controller)
        , m_infoPath(infoPath)
        , m_job(job)
        , m_versions(versions)
        , m_link(std::move(link))
    {
    }

    void run() override
    {
        if (m_job.readAll)
            readAllVersions();
        else
            updateChangedVersions();
        writeDeviceInfo(m_infoPath, m_job.status, m_versions, m_job.presence);

        QMutexLocker locker(&m_link->mutex);
        if (m_link->observer)
            QCoreApplication::postEvent(m_link->observer, new JobFinishedEvent(m_versions));
        m_link->jobRunning = false;
        m_link->jobDone.wakeAll();
    }

private:
    QString readVersion(int device) const
    {
        const QByteArray answer = m_controller->getVersionString(Devices::Index(device));
        return QString::fromLatin1(VM24::strip_version_string(answer));
    }

    void readAllVersions()
    {
        for (int device = 0; device < Devices::Count; ++device)
            m_versions[device] = readVersion(device);
    }

    void updateChangedVersions()
    {
        for (int bit = 0; bit < BoardStatus::USED_BITS; ++bit) {
            const int device = deviceForStatusBit(bit);
            if (device < 0 || !((m_job.changedBits >> bit) & 1))
                continue;
            m_versions[device] = ((m_job.status >> bit) & 1) ? readVersion(device) : QString();
        }
    }

    Rk710Controller* m_controller;
    QString m_infoPath;
    Job m_job;
    Versions m_versions;
    std::shared_ptr<ResultLink> m_link;
};

BoardStatusObserver::BoardStatusObserver(Rk710Controller* controller, const QString& infoPath, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_infoPath(infoPath)
    , m_versions(Devices::Count)
    , m_link(std::make_shared<ResultLink>())
{
    m_link->observer = this;
}

BoardStatusObserver::~BoardStatusObserver()
{
    QMutexLocker locker(&m_link->mutex);
    m_link->observer = nullptr;
    while (m_link->jobRunning)
        m_link->jobDone.wait(&m_link->mutex);
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
    {
        QMutexLocker locker(&m_link->mutex);
        m_link->jobRunning = true;
    }
    QThreadPool::globalInstance()->start(
        new JobRunner(m_controller, m_infoPath, m_pending.dequeue(), m_versions, m_link));
}

bool BoardStatusObserver::event(QEvent* event)
{
    if (event->type() != JOB_FINISHED_EVENT)
        return QObject::event(event);
    m_versions = static_cast<JobFinishedEvent*>(event)->versions;
    m_running = false;
    emit deviceInfoUpdated();
    startNextJob();
    return true;
}

void BoardStatusObserver::startVersionExchange()
{
    Rk710Controller* controller = m_controller;
    const bool watchdog = VM24::get_env_bool("RK710_ENABLE_WATCHDOG", true);
    controller->start(QRunnable::create([controller, watchdog] {
        quint8 version1 = 0;
        quint8 version2 = 0;
        int boardSerial = 0;
        controller->exchangeFirmwareVersions(VmcType::Pharmacy, 1, 0, watchdog, false, version1, version2,
                                             boardSerial);
    }));
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
