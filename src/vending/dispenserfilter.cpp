#include "vending/dispenserfilter.h"

QList<int> filter_out_dispensers(const QList<int>& dispensers, qint64 presenceMask)
{
    QList<int> present;
    for (int dispenser : dispensers) {
        if (dispenser >= 0 && dispenser < 64 && (quint64(presenceMask) >> dispenser) & 1u)
            present.append(dispenser);
    }
    return present;
}
