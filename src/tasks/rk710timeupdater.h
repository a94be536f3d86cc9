#pragma once

#include "tasks/periodicjob.h"

class Rk710Controller;

// Keeps the board's clock in step with the system clock: every interval
// (60 s until configured) it queues an ExchangeTimeTask on the controller.
class Rk710TimeUpdater : public PeriodicJob
{
public:
    static const int DEFAULT_INTERVAL = 60;

    explicit Rk710TimeUpdater(Rk710Controller* controller);
    void run() override;

private:
    Rk710Controller* m_controller;
};
