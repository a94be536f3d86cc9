#pragma once

#include "settings/iconfigurable.h"
#include "tasks/curltransfer.h"
#include "tasks/directorymonitor.h"

#include <QDir>
#include <QObject>

// A directory monitor that sends each file with curl and moves it to the
// archive directory only when curl exited with code 0. A failed transfer
// keeps the file for the next batch and goes on with the next file; a curl
// that cannot be started or runs out of time ends the batch.
class SpoolSender : public QObject, public DirectoryMonitor, public IConfigurable
{
    Q_OBJECT

public:
    SpoolSender(const QString& monitoredDir, const QString& archiveDir, QObject* parent = nullptr);

    QDir archiveDir() const { return m_archiveDir; }
    bool isEnabled() const { return m_enabled; }
    void setTimeLimit(int ms) { m_transfer.setTimeLimit(ms); }

protected:
    void setEnabled(bool enabled) { m_enabled = enabled; }
    void startTransfer(const QStringList& arguments, const QByteArray& input);

private:
    void onTransferFinished(CurlTransfer::Outcome outcome);
    void archive(const QString& name);

    CurlTransfer m_transfer;
    QDir m_archiveDir;
    bool m_enabled = false;
};
