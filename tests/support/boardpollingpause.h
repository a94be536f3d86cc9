#pragma once

#include <QMetaObject>
#include <QPointer>

#include <atomic>

class Agent;
class Rk710Controller;

// Holds the controller's reader thread still, so that a fault set on the
// simulator's line hits the requests the test makes and not the reader's
// polling. The reader goes on when the object goes.
class BoardPollingPause
{
public:
    explicit BoardPollingPause(Rk710Controller* controller);
    ~BoardPollingPause();
    BoardPollingPause(const BoardPollingPause&) = delete;
    BoardPollingPause& operator=(const BoardPollingPause&) = delete;

    // Waits until the reader has finished its cycle and sleeps.
    bool wait(int ms = 10000) const;
    // Lets the reader poll again before the object goes.
    void release();

private:
    QPointer<Agent> m_reader;
    QMetaObject::Connection m_connection;
    std::atomic<bool> m_asleep{false};
};
