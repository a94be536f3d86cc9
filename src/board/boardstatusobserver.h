#pragma once

#include "board/devices.h"

#include <QFuture>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QVector>

#include <memory>

class Rk710Controller;

// Keeps the device-information file up to date: the board status bits, the
// version text of every device and the product-presence mask. Versions are
// read once at start and then only for the devices whose status bit changed.
// After a board reset it sends the version exchange again, which also clears
// the board's reset flag.
//
// Board reads and file writes run as jobs on the shared worker pool, strictly
// one at a time and in order; each job hands its versions back to the GUI
// thread before the next one starts. The file is replaced whole, so a reader
// sees either the previous or the new file, never a part.
class BoardStatusObserver : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* INFO_FILE_NAME = "vm24-device-info.xml";
    static constexpr const char* TIMESTAMP_FORMAT = "yyyy/MM/dd hh:mm:ss";
    using Versions = QVector<QString>;

    BoardStatusObserver(Rk710Controller* controller, const QString& infoPath, QObject* parent = nullptr);
    // Waits for a running job to end (nothing reaches a destroyed
    // observer); pending jobs are dropped.
    ~BoardStatusObserver() override;

    // Reads every version and writes the first file.
    void initialize(int status, qint64 presence);

    QString infoPath() const { return m_infoPath; }
    int status() const { return m_status; }
    qint64 presence() const { return m_presence; }
    Versions versions() const { return m_versions; }
    bool isIdle() const { return !m_running && m_pending.isEmpty(); }

    // The device whose version a status bit tells about, or -1.
    static int deviceForStatusBit(int bit);
    // VM24_DEVICE_INFO_FILE, else INFO_FILE_NAME in the program's runtime
    // directory; empty when there is none to be trusted.
    static QString defaultInfoPath();
    // Replaces the file at path whole; a link of that name is replaced, never
    // followed.
    static bool writeDeviceInfo(const QString& path, int status, const Versions& versions, qint64 presence);

public slots:
    void onStatusChanged(int status);
    void onPresenceChanged(qint64 presence);

signals:
    // A job has written the file and handed its versions back.
    void deviceInfoUpdated();

private:
    struct Job
    {
        bool readAll = false;
        int status = 0;
        int changedBits = 0;
        qint64 presence = 0;
    };
    // On the pool: reads the versions the job needs and writes the file.
    static Versions runJob(Rk710Controller* controller, const QString& infoPath, const Job& job, Versions versions);

    void enqueue(const Job& job);
    void startNextJob();
    void onJobFinished(const Versions& versions);
    void startVersionExchange();

    Rk710Controller* m_controller;
    QString m_infoPath;
    QQueue<Job> m_pending;
    bool m_running = false;
    Versions m_versions;
    int m_status = 0;
    qint64 m_presence = 0;
    QFuture<Versions> m_job;
};
