#include "vending/changetubescan.h"

#include "board/rk710controller.h"

ChangeTubeScan::ChangeTubeScan(Rk710Controller* controller)
    : m_controller(controller)
{
}

void ChangeTubeScan::run()
{
    m_controller->returnChange(0);
}
