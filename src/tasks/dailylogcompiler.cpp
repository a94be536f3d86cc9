#include "tasks/dailylogcompiler.h"

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

void DailyLogCompiler::loadConfiguration(QSettings& settings)
{
    m_serial = VM24::read_serial(settings);
    setDailyStart(VM24::interpret_time(settings, QLatin1String(VM24::Keys::LOG_COMPILATION_TIME),
                                       VM24::Defaults::Schedule::LOG_COMPILATION));
}

void DailyLogCompiler::run()
{
    m_pool->start(new CompileLogTask(m_directory, m_serial, VM24::product_names(*m_products)));
}
