// The host's side of one vessel: what the module defined through the host
// interface, and the vessel's state in the world.
#ifndef QUORVANE_HOST_WORLD_SIM_VESSEL_H
#define QUORVANE_HOST_WORLD_SIM_VESSEL_H

#include <memory>
#include <string>
#include <vector>

#include "host_interface.h"
#include "module_library.h"
#include "rotation.h"
#include "vessel_class.h"
#include "vessel_parts.h"

namespace host {

class Simulation;
class CallJournal;

// The vessel object of a class without a module: every callback keeps the
// host's default.
class GenericVessel final : public VESSEL2 {
public:
    using VESSEL2::VESSEL2;
};

// An affine map of mesh coordinates: x -> m x + t.
struct Affine {
    MATRIX3 m;
    VECTOR3 t;
    VECTOR3 Apply(const VECTOR3 &x) const;
};

class SimVessel {
public:
    SimVessel(Simulation &sim, std::string name, std::shared_ptr<const VesselClass> cls);
    ~SimVessel();
    SimVessel(const SimVessel &) = delete;
    SimVessel &operator=(const SimVessel &) = delete;

    static SimVessel &FromHandle(OBJHANDLE handle) { return *static_cast<SimVessel *>(handle); }
    OBJHANDLE Handle() { return this; }
    Simulation &Sim() const { return sim_; }
    const std::string &Name() const { return name_; }
    const std::string &ClassName() const { return class_->name; }
    const VesselClass &Class() const { return *class_; }
    inline CallJournal *Journal() const;  // defined in simulation.h

    // The module's object. The host reaches callbacks only through these
    // casts, which the object's version allows.
    VESSEL *Interface() const { return iface_; }
    int InterfaceVersion() const { return iface_ != nullptr ? iface_->Version() : -1; }
    // Found once when the object is bound: its version is fixed from then on.
    VESSEL2 *Callbacks() const { return callbacks2_; }   // null below version 1
    VESSEL3 *Callbacks3() const { return callbacks3_; }  // null below version 2
    void BindInterface(VESSEL *iface, std::shared_ptr<ModuleLibrary> module);

    // ---- definition ----
    double emptyMass = 0;             // [kg]
    double size = 1;                  // mean radius [m]
    VECTOR3 pmi = {{1, 1, 1}};        // principal moments of inertia per mass [m^2]
    VECTOR3 crossSections = {{1, 1, 1}};  // [m^2]
    VECTOR3 rotDrag = {{0, 0, 0}};
    double cw[4] = {0, 0, 0, 0};      // drag coefficients z+, z-, x, y
    VECTOR3 cameraOffset = {{0, 0, 0}};
    std::vector<MeshEntry> meshes;
    std::vector<TOUCHDOWNVTX> touchdown;
    std::vector<std::unique_ptr<Propellant>> propellants;
    std::vector<std::unique_ptr<Thruster>> thrusters;
    std::vector<std::unique_ptr<ThrusterGroup>> thrusterGroups;
    std::vector<Exhaust> exhausts;
    std::vector<std::unique_ptr<Airfoil>> airfoils;
    std::vector<std::unique_ptr<Attachment>> attachments;  // both kinds, in creation order
    std::vector<Animation> animations;

    Propellant *CreatePropellant(double maxMass, double mass, double efficiency);
    Thruster *CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxThrust, Propellant *prop, double isp,
                             double ispRef, double pRef);
    ThrusterGroup *CreateThrusterGroup(const std::vector<Thruster *> &members, THGROUP_TYPE type);
    UINT AddExhaust(const Exhaust &exhaust);
    Airfoil *CreateAirfoil(AIRFOIL_ORIENTATION orientation, const VECTOR3 &ref, AirfoilCoeffFuncEx coeff,
                           void *context, double chord, double area, double aspectRatio);
    Attachment *CreateAttachment(bool toParent, const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot,
                                 const std::string &id, bool loose);
    UINT CreateAnimation(double initialState);
    // Null when the animation does not exist or the parent is not one of its components.
    AnimationComponent *AddAnimationComponent(UINT anim, double state0, double state1, MGROUP_TRANSFORM *transform,
                                              AnimationComponent *parent);
    bool SetAnimation(UINT anim, double state);

