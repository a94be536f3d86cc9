#include "logging/emptyhoppernotification.h"

#include <QCoreApplication>

namespace VM24 {

int EmptyHopperNotification::id() const
{
    return m_hopper == 0 ? 6 : 7;
}

QString EmptyHopperNotification::description() const
{
    return QCoreApplication::translate("EmptyHopperNotification", "Hopper %1 vuoto").arg(m_hopper + 1);
}

} // namespace VM24
