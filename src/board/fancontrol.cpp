#include "board/fancontrol.h"

#include "board/inputmask.h"
#include "board/outputmask.h"
#include "board/rk710controller.h"

const int FanControl::COOLING_THRESHOLDS[] = {-1000, 30, 40, 50, 60, 1000};
const int FanControl::COOLING_POWER[] = {0, 25, 50, 75, 100};

namespace {

// How far past a threshold the temperature must go before anything switches.
const int HYSTERESIS = 1;

} // namespace

FanControl::FanControl(Rk710Controller* controller, int temperatureThreshold, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_lowThreshold(temperatureThreshold - HYSTERESIS)
    , m_highThreshold(temperatureThreshold + HYSTERESIS)
{
    forgetState();
}

void FanControl::setTemperatureHysteresisThresholds(int threshold)
{
    m_lowThreshold = threshold - HYSTERESIS;
    m_highThreshold = threshold + HYSTERESIS;
    if (m_enabled)
        applyControl();
}

void FanControl::setInput(int inputs)
{
    const int temperature = InputMask::temperature(inputs);
    if (temperature == m_temperature)
        return;
    m_temperature = temperature;
    if (m_enabled)
        applyControl();
}

void FanControl::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled) {
        forgetState();
        return;
    }
    switchChassisFan(m_temperature > m_highThreshold);
    setCoolingLevel(levelForTemperature(m_temperature));
}

void FanControl::applyControl()
{
    stepCoolingLevel();
    if (m_chassisFanOn && m_temperature < m_lowThreshold)
        switchChassisFan(false);
    else if (!m_chassisFanOn && m_temperature > m_highThreshold)
        switchChassisFan(true);
}

void FanControl::stepCoolingLevel()
{
    if (m_coolingLevel > 0 && m_temperature < m_levelLowerBound)
        setCoolingLevel(m_coolingLevel - 1);
    else if (m_coolingLevel < MAX_LEVEL && m_temperature > m_levelUpperBound)
        setCoolingLevel(m_coolingLevel + 1);
}

void FanControl::setCoolingLevel(int level)
{
    m_coolingLevel = level;
    m_levelLowerBound = COOLING_THRESHOLDS[level] - HYSTERESIS;
    m_levelUpperBound = COOLING_THRESHOLDS[level + 1] + HYSTERESIS;
    const char power = char(COOLING_POWER[level]);
    Rk710Controller* controller = m_controller;
    controller->shortJobs()->start([controller, power] { controller->setPwmOutput(1, power, power, 0); });
}

void FanControl::switchChassisFan(bool on)
{
    m_chassisFanOn = on;
    Rk710Controller* controller = m_controller;
    controller->shortJobs()->start([controller, on] { controller->setOutput(on, OutputMask::ChassisFan); });
}

void FanControl::forgetState()
{
    m_chassisFanOn = false;
    m_coolingLevel = 0;
    m_levelLowerBound = COOLING_THRESHOLDS[0] - HYSTERESIS;
    m_levelUpperBound = COOLING_THRESHOLDS[1] + HYSTERESIS;
}

int FanControl::levelForTemperature(int temperature)
{
    int level = 0;
    while (level < MAX_LEVEL && temperature >= COOLING_THRESHOLDS[level + 1])
        ++level;
    return level;
}
