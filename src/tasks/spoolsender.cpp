#include "tasks/spoolsender.h"

#include "tasks/taskslog.h"

#include <QFile>
#include <QFileInfo>

SpoolSender::SpoolSender(const QString& monitoredDir, const QString& archiveDir, QObject* parent)
    : QObject(parent)
    , DirectoryMonitor(monitoredDir)
    , m_archiveDir(archiveDir)
{
    connect(&m_transfer, &CurlTransfer::finished, this, &SpoolSender::onTransferFinished);
}

void SpoolSender::startTransfer(const QStringList& arguments, const QByteArray& input)
{
    m_transfer.start(arguments, input);
}

void SpoolSender::onTransferFinished(CurlTransfer::Outcome outcome)
{
    switch (outcome) {
    case CurlTransfer::Sent:
        archive(pending().value(0));
        workFinished();
        break;
    case CurlTransfer::Failed:
        qCDebug(tasksLog) << "Not sent, kept for the next batch:" << firstPendingPath();
        workFinished();
        break;
    case CurlTransfer::NotStarted:
    case CurlTransfer::TimedOut:
        endBatch();
        break;
    }
}

void SpoolSender::archive(const QString& name)
{
    if (!m_archiveDir.exists())
        QDir().mkpath(m_archiveDir.absolutePath());
    // A file of the same name sent earlier keeps its place; this one gets a
    // number, for a sent file left in the spool would be sent again and again.
    QString target = m_archiveDir.absoluteFilePath(name);
    for (int n = 2; QFileInfo::exists(target) && n < 1000; ++n)
        target = m_archiveDir.absoluteFilePath(QStringLiteral("%1.%2").arg(name).arg(n));
    if (!QFile::rename(directory().absoluteFilePath(name), target))
        qCWarning(tasksLog) << "Sent, but cannot move to the archive:" << name;
}
