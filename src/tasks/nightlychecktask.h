#pragma once

#include "settings/iconfigurable.h"
#include "settings/setting.h"
#include "tasks/dailyjob.h"

#include <QObject>

class UpdateCheck;

// Runs an update check once a night, within an hour of the configured
// time, and hands the service its configuration. The service's end of a
// check is to be connected to checkEnded().
class NightlyCheckTask : public QObject, public DailyJob, public IConfigurable
{
    Q_OBJECT

public:
    // The settings that cap the check's list and each file it downloads.
    struct Limits
    {
        Setting<qint64> list;
        Setting<qint64> file;
    };

    // Their names with the scheduler, under which the time store of
    // earlier runs keeps their next start.
    static const char* const CONTENT_TASK_NAME; // "content-downloader"
    static const char* const PACKAGE_TASK_NAME; // "package-downloader"
    static const Limits CONTENT_LIMITS;
    static const Limits PACKAGE_LIMITS;

    NightlyCheckTask(UpdateCheck* check, Limits limits, QObject* parent = nullptr);

    bool canRun(const QDateTime& now) const override;
    void run() override;
    // Not while a check, its download or its installation is under way:
    // its end schedules.
    void schedule() override;
    QDateTime computeNextStartTime(const QDateTime& current) const override;

    void loadConfiguration(const Settings& settings) override;

public slots:
    void checkEnded();

private:
    void configureCheck(const Settings& settings);

    UpdateCheck* m_check;
    Limits m_limits;
};
