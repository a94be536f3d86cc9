#include "vending/peripheraltests.h"

#include "board/devices.h"
#include "board/rk710controller.h"
#include "core/vm24.h"

#include <QThread>

namespace VM24 {

namespace {
const int HOPPER_BATCH = 100;
}

bool empty_column(Rk710Controller* controller, int motor, int pauseMs)
{
    while (controller->isAlive() && controller->testProductPresence(motor)) {
        if (!controller->deliverProduct(Motor::fromIndex(motor)).value)
            return false;
        QThread::msleep(static_cast<unsigned long>(pauseMs));
    }
    return controller->isAlive();
}

int empty_hopper(Rk710Controller* controller, Rk710SerialProtocol::Item hopper)
{
    int total = 0;
    for (;;) {
        const int paid = controller->dispenseItems(hopper, HOPPER_BATCH).value;
        if (paid < 1)
            return total;
        total += paid;
    }
}

QStringList read_device_versions(Rk710Controller* controller)
{
    QStringList versions;
    for (int device = 0; device < Devices::Count; ++device) {
        const QByteArray answer = controller->getVersionString(static_cast<Devices::Index>(device));
        versions.append(QString::fromLatin1(VM24::strip_version_string(answer)));
    }
    return versions;
}

} // namespace VM24
