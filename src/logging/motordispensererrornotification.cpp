#include "logging/motordispensererrornotification.h"

#include <QCoreApplication>

namespace VM24 {

int MotorDispenserErrorNotification::id() const
{
    return 14;
}

QString MotorDispenserErrorNotification::description() const
{
    return QCoreApplication::translate("MotorDispenserErrorNotification", "Malfunzionamento erogatore ")
        + QString::number(m_dispenser + 1);
}

} // namespace VM24
