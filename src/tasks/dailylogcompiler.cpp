#include "tasks/dailylogcompiler.h"

#include "accounting/accountingservice.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "tasks/compilelogtask.h"
#include "tasks/productnames.h"

#include <QThreadPool>

DailyLogCompiler::DailyLogCompiler(const QString& directory, ProductProvider* products, QThreadPool* pool)
    : m_directory(directory)
    , m_products(products)
    , m_pool(pool ? pool : QThreadPool::globalInstance())
{
}

void DailyLogCompiler::setAuditSources(AccountingService* accounting, Rk710Controller* controller)
{
    m_accounting = accounting;
    m_controller = controller;
}

void DailyLogCompiler::loadConfiguration(const Settings& settings)
{
    const bool ftpConfigured = !settings.value(Settings::FtpAddress).isEmpty();
    m_auditFile = settings.contains(Settings::EvadtsDailyFile) ? settings.value(Settings::EvadtsDailyFile)
                                                               : ftpConfigured;
    m_serial = settings.value(Settings::Serial);
    setDailyStart(settings.value(Settings::LogCompilationTime));
}

void DailyLogCompiler::run()
{
    std::optional<CompileLogTask::AuditSources> audit;
    if (m_auditFile && m_accounting) {
        audit = CompileLogTask::AuditSources{m_accounting->ledger(), VM24::eva_dts_selections(*m_products),
                                             m_controller};
    }
    m_pool->start(new CompileLogTask(m_directory, m_serial, VM24::product_names(*m_products), audit));
}
