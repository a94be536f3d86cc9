#include "tasks/packageupdatetask.h"

#include "core/defaults.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "updates/packageupdateservice.h"

#include <QRandomGenerator>

const char* const PackageUpdateTask::TASK_NAME = "package-downloader";

namespace {

// Machines spread their nightly calls over an hour.
const int START_SPREAD_S = 3600;

} // namespace

PackageUpdateTask::PackageUpdateTask(PackageUpdateService* service, QObject* parent)
    : QObject(parent)
    , m_service(service)
{
    configureService(Settings());
    connect(m_service, &PackageUpdateService::finished, this, [this] { DailyJob::schedule(); });
}

bool PackageUpdateTask::canRun(const QDateTime& now) const
{
    if (m_service->state() != PackageUpdateService::Idle || !m_service->hasServer())
        return false;
    return DailyJob::canRun(now);
}

void PackageUpdateTask::run()
{
    m_service->checkForUpdates();
}

void PackageUpdateTask::schedule()
{
    if (m_service->state() == PackageUpdateService::Idle)
        DailyJob::schedule();
}

QDateTime PackageUpdateTask::computeNextStartTime(const QDateTime& current) const
{
    return DailyJob::computeNextStartTime(current).addSecs(QRandomGenerator::global()->bounded(START_SPREAD_S));
}

void PackageUpdateTask::loadConfiguration(const Settings& settings)
{
    configureService(settings);
    // setDailyStart reschedules a registered task whose time changed.
    setDailyStart(settings.value(Settings::RemoteUpdateTime));
}

void PackageUpdateTask::configureService(const Settings& settings)
{
    QUrl server;
    server.setScheme(QLatin1String(VM24::Defaults::UpdatesServer::PROTOCOL));
    server.setAuthority(settings.value(Settings::UpdatesServerAddress).trimmed());
    m_service->configure({server, VM24::format_serial(settings.value(Settings::Serial)),
                          settings.value(Settings::UpdatesMaxListBytes),
                          settings.value(Settings::UpdatesMaxPackageBytes)});
}
