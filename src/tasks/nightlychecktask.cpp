#include "tasks/nightlychecktask.h"

#include "core/defaults.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "updates/updatecheck.h"

#include <QRandomGenerator>

const char* const NightlyCheckTask::CONTENT_TASK_NAME = "content-downloader";
const char* const NightlyCheckTask::PACKAGE_TASK_NAME = "package-downloader";
const NightlyCheckTask::Limits NightlyCheckTask::CONTENT_LIMITS{Settings::UpdatesMaxDescriptorBytes,
                                                                Settings::UpdatesMaxContentBytes};
const NightlyCheckTask::Limits NightlyCheckTask::PACKAGE_LIMITS{Settings::UpdatesMaxListBytes,
                                                                Settings::UpdatesMaxPackageBytes};

namespace {

// Machines spread their nightly calls over an hour.
const int START_SPREAD_S = 3600;

} // namespace

NightlyCheckTask::NightlyCheckTask(UpdateCheck* check, Limits limits, QObject* parent)
    : QObject(parent)
    , m_check(check)
    , m_limits(limits)
{
    configureCheck(Settings());
}

bool NightlyCheckTask::canRun(const QDateTime& now) const
{
    if (!m_check->isIdle() || !m_check->hasServer())
        return false;
    return DailyJob::canRun(now);
}

void NightlyCheckTask::run()
{
    m_check->checkForUpdates();
}

void NightlyCheckTask::schedule()
{
    if (m_check->isIdle())
        DailyJob::schedule();
}

void NightlyCheckTask::checkEnded()
{
    if (isRegistered())
        DailyJob::schedule();
}

QDateTime NightlyCheckTask::computeNextStartTime(const QDateTime& current) const
{
    return DailyJob::computeNextStartTime(current).addSecs(QRandomGenerator::global()->bounded(START_SPREAD_S));
}

// setDailyStart reschedules a registered task whose time changed.
void NightlyCheckTask::loadConfiguration(const Settings& settings)
{
    configureCheck(settings);
    setDailyStart(settings.value(Settings::RemoteUpdateTime));
}

void NightlyCheckTask::configureCheck(const Settings& settings)
{
    QUrl server;
    server.setScheme(QLatin1String(VM24::Defaults::UpdatesServer::PROTOCOL));
    server.setAuthority(settings.value(Settings::UpdatesServerAddress).trimmed());
    m_check->configure({server, VM24::format_serial(settings.value(Settings::Serial)), settings.value(m_limits.list),
                        settings.value(m_limits.file)});
}
