#pragma once

#include "board/agent.h"

class Rk710Controller;

// Polls the board for the controller: inputs every cycle (0.5 s), product
// presence every 4th cycle (2 s), board status every 5th (2.5 s), all three in
// the first. The controller announces what changed. Suspended while the board
// is lost.
class BoardStateReader : public Agent
{
    Q_OBJECT
public:
    static const int CYCLE_MS = 500;
    static const int PRESENCE_PERIOD = 4;
    static const int STATUS_PERIOD = 5;

    explicit BoardStateReader(Rk710Controller* controller, QObject* parent = nullptr);

protected:
    void run() override;

private:
    Rk710Controller* m_controller;
};
