#pragma once

#include <QObject>

class Rk710Controller;

// Cools the machine from the temperature in the input word: a cooling fan
// driven by PWM in five levels, and the chassis fan switched around the
// temperature threshold of the settings (given by whoever composes the
// control, and set again when the settings change). Both change only two degrees past a threshold, so a
// temperature that wavers around it does not make them switch back and
// forth, and the cooling level moves one step per reading.
class FanControl : public QObject
{
    Q_OBJECT
public:
    static const int MAX_LEVEL = 4;
    // Level L covers the temperatures between threshold L and threshold L + 1.
    static const int COOLING_THRESHOLDS[MAX_LEVEL + 2];
    // PWM power in percent per level.
    static const int COOLING_POWER[MAX_LEVEL + 1];

    FanControl(Rk710Controller* controller, int temperatureThreshold, QObject* parent = nullptr);

    int coolingLevel() const { return m_coolingLevel; }
    bool isChassisFanOn() const { return m_chassisFanOn; }
    bool isEnabled() const { return m_enabled; }
    int temperature() const { return m_temperature; }
    int lowThreshold() const { return m_lowThreshold; }
    int highThreshold() const { return m_highThreshold; }

public slots:
    void setInput(int inputs);
    // Enabling takes the fans to the state the temperature asks for at once;
    // disabling forgets their state without telling the board.
    void setEnabled(bool enabled);
    void setTemperatureHysteresisThresholds(int threshold);

private:
    void applyControl();
    void stepCoolingLevel();
    void setCoolingLevel(int level);
    void switchChassisFan(bool on);
    void forgetState();
    static int levelForTemperature(int temperature);

    Rk710Controller* m_controller;
    int m_lowThreshold;
    int m_highThreshold;
    int m_coolingLevel = 0;
    int m_levelLowerBound = 0;
    int m_levelUpperBound = 0;
    int m_temperature = 0;
    bool m_chassisFanOn = false;
    bool m_enabled = false;
};
