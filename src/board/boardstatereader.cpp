#include "board/boardstatereader.h"

#include "board/rk710controller.h"

BoardStateReader::BoardStateReader(Rk710Controller* controller, QObject* parent)
    : Agent(parent)
    , m_controller(controller)
{
}

void BoardStateReader::run()
{
    for (int cycle = 0; !terminationCondition(); ++cycle) {
        m_controller->readInput();
        if (cycle % PRESENCE_PERIOD == 0)
            m_controller->readProductPresenceMask();
        if (cycle % STATUS_PERIOD == 0)
            m_controller->readBoardStatus();
        rest(CYCLE_MS);
    }
}
