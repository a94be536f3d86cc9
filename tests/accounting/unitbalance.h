#pragma once

#include "accounting/sessionbalance.h"

// The session the ledger committer books once per round: every field
// distinct, so that a ledger mixing two rounds shows.
inline SessionBalance unit_balance()
{
    SessionBalance unit;
    unit.banknotes = 1000;
    unit.coins = 200;
    unit.recharges = 30;
    unit.changeDelivered = 40;
    unit.cashIncome = 500;
    unit.cashlessIncome = 60;
    unit.posIncome = 70;
    unit.extraCredit = 80;
    unit.rechargeCount = 1;
    unit.changeCount = 1;
    unit.coinBox = 90;
    return unit;
}

// The price of the item booked each round.
const int UNIT_ITEM_PRICE = 150;
