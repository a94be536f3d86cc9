#pragma once

#include <QRunnable>

class Rk710Controller;

// Recounting the coins in the changer tubes, as after the front door was
// closed: a payout of nothing. Runs on the controller's long-task queue.
class ChangeTubeScan : public QRunnable
{
public:
    explicit ChangeTubeScan(Rk710Controller* controller);

    void run() override;

private:
    Rk710Controller* m_controller;
};