    // Validation of handles a module passes back.
    bool Owns(const Propellant *p) const;
    bool Owns(const Thruster *t) const;
    bool Owns(const Attachment *a) const;
    ThrusterGroup *Group(THGROUP_TYPE type) const;
    // Sets the level (clamped to 0..1) of every thruster of the group; false
    // when the vessel has no such group.
    bool SetThrusterGroupLevel(THGROUP_TYPE type, double level);
    // The mean level of the group's thrusters, 0 without the group.
    double ThrusterGroupLevel(THGROUP_TYPE type) const;
    // The n-th attachment of one kind (to-parent or to-child), or null.
    Attachment *AttachmentAt(bool toParent, int index) const;
    int AttachmentCount(bool toParent) const;

    // Where the animations put a point of a mesh group, for the current states.
    Affine GroupTransform(UINT mesh, UINT group) const;

    // ---- state ----
    // Position and velocity relative to the reference body, in the global
    // frame's axes [m, m/s]; angular velocity in the vessel's frame [rad/s].
    const VECTOR3 &RelPos() const { return rpos_; }
    const VECTOR3 &RelVel() const { return rvel_; }
    const Orientation &Attitude() const { return attitude_; }
    const VECTOR3 &AngularVel() const { return avel_; }
    VECTOR3 GlobalPos() const;
    double Mass() const;  // empty mass plus propellant [kg]

    void SetRelPos(const VECTOR3 &p) { rpos_ = p; }
    void SetRelVel(const VECTOR3 &v) { rvel_ = v; }
    void SetAttitudeAngles(const VECTOR3 &angles) { attitude_.SetAngles(angles); }
    void SetAttitudeMatrix(const MATRIX3 &m) { attitude_.SetMatrix(m); }
    void SetAngularVel(const VECTOR3 &w) { avel_ = w; }

    // The state record as a module sees it, and setting the state from one.
    void GetStatus(VESSELSTATUS &status) const;
    void DefSetState(const VESSELSTATUS &status);

    // ---- attachments ----
    // The vessel on the other side of a point, or null.
    SimVessel *AttachedAt(const Attachment *point) const;
    // The point by which this vessel hangs on a parent, or null.
    Attachment *ParentLink() const;
    SimVessel *Parent() const;

    // ---- navigation modes ----
    bool ActivateNavmode(int mode);
    bool DeactivateNavmode(int mode);
    bool NavmodeActive(int mode) const { return mode >= 1 && mode <= 7 && (navmodes_ & (1u << mode)) != 0; }
    unsigned NavmodeMask() const { return navmodes_; }

    // ---- callbacks ----
    int ConsumeBufferedKey(DWORD key, bool down, char *kstate);
    int ConsumeDirectKey(char *kstate);
    bool DrawHud(int mode, const HUDPAINTSPEC &hps, oapi::Sketchpad &skp);

    // ---- lifecycle ----
    void MarkForDeletion() { deleteRequested_ = true; }
    bool MarkedForDeletion() const { return deleteRequested_; }
    bool postCreated = false;

private:
    Simulation &sim_;
    std::string name_;
    std::shared_ptr<const VesselClass> class_;
    std::shared_ptr<ModuleLibrary> module_;  // null for a generic vessel
    VESSEL *iface_ = nullptr;
    VESSEL2 *callbacks2_ = nullptr;
    VESSEL3 *callbacks3_ = nullptr;

    VECTOR3 rpos_ = {{0, 0, 0}};
    VECTOR3 rvel_ = {{0, 0, 0}};
    Orientation attitude_;
    VECTOR3 avel_ = {{0, 0, 0}};
    unsigned navmodes_ = 0;  // bit n: mode n active
    bool deleteRequested_ = false;
};

}  // namespace host

#endif
