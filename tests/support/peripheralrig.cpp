#include "peripheralrig.h"

#include "board/fancontrol.h"
#include "board/rk710controller.h"
#include "catalogue/productprovider.h"
#include "settings/settings.h"
#include "vending/alarmmanager.h"
#include "vending/motordispensermonitor.h"

PeripheralRig::PeripheralRig(const QJsonObject& state)
    : board(state)
{
}

PeripheralRig::~PeripheralRig() = default;

bool PeripheralRig::start()
{
    if (!board.start())
        return false;
    products = std::make_unique<ProductProvider>(appDir.filePath(QStringLiteral("data/products")));
    alarms = std::make_unique<AlarmManager>(&notifications);
    motors = std::make_unique<MotorDispenserMonitor>(alarms.get(), products.get(), &notifications);
    motors->setProductPresence(controller()->getProductPresence());
    QObject::connect(controller(), &Rk710Controller::productPresenceChanged, motors.get(),
                     &MotorDispenserMonitor::setProductPresence);
    fan = std::make_unique<FanControl>(controller(), Settings().value(Settings::TemperatureThreshold));
    fan->setEnabled(true);
    return true;
}
