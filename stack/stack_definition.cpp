// The stack's definition: construction and class set-up.
#include <cstdio>
#include <iterator>

#include "frame/aerodynamics.h"
#include "stack_vessel.h"

namespace {

// Physical parameters.
const double kEmptyMass = 16620.0;                 // [kg]
const double kSize = 5.0;                          // mean radius [m]
const VECTOR3 kPmi = {{1, 1, 2}};                  // principal moments of inertia per mass [m^2]
const VECTOR3 kCrossSections = {{1, 1, 1}};        // [m^2]
const VECTOR3 kRotDrag = {{1, 1, 1}};
const VECTOR3 kCameraOffset = {{0, 1.5, -1.8}};    // [m]

// Touchdown points: all three at the origin, so they span no triangle.
const TOUCHDOWNVTX kTouchdown[3] = {
    {{{0, 0, 0}}, 60000, 2000, 3.0, 0.2},
    {{{0, 0, 0}}, 60000, 2000, 3.0, 0.2},
    {{{0, 0, 0}}, 60000, 2000, 3.0, 0.2},
};

// Attachment to the launch vehicle.
const VECTOR3 kParentAttachPos = {{0, 0, 0}};      // [m]
const VECTOR3 kParentAttachDir = {{0, 0, -1}};
const VECTOR3 kParentAttachRot = {{0, 1, 0}};

// Satellite points: two columns, even indices at +x, odd at -x; each pair
// (2k, 2k + 1) stands one pair spacing below the one before.
const double kColumnX = 0.938;                     // distance of a column from the centre plane [m]
const double kTopPairZ = 7.53;                     // height of the pair QV0, QV1 [m]
const double kPairSpacing = 0.24;                  // [m]
const VECTOR3 kSatAttachDir = {{0, 0, 1}};
const VECTOR3 kSatAttachRot = {{-1, 0, 0}};

}  // namespace

StackVessel::StackVessel(OBJHANDLE hVessel, int flightmodel) : VESSEL3(hVessel, flightmodel) {}

void StackVessel::clbkSetClassCaps(FILEHANDLE) {
    // State: holding the satellites.
    deployState = 0;

    // Physical parameters.
    SetCW(1, 1, 1, 1);
    SetRotDrag(kRotDrag);
    SetPMI(kPmi);
    SetCrossSections(kCrossSections);
    SetSize(kSize);
    SetEmptyMass(kEmptyMass);
    SetCameraOffset(kCameraOffset);
    SetTouchdownPoints(kTouchdown, 3);

    // Aerodynamics.
    CreateAirfoil3(LIFT_VERTICAL, _V(0, 0, 0), VerticalLiftCoeff, NULL, 1.0, 1.0, 1.0);
    CreateAirfoil3(LIFT_HORIZONTAL, _V(0, 0, 0), HorizontalLiftCoeff, NULL, 1.0, 1.0, 1.0);

    // Attachment to the launch vehicle.
    parentAttach = CreateAttachment(true, kParentAttachPos, kParentAttachDir, kParentAttachRot, "K7", false);

    // Satellite points, a pair at a time. i is the even index; i * 0.24 * 0.5
    // is the pair's number times the spacing.
    char id[256];
    for (int i = 0; i < static_cast<int>(std::size(satAttach)); i += 2) {
        const double z = kTopPairZ - i * kPairSpacing * 0.5;  // [m]
        std::snprintf(id, sizeof id, "QV%d", i);
        satAttach[i] = CreateAttachment(false, _V(kColumnX, 0, z), kSatAttachDir, kSatAttachRot, id, false);
        std::snprintf(id, sizeof id, "QV%d", i + 1);
        satAttach[i + 1] = CreateAttachment(false, _V(-kColumnX, 0, z), kSatAttachDir, kSatAttachRot, id, false);
    }
}
