#include "tasks/contentupdatetask.h"

#include "core/defaults.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "updates/contentupdateservice.h"

#include <QRandomGenerator>

const char* const ContentUpdateTask::TASK_NAME = "content-downloader";

namespace {

// Machines spread their nightly calls over an hour.
const int START_SPREAD_S = 3600;

} // namespace

ContentUpdateTask::ContentUpdateTask(ContentUpdateService* service, QObject* parent)
    : QObject(parent)
    , m_service(service)
{
    configureService(Settings());
    connect(m_service, &ContentUpdateService::finished, this, [this] {
        if (isRegistered())
            DailyJob::schedule();
    });
}

bool ContentUpdateTask::canRun(const QDateTime& now) const
{
    if (m_service->state() != ContentUpdateService::Idle || !m_service->hasServer())
        return false;
    return DailyJob::canRun(now);
}

void ContentUpdateTask::run()
{
    m_service->checkForUpdates();
}

void ContentUpdateTask::schedule()
{
    if (m_service->state() == ContentUpdateService::Idle)
        DailyJob::schedule();
}

QDateTime ContentUpdateTask::computeNextStartTime(const QDateTime& current) const
{
    return DailyJob::computeNextStartTime(current).addSecs(QRandomGenerator::global()->bounded(START_SPREAD_S));
}

void ContentUpdateTask::loadConfiguration(const Settings& settings)
{
    configureService(settings);
    setDailyStart(settings.value(Settings::RemoteUpdateTime));
}

void ContentUpdateTask::configureService(const Settings& settings)
{
    QUrl server;
    server.setScheme(QLatin1String(VM24::Defaults::UpdatesServer::PROTOCOL));
    server.setAuthority(settings.value(Settings::UpdatesServerAddress).trimmed());
    m_service->configure({server, VM24::format_serial(settings.value(Settings::Serial)),
                          settings.value(Settings::UpdatesMaxDescriptorBytes),
                          settings.value(Settings::UpdatesMaxContentBytes)});
}
