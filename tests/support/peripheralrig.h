#pragma once

#include "logging/notificationservice.h"
#include "simulatedboard.h"
#include "testenvironment.h"

#include <QJsonObject>

#include <memory>

class AlarmManager;
class FanControl;
class MotorDispenserMonitor;
class ProductProvider;
class Rk710Controller;

// What the peripheral monitor works on: the simulated board, the dispenser
// watch following its product presence, and the fan, switched on.
struct PeripheralRig
{
    explicit PeripheralRig(const QJsonObject& state);
    ~PeripheralRig();

    // Starts the board and builds the rest; false when the board does not start.
    bool start();
    Rk710Controller* controller() const { return board.controller(); }

    TestEnvironment::ScopedAppDir appDir;
    SimulatedBoard board;
    VM24::NotificationService notifications;
    std::unique_ptr<ProductProvider> products;
    std::unique_ptr<AlarmManager> alarms;
    std::unique_ptr<MotorDispenserMonitor> motors;
    std::unique_ptr<FanControl> fan;
};
