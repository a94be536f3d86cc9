#pragma once

#include "settings/iconfigurable.h"
#include "tasks/dailyjob.h"

#include <QObject>

class PackageUpdateService;

// Runs the package check once a night, within an hour of the configured
// time, and hands the service its configuration.
class PackageUpdateTask : public QObject, public DailyJob, public IConfigurable
{
    Q_OBJECT

public:
    // Its name with the scheduler, under which the time store of earlier
    // runs keeps its next start.
    static const char* const TASK_NAME; // "package-downloader"

    explicit PackageUpdateTask(PackageUpdateService* service, QObject* parent = nullptr);

    bool canRun(const QDateTime& now) const override;
    void run() override;
    // Not while a check or an installation runs: its end schedules.
    void schedule() override;
    QDateTime computeNextStartTime(const QDateTime& current) const override;

    void loadConfiguration(const Settings& settings) override;

private:
    void configureService(const Settings& settings);

    PackageUpdateService* m_service;
};
