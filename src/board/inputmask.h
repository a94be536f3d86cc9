#pragma once

// The board's input word: door and key switches, sensors, mains power, the
// internal button, and the temperature and battery charge in the high bytes.
namespace InputMask {

enum Bitmask : int {
    FrontDoorClosed = 1 << 0,
    BackDoorClosed = 1 << 1,
    AlarmKey = 1 << 2,
    ProductDoorSensor = 1 << 3,
    CardPresent = 1 << 4,
    CardVerifierEnabled = 1 << 5,
    ProductBarrier = 1 << 6,
    MainsPower = 1 << 7,
    InternalButton = 1 << 8,
};

inline bool operator&(int inputs, Bitmask bit)
{
    return (inputs & int(bit)) != 0;
}

// Bits 16..23, unsigned.
inline int temperature(int inputs)
{
    return (inputs >> 16) & 255;
}

// Bits 24..31, signed.
inline int battery_charge(int inputs)
{
    return inputs >> 24;
}

} // namespace InputMask
