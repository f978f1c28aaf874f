// Keyboard control. The numeric keypad turns the satellite by setting its
// angular velocity directly (reaction wheels, no thrusters); G starts the
// solar array's deployment and K switches the nadir hold on and off.
#include "angle_units.h"
#include "satellite_vessel.h"

using satellite::kDegree;

namespace {

// The keypad keys of one axis of the angular velocity.
struct AxisKeys {
    int increase;  // key code that raises the component
    int decrease;  // key code that lowers it
};

// Axes x, y, z, in the order they are handled.
const AxisKeys kAxisKeys[3] = {
    {OAPI_KEY_NUMPAD2, OAPI_KEY_NUMPAD8},  // x
    {OAPI_KEY_NUMPAD1, OAPI_KEY_NUMPAD3},  // y
    {OAPI_KEY_NUMPAD6, OAPI_KEY_NUMPAD4},  // z
};

const double kUpperRate = 10.0 * kDegree;   // highest rate the keypad sets [rad/s]
const double kLowerRate = kDegree * -10.0;  // lowest rate the keypad sets [rad/s]

bool KeyDown(const char *kstate, int key) { return kstate != nullptr && KEYDOWN(kstate, key); }

// One component: the increase with its clamp first, then the decrease with its
// own. A component beyond a limit is not pushed further out by its key.
double Turned(double c, bool increase, bool decrease, double increment) {
    if (increase && c < kUpperRate) {
        c += increment;
        if (c > kUpperRate) c = kUpperRate;
    }
    if (decrease && c > kLowerRate) {
        c -= increment;
        if (c < kLowerRate) c = kLowerRate;
    }
    return c;
}

}  // namespace

// Written back at every call, also with no key down: the host's angular
// velocity then stays as it was read.
int SatelliteVessel::clbkConsumeDirectKey(char *kstate) {
    VECTOR3 w = _V(0, 0, 0);
    GetAngularVel(w);
    const double increment = oapiGetSimStep() * (kDegree + kDegree);
    for (int axis = 0; axis < 3; ++axis) {
        const AxisKeys &keys = kAxisKeys[axis];
        w.data[axis] = Turned(w.data[axis], KeyDown(kstate, keys.increase), KeyDown(kstate, keys.decrease), increment);
    }
    SetAngularVel(w);
    return 0;
}

// Shift swallows every key press, Control passes every one on; releases are
// never taken.
int SatelliteVessel::clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) {
    if (!down) return 0;
    if (KeyDown(kstate, OAPI_KEY_LSHIFT) || KeyDown(kstate, OAPI_KEY_RSHIFT)) return 1;
    if (KeyDown(kstate, OAPI_KEY_LCONTROL) || KeyDown(kstate, OAPI_KEY_RCONTROL)) return 0;
    switch (key) {
        case OAPI_KEY_G:
            if (arrayState == 0) arrayState = 1;
            return 1;
        case OAPI_KEY_K:
            if (nadirHold == 0) {
                nadirHold = 1;
                SwitchOffNavmodeHolds();
            } else {
                nadirHold = 0;
            }
            return 1;
        default:
            return 0;
    }
}
