#pragma once

#include <QList>
#include <QtGlobal>

// The dispensers of the list, in order, whose bit in the board's 64-bit
// product-presence mask is set (the product sensor sees stock).
QList<int> filter_out_dispensers(const QList<int>& dispensers, qint64 presenceMask);
