#include "vending/countdown.h"

Countdown::Countdown(QObject* parent)
    : QObject(parent)
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &Countdown::onTick);
}

void Countdown::start(int startValue)
{
    m_startValue = startValue;
    start();
}

void Countdown::start()
{
    m_value = m_startValue;
    emit tick(m_value);
    m_timer.start();
}

void Countdown::reset()
{
    m_value = m_startValue;
    emit tick(m_value);
    // The step that was running would otherwise end early and take up to a
    // second off the time just given back.
    if (m_timer.isActive())
        m_timer.start();
}

void Countdown::stop()
{
    m_timer.stop();
}

void Countdown::onTick()
{
    --m_value;
    emit tick(m_value);
    if (m_value <= 0) {
        m_timer.stop();
        emit expired();
    }
}
