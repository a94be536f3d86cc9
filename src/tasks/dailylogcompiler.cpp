#include "tasks/dailylogcompiler.h"

#include "accounting/accountingservice.h"
#include "core/defaults.h"
#include "core/settingskeys.h"
#include "core/vm24.h"
#include "tasks/compilelogtask.h"
#include "tasks/productnames.h"

#include <QSettings>
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

void DailyLogCompiler::loadConfiguration(QSettings& settings)
{
    const bool ftpConfigured = !settings.value(QLatin1String(VM24::Keys::FTP_ADDRESS)).toString().isEmpty();
    m_auditFile = settings.value(QLatin1String(VM24::Keys::EVADTS_DAILY_FILE), ftpConfigured).toBool();
    m_serial = VM24::read_serial(settings);
    setDailyStart(VM24::interpret_time(settings, QLatin1String(VM24::Keys::LOG_COMPILATION_TIME),
                                       VM24::Defaults::Schedule::LOG_COMPILATION));
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
