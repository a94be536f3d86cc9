#pragma once

#include "logging/notificationservice.h"
#include "tasks/periodicjob.h"

// A periodic job that leaves a "Heartbeat" debug row in the event log, so a
// silent machine can be told from a stopped one.
class Heartbeat : public PeriodicJob
{
public:
    static constexpr const char* MESSAGE = "Heartbeat";

    explicit Heartbeat(VM24::NotificationService* notificationService);

    void run() override;

private:
    VM24::NotificationService* m_notificationService;
};
