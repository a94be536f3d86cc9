#pragma once

#include <QString>

// The board status word: a set bit means the device is present and working,
// or the condition holds.
namespace BoardStatus {

enum Bitmask : int {
    BoardReset = 1 << 0, // the board restarted: the version exchange is due again
    CoinAcceptor = 1 << 1,
    CoinChanger = 1 << 2,
    BillValidator = 1 << 3,
    Cashless = 1 << 4,
    Pos = 1 << 5,
    Hopper1 = 1 << 6,
    Hopper2 = 1 << 7,
    Hopper1Coins = 1 << 8,
    Hopper2Coins = 1 << 9,
    Printer = 1 << 10,
    Motor1 = 1 << 11,
    Motor2 = 1 << 12,
    Motor3 = 1 << 13,
    Motor4 = 1 << 14,
    CanGiveChange = 1 << 15,
    OutOfPaper = 1 << 16,
    Motor5 = 1 << 17,
    Motor6 = 1 << 18,
    Motor7 = 1 << 19,
    Motor8 = 1 << 20,
    Motor9 = 1 << 21,
    Motor10 = 1 << 22,
    Motor11 = 1 << 23,
    Motor12 = 1 << 24,
    Motor13 = 1 << 25,
    Motor14 = 1 << 26,
    Motor15 = 1 << 27,
    Motor16 = 1 << 28,
    Motor17 = 1 << 29,
    Motor18 = 1 << 30,
};

// Any of these present means money can be taken.
const int PAYMENT_DEVICES = CoinAcceptor | CoinChanger | BillValidator | Cashless | Pos;
const int USED_BITS = 31;

inline bool operator&(int status, Bitmask bit)
{
    return (status & int(bit)) != 0;
}

// The controller of dispenser index (0..17): bits 11..14, then 17..30.
bool is_controller_available(int status, int index);

// "BoardReset" .. "OutOfPaper", "Motor5" .. "Motor18" for bits 0..30;
// empty for any other bit.
QString bit_name(int bit);

} // namespace BoardStatus
