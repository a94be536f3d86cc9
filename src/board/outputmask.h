#pragma once

// The board's output word (request "O", a 16-bit mask): bits 0 to 7 are
// lights, the others switch devices. Every output the program drives is
// named here, and every group of outputs it switches at once.
namespace OutputMask {

enum Bit : int {
    PrinterLight = 1 << 0,
    CashLight = 1 << 1,
    DrawerLight = 1 << 2,
    PosLight = 1 << 3,
    VerifierLight = 1 << 4,
    ChangeLight = 1 << 5,
    CashlessLight = 1 << 6,
    // The drawer's second lamp, always switched with DrawerLight.
    DrawerSecondLight = 1 << 7,
    Battery = 1 << 8,
    ChassisFan = 1 << 10,
    Siren = 1 << 11,
    OpticalBarrier = 1 << 12,
};

constexpr int Lights = 0xFF;
constexpr int DrawerLights = DrawerLight | DrawerSecondLight;

// The lights that tell the customer where money goes in: the two cash
// acceptors' and the POS terminal's.
constexpr int CashAcceptorLights = CashLight | CashlessLight;
constexpr int AcceptorLights = CashAcceptorLights | PosLight;
// What stays lit while the session sleeps.
constexpr int SleepLights = CashLight | PosLight;

// The resting state the board is put in at start-up and after maintenance:
// the drawer lamps and the battery output on, every other light, the fan and
// the siren off; outputs 9 and 12 and above are left as they are.
constexpr int RestingOn = DrawerLights | Battery;
constexpr int RestingOff = (Lights & ~DrawerLights) | ChassisFan | Siren;
// Switched off when the peripheral tests begin (the fan is theirs to drive),
// and at exit.
constexpr int TestOff = Lights | ChassisFan;
constexpr int OffAtExit = Lights | ChassisFan | Siren;

// The words on the wire.
static_assert(RestingOn == 0x184 && RestingOff == 0xC7B, "start-up outputs");
static_assert(TestOff == 0x4FF, "test outputs");
static_assert(OffAtExit == 0xCFF, "outputs at exit");

} // namespace OutputMask
