#pragma once

#include <QtGlobal>

// What one closed vending session moved, in cents, as handed to the books.
struct SessionBalance
{
    qint32 banknotes = 0;
    qint32 coins = 0;
    qint32 recharges = 0;
    qint32 changeDelivered = 0;
    qint32 cashIncome = 0;
    qint32 cashlessIncome = 0;
    qint32 posIncome = 0;
    // Credit the machine kept: neither spent, returned nor moved to a card.
    qint32 extraCredit = 0;
    qint32 rechargeCount = 0;
    qint32 changeCount = 0;
    qint32 coinBox = 0;
};
