#include "board/sirencontrol.h"

#include "board/outputmask.h"
#include "board/rk710controller.h"


SirenControl::SirenControl(Rk710Controller* controller, QObject* parent, int capMs)
    : QObject(parent)
    , m_controller(controller)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(capMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { switchSiren(false); });
}

void SirenControl::onAlarmsChanged(VM24::Alarms alarms)
{
    if (!alarms.testFlag(VM24::TamperAlarm)) {
        m_timer.stop();
        switchSiren(false);
    } else if (!m_timer.isActive()) {
        switchSiren(true);
        m_timer.start();
    }
}

void SirenControl::switchSiren(bool on)
{
    Rk710Controller* controller = m_controller;
    controller->shortJobs()->start([controller, on] { controller->setOutput(on, OutputMask::Siren); });
}
