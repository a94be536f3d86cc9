#pragma once

#include "tasks/abstractanacrontask.h"

#include <QTime>

// Runs once a day at dailyStart (local time), catching up once after downtime.
class DailyJob : public AbstractAnacronTask
{
public:
    // Sets the time of day. A registered task whose time changes recomputes
    // and stores its next start at once; an unchanged time keeps a pending
    // catch-up run.
    void setDailyStart(const QTime& dailyStart);
    QTime dailyStart() const { return m_dailyStart; }

    // Today at dailyStart when that is still ahead, else tomorrow at dailyStart.
    QDateTime computeNextStartTime(const QDateTime& current) const override;

private:
    QTime m_dailyStart = QTime(1, 0);
};
