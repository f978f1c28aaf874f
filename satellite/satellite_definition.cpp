// The satellite's definition: construction, destruction and class set-up.
#include <new>

#include "frame/aerodynamics.h"
#include "satellite_variant.h"
#include "satellite_vessel.h"

namespace {

const double kDegree = 0.017453292519943295;  // one degree [rad]

// Physical parameters.
const double kEmptyMass = 227.0;                      // [kg]
const double kSize = 2.0;                             // mean radius [m]
const VECTOR3 kPmi = {{2, 2, 1}};                     // principal moments of inertia per mass [m^2]
const VECTOR3 kCrossSections = {{1, 1, 1}};           // [m^2]
const VECTOR3 kRotDrag = {{1, 1, 1}};
const VECTOR3 kCameraOffset = {{0, 1.5, -1.8}};       // [m]

// Propulsion.
const double kPropellantMass = 50.0;                  // tank capacity and initial load [kg]
const double kMainThrust = 0.01;                      // [N]
const double kIsp = 11000.0;                          // vacuum specific impulse [m/s]
const double kReferencePressure = 101400.0;           // [Pa]
const VECTOR3 kThrusterPos = {{0, 0, -1.9}};          // [m]
const VECTOR3 kThrustDir = {{0, 0, 1}};
const double kExhaustLength = 2.0;                    // [m]
const double kExhaustWidth = 0.04;                    // [m]
const VECTOR3 kExhaustDir = {{0, 0, -1}};
const VECTOR3 kExhaustPos[2] = {{{-0.612, 0, -1.96}}, {{0.612, 0, -1.96}}};  // [m]

// Touchdown points: all three at the origin.
TOUCHDOWNVTX kTouchdown[3] = {
    {{{0, 0, 0}}, 60000, 2000, 3.0, 0.2},
    {{{0, 0, 0}}, 60000, 2000, 3.0, 0.2},
    {{{0, 0, 0}}, 60000, 2000, 3.0, 0.2},
};

// Solar array: six panels in a chain, mesh groups 0 to 5.
UINT kPanelGroup[6][1] = {{0}, {1}, {2}, {3}, {4}, {5}};
const VECTOR3 kPanelHinge[6] = {{{-0.83, 0.102, 0}}, {{0.571, 0.106, 0}}, {{-0.571, 0.11, 0}},
                                {{0.571, 0.115, 0}}, {{-0.571, 0.119, 0}}, {{0.571, 0.123, 0}}};  // [m]
const int kPanelTurnDegrees[6] = {90, -180, 180, -180, 180, -180};  // [deg]
const VECTOR3 kPanelAxis = {{0, 0, 1}};

// Parent attachment ("EVEN" in both variants).
const VECTOR3 kParentAttachPos = {{0, 0, 0}};
const VECTOR3 kParentAttachDir = {{0, -1, 0}};

}  // namespace

// The transforms start null, so destroying a satellite whose set-up never
// ran frees nothing.
SatelliteVessel::SatelliteVessel(OBJHANDLE hVessel, int flightmodel)
    : VESSEL3(hVessel, flightmodel), arrayRot{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr} {}

SatelliteVessel::~SatelliteVessel() {
    // The transforms are deleted through their own type (no virtual destructor).
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdelete-non-virtual-dtor"
#endif
    for (MGROUP_ROTATE *&rot : arrayRot) {
        delete rot;
        rot = nullptr;
    }
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
}

void SatelliteVessel::clbkSetClassCaps(FILEHANDLE) {
    // State: stowed and waiting for release.
    arrayProc = 0.0;
    releaseTime = 0.0;
    arrayState = 0;
    releaseState = 0;
    nadirHold = 0;

    // Solar array.
    DefineArrayAnimation();

    // Physical parameters.
    SetCW(1, 1, 1, 1);
    SetRotDrag(kRotDrag);
    SetPMI(kPmi);
    SetCrossSections(kCrossSections);
    SetSize(kSize);
    SetEmptyMass(kEmptyMass);

    // Mesh.
    SetMeshVisibilityMode(AddMesh(satellite::kMeshName), MESHVIS_ALWAYS);
    SetCameraOffset(kCameraOffset);
    SetTouchdownPoints(kTouchdown, 3);

    // Propellant and engine.
    propellant = CreatePropellantResource(kPropellantMass, kPropellantMass, 1.0);
    mainThruster = CreateThruster(kThrusterPos, kThrustDir, kMainThrust, propellant, kIsp, 0.0, kReferencePressure);
    SURFHANDLE exhaust = oapiRegisterExhaustTexture(const_cast<char *>("quorvane/exhaust"));
    for (const VECTOR3 &pos : kExhaustPos)
        AddExhaust(mainThruster, kExhaustLength, kExhaustWidth, pos, kExhaustDir, exhaust);
    CreateThrusterGroup(&mainThruster, 1, THGROUP_MAIN);

    // Aerodynamics.
    CreateAirfoil3(LIFT_VERTICAL, _V(0, 0, 0), VerticalLiftCoeff, NULL, 1.0, 1.0, 1.0);
    CreateAirfoil3(LIFT_HORIZONTAL, _V(0, 0, 0), HorizontalLiftCoeff, NULL, 1.0, 1.0, 1.0);

    // Attachment to the carrier.
    parentAttach = CreateAttachment(true, kParentAttachPos, kParentAttachDir, _V(satellite::kParentRotationX, 0, 0),
                                    "EVEN", false);
}

void SatelliteVessel::DefineArrayAnimation() {
    arrayAnim = CreateAnimation(0.0);
    ANIMATIONCOMPONENT_HANDLE parent = NULL;
    for (int k = 0; k < 6; ++k) {
        const float angle = static_cast<float>(kPanelTurnDegrees[k] * kDegree);
        // Without memory for a transform the panel stays put; the chain goes on.
        arrayRot[k] = new (std::nothrow) MGROUP_ROTATE(0, kPanelGroup[k], 1, kPanelHinge[k], kPanelAxis, angle);
        ANIMATIONCOMPONENT_HANDLE comp =
            arrayRot[k] != nullptr ? AddAnimationComponent(arrayAnim, 0.0, 1.0, arrayRot[k], parent) : NULL;
        if (k < 5) arrayComp[k] = comp;
        parent = comp;
    }
}
