#include "maintenance/exporttask.h"

#include "accounting/accountingreport.h"
#include "board/rk710controller.h"
#include "catalogue/productids.h"
#include "core/childprocess.h"
#include "core/durablefile.h"
#include "core/vm24.h"
#include "maintenance/exportableitem.h"
#include "maintenance/maintenancelog.h"
#include "updates/updateprocesscontext.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

const char* const ExportTask::INCOMPLETE_FILE = "INCOMPLETE";

namespace {

const int ZIP_TIMEOUT_MS = 30 * 60 * 1000;

// Flushes the stick's file system, so that a stick pulled out after the
// completion text holds what the text says.
void sync_directory_file_system(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    VM24::sync_file_system(fd);
    ::close(fd);
}

} // namespace

namespace VM24 {

bool compress_directory_junk_path(const QString& zip, const QString& dir)
{
    const int code = run_child_process(QStringLiteral("zip"),
                                       {zip, QStringLiteral("--quiet"), QStringLiteral("--recurse-paths"),
                                        QStringLiteral("--junk-paths"), QStringLiteral("--compression-method"),
                                        QStringLiteral("store"), dir},
                                       ZIP_TIMEOUT_MS);
    return code == 0;
}

} // namespace VM24

ExportTask::ExportTask(const QDir& root, const Sources& sources, const QList<int>& items, int userLevel,
                       int logDays, UpdateProcessContext* context)
    : m_root(root)
    , m_sources(sources)
    , m_items(items)
    , m_userLevel(qMax(0, userLevel))
    , m_logDays(logDays)
    , m_context(context)
{
}

ExportTask::Result ExportTask::run()
{
    m_now = QDateTime::currentDateTime();
    const QString name = QStringLiteral("export_") + m_now.toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"));
    QDir folder = m_root;
    // A relative root is no stick (QDir of an empty path is the current directory).
    if (m_root.isRelative() || !folder.mkdir(name) || !folder.cd(name)) {
        qCWarning(maintenanceLog) << "Cannot create the export folder" << m_root.filePath(name);
        m_failures << name;
        m_context->finishUpdate();
        return {QString(), m_failures};
    }
    m_context->beginUpdate();
    for (int item : m_items) {
        m_context->beginStage(ExportableItem::to_localized_string(item));
        exportItem(item, folder);
    }
    if (!m_failures.isEmpty())
        markIncomplete(folder);
    sync_directory_file_system(folder.absolutePath());
    m_context->finishUpdate();
    return {folder.absolutePath(), m_failures};
}

void ExportTask::exportItem(int item, const QDir& folder)
{
    switch (item) {
    case ExportableItem::Settings:
        m_context->beginProcessingItem(QString());
        copyInto(m_sources.settingsFile, folder, QFileInfo(m_sources.settingsFile).fileName());
        break;
    case ExportableItem::Catalogues: {
        const QDir root(m_sources.catalogueRoot);
        const QStringList catalogues = root.entryList(QDir::Dirs | QDir::Readable | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& catalogue : catalogues) {
            if (catalogue == QLatin1String(VM24::USER_EDITS_CATALOGUE_NAME))
                continue;
            m_context->beginProcessingItem(catalogue);
            archiveInto(folder.filePath(catalogue + QLatin1String(".rkdb")), root.filePath(catalogue),
                        catalogue + QLatin1String(".rkdb"));
        }
        break;
    }
    case ExportableItem::HomePage:
        m_context->beginProcessingItem(QString());
        archiveInto(folder.filePath(QStringLiteral("media")), m_sources.mediaDir, QStringLiteral("media.zip"));
        break;
    case ExportableItem::Branding:
        for (const auto& [dir, file] : {std::pair{m_sources.eventsPictureDir, QStringLiteral("brixo-events.jpg")},
                                        std::pair{m_sources.bannerPictureDir, QStringLiteral("brixo-banner.png")}}) {
            m_context->beginProcessingItem(file);
            copyInto(QDir(dir).filePath(file), folder, file);
        }
        break;
    case ExportableItem::Customisations: {
        const QDir user(m_sources.userDir);
        for (const QString& file : user.entryList(QDir::Files | QDir::Readable, QDir::Name)) {
            m_context->beginProcessingItem(file);
            copyInto(user.filePath(file), folder, file);
        }
        break;
    }
    case ExportableItem::EventLog:
        m_context->beginProcessingItem(QString());
        writeEventLog(folder);
        break;
    case ExportableItem::AccountingReport:
        m_context->beginProcessingItem(QString());
        writeAccountingReport(folder);
        break;
    case ExportableItem::AuditFile:
        m_context->beginProcessingItem(QString());
        writeAuditFile(folder);
        break;
    }
}

void ExportTask::copyInto(const QString& source, const QDir& folder, const QString& name)
{
    if (!QFile::copy(source, folder.filePath(name))) {
        qCWarning(maintenanceLog) << "Export: cannot copy" << source;
        m_failures << name;
    }
}

void ExportTask::archiveInto(const QString& zip, const QString& dir, const QString& name)
{
    if (!VM24::compress_directory_junk_path(zip, dir)) {
        qCWarning(maintenanceLog) << "Export: cannot make the archive" << name;
        // zip leaves what it could write; a partial archive is no archive.
        QFile::remove(QFileInfo(zip).dir().filePath(name));
        m_failures << name;
    }
}

void ExportTask::writeEventLog(const QDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("VM24Log.xml"));
    const bool written = VM24::write_file_durably(path, [this](QIODevice* device) {
        return VM24::export_log_talvio_format(device, m_now, m_sources.serial, m_sources.productNames, m_logDays);
    });
    if (!written)
        m_failures << QStringLiteral("VM24Log.xml");
}

void ExportTask::writeAccountingReport(const QDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("accounting.html"));
    Rk710Controller* controller = m_sources.controller;
    const AccountingCounters permanent = controller->getCounters(Rk710SerialProtocol::Permanent);
    const AccountingCounters partial = controller->getCounters(Rk710SerialProtocol::Partial);
    const AccountingCounters daily = controller->getCounters(Rk710SerialProtocol::Daily);
    const int frequencies = m_userLevel > 2 ? Ledger::Permanent | Ledger::Partial | Ledger::Log : Ledger::Partial;
    const bool written = VM24::write_file_durably(path, [&](QIODevice* device) {
        VM24::accounting_to_html(m_sources.ledger, device, permanent, partial, daily, frequencies);
        return true;
    });
    if (!written)
        m_failures << QStringLiteral("accounting.html");
}

void ExportTask::writeAuditFile(const QDir& folder)
{
    const QString name = QStringLiteral("eva-dts_%1_%2.txt")
                             .arg(VM24::format_serial(m_sources.serial),
                                  m_now.toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss")));
    const EvaDtsReport report = VM24::gather_eva_dts_report(m_sources.ledger, m_sources.selections,
                                                            m_sources.controller, m_sources.serial, m_now);
    if (!VM24::write_file_durably(folder.filePath(name), report.text()))
        m_failures << name;
}

void ExportTask::markIncomplete(const QDir& folder)
{
    QFile marker(folder.filePath(QLatin1String(INCOMPLETE_FILE)));
    if (marker.open(QIODevice::WriteOnly))
        marker.write(m_failures.join(QLatin1Char('\n')).toUtf8() + '\n');
}
