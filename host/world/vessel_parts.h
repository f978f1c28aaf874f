// The parts a vessel defines through the host interface. The host owns every
// part; the handles it returns are the addresses of these records, which stay
// put for the vessel's life.
#ifndef QUORVANE_HOST_WORLD_VESSEL_PARTS_H
#define QUORVANE_HOST_WORLD_VESSEL_PARTS_H

#include <memory>
#include <string>
#include <vector>

#include "host_interface.h"

namespace host {

class SimVessel;

struct MeshEntry {
    std::string name;         // resource name as the module gave it
    VECTOR3 offset;           // [m]
    WORD visibility = MESHVIS_EXTERNAL;
};

struct Propellant {
    int index = 0;            // creation order within the vessel
    double maxMass = 0;       // [kg]
    double mass = 0;          // [kg]
    double efficiency = 1;
};

struct Thruster {
    int index = 0;
    VECTOR3 pos, dir;         // vessel frame; dir is the thrust direction (unit)
    double maxThrust = 0;     // [N]
    Propellant *propellant = nullptr;
    double isp = 0;           // vacuum specific impulse [m/s]
    double ispRef = 0;        // specific impulse at the reference pressure [m/s]
    double pRef = 101.4e3;    // reference pressure [Pa]
    double level = 0;         // 0..1
};

// A group has no level of its own: setting it sets every member's level.
struct ThrusterGroup {
    int index = 0;
    THGROUP_TYPE type = THGROUP_MAIN;
    std::vector<Thruster *> thrusters;
};

struct Exhaust {
    Thruster *thruster = nullptr;
    double length = 0, width = 0;  // [m]
    VECTOR3 pos, dir;
    SURFHANDLE texture = nullptr;
};

struct Airfoil {
    int index = 0;
    AIRFOIL_ORIENTATION orientation = LIFT_VERTICAL;
    VECTOR3 ref;
    AirfoilCoeffFuncEx coeff = nullptr;
    void *context = nullptr;
    double chord = 0, area = 0, aspectRatio = 0;
};

struct Attachment {
    SimVessel *owner = nullptr;
    bool toParent = false;
    int index = 0;            // position in the owner's list of its kind
    VECTOR3 pos, dir, rot;    // vessel frame
    std::string id;
    bool loose = false;
    Attachment *mate = nullptr;  // the other vessel's point while attached
};

struct AnimationComponent {
    int index = 0;            // within the animation
    double state0 = 0, state1 = 1;
    MGROUP_TRANSFORM *transform = nullptr;  // owned by the module
    AnimationComponent *parent = nullptr;
};

struct Animation {
    double defaultState = 0;
    double state = 0;
    std::vector<std::unique_ptr<AnimationComponent>> components;
};

}  // namespace host

#endif
