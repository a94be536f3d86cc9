#pragma once

#include <QObject>
#include <QPointer>
#include <QRunnable>

class Rk710Controller;

// Reads the board's counters of the permanent, partial and daily periods,
// in this order, and posts them to the target as a GetCountersEvent.
class GetCountersTask : public QRunnable
{
public:
    GetCountersTask(Rk710Controller* controller, QObject* target);
    void run() override;

private:
    Rk710Controller* m_controller;
    QPointer<QObject> m_target;
};
