#pragma once

#include <QRunnable>

class Rk710Controller;

// Sends the system time to the board and takes the board's battery-backed
// clock back; a system clock that was never set (before 2000) is set from it.
// Runs on the controller's task queue.
class ExchangeTimeTask : public QRunnable
{
public:
    explicit ExchangeTimeTask(Rk710Controller* controller);
    void run() override;

private:
    Rk710Controller* m_controller;
};
