#include "board/doormonitor.h"

#include "board/inputmask.h"

DoorMonitor::DoorMonitor(QObject* parent)
    : QObject(parent)
{
}

void DoorMonitor::setInitialDoorStates(int inputs)
{
    m_frontClosed = inputs & InputMask::FrontDoorClosed;
    m_backClosed = inputs & InputMask::BackDoorClosed;
}

void DoorMonitor::setInput(int inputs)
{
    const bool frontClosed = inputs & InputMask::FrontDoorClosed;
    const bool backClosed = inputs & InputMask::BackDoorClosed;
    if (frontClosed != m_frontClosed) {
        m_frontClosed = frontClosed;
        emit frontDoorOpenChanged(!frontClosed);
    }
    if (backClosed != m_backClosed) {
        m_backClosed = backClosed;
        emit backDoorOpenChanged(!backClosed);
    }
}
