#pragma once

#include "board/rk710controller.h"
#include "scriptedboard.h"

#include <QByteArray>
#include <QList>

#include <memory>

// A controller started on a scripted board, for tests of what the program's
// parts ask of the board. The start-up exchange is not recorded: requests()
// lists what was asked afterwards, without the polling of inputs, status and
// product presence.
class ScriptedController
{
public:
    ScriptedController();

    // Opens and initialises the controller; false when the board did not come up.
    bool start();

    Rk710Controller* controller() { return m_controller.get(); }
    ScriptedBoard& board() { return *m_board; }

    // Requests other than polling since start(), each as sent (code letter first).
    QList<QByteArray> requests() const;
    // Waits until at least count such requests were made.
    bool waitForRequests(int count, int timeoutMs = 10000) const;
    void clearRequests();

private:
    std::unique_ptr<ScriptedBoard> m_board;
    std::unique_ptr<Rk710Controller> m_controller;
};
