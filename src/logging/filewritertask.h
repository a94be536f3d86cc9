#pragma once

#include <QByteArray>
#include <QRunnable>
#include <QString>

// Writes one spool file on a worker thread. The bytes go to a temporary
// name that the transfer tasks skip and are renamed into place once they
// have reached the storage medium, so a transfer never takes a half-written
// file. A directory that disappeared is created again; a file that cannot
// be written is skipped (the event is still in the event log).
class FileWriterTask : public QRunnable
{
public:
    FileWriterTask(const QString& path, const QByteArray& data);
    void run() override;

    // What run() does, in the calling thread; true when the file is in place.
    static bool write(const QString& path, const QByteArray& data);

private:
    QString m_path;
    QByteArray m_data;
};
