// The satellite's block on the head-up display: the velocity change left in
// the tank and help for its keys. The block scales with the HUD's height and
// moves right and up on wide displays.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "satellite_vessel.h"

namespace {

const double kScalePerPixel = 0.00130208;          // text scale per pixel of HUD height, a little below 1/768
const double kWideAspect = 0.7284;                 // height/width below which a display counts as wide
const int kLeftMargin = 10;                        // [pixel]
const double kWideShiftY = -88.0;                  // upward shift on wide displays, times the scale [pixel]
const double kLineOffset[4] = {168, 184, 200, 216};  // y of each line, times the scale [pixel]
const DWORD kTextColour = 0x66FF66;                // light green
const double kExhaustVelocity = 11000.0;           // main engine's specific impulse [m/s]
const size_t kTextSize = 256;                      // text buffer [bytes]

void DrawLine(oapi::Sketchpad &skp, int x, int y, const char *text) {
    skp.Text(x, y, text, static_cast<int>(std::strlen(text)));
}

}  // namespace

bool SatelliteVessel::clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp) {
    VESSEL3::clbkDrawHUD(mode, hps, skp);  // the host's own elements; its result does not matter
    if (hps == nullptr || skp == nullptr) return true;

    // Layout, in whole pixels truncated toward zero.
    const double scale = kScalePerPixel * hps->H;
    int shiftX = 0;
    int shiftY = 0;
    if (static_cast<double>(hps->H) / static_cast<double>(hps->W) < kWideAspect) {
        shiftX = (hps->W / 64) * 10;  // W * 16 / 1024 whole 64-pixel units, without overflowing W * 16
        shiftY = static_cast<int>(kWideShiftY * scale);
    }
    const int x = shiftX + kLeftMargin;
    int y[4];
    for (int line = 0; line < 4; ++line) y[line] = shiftY + static_cast<int>(kLineOffset[line] * scale);

    skp->SetTextColor(kTextColour);
    const double emptyMass = GetEmptyMass();
    const double propellantMass = GetPropellantMass(propellant);
    const double deltaV = kExhaustVelocity * std::log((propellantMass + emptyMass) / emptyMass);
    char text[kTextSize];
    std::snprintf(text, kTextSize, "Available dV %0.2f m/s", deltaV);
    DrawLine(*skp, x, y[0], text);

    skp->SetTextColor(kTextColour);
    DrawLine(*skp, x, y[1], "NumPad = Reaction Wheels/Torquers");

    skp->SetTextColor(kTextColour);
    DrawLine(*skp, x, y[2], nadirHold != 0 ? "K = Nadir Pointing ON" : "K = Nadir Pointing");

    if (arrayState == 0) {
        skp->SetTextColor(kTextColour);
        DrawLine(*skp, x, y[3], "G = Deploy Array");
    }
    return true;
}
