// VESSEL's operations: each translates the module's call to the host-side
// vessel and, when the journal is on, records it with its arguments.
#include <cstring>

#include "host_interface.h"
#include "world/call_journal.h"
#include "world/sim_vessel.h"
#include "world/simulation.h"
#include "world/vessel_status_lines.h"

using host::CallJournal;
using host::JournalHandle;
using host::SimVessel;

namespace {

SimVessel &Sim(OBJHANDLE h) { return SimVessel::FromHandle(h); }

template <typename... Args>
__attribute__((noinline, cold)) void RecordCall(CallJournal &j, const SimVessel &v, const char *function,
                                                const Args &...args) {
    j.Record(v.Name(), function, args...);
}

// The journal is off on the simulation path: one test of a pointer, inline.
template <typename... Args>
inline void Rec(const SimVessel &v, const char *function, const Args &...args) {
    if (CallJournal *j = v.Journal(); __builtin_expect(j != nullptr, 0)) RecordCall(*j, v, function, args...);
}

JournalHandle Label(const char *kind, int index) { return JournalHandle{std::string(kind) + std::to_string(index)}; }
JournalHandle Null() { return JournalHandle{"null"}; }

JournalHandle PropLabel(const SimVessel &v, const void *h) {
    for (const auto &p : v.propellants)
        if (p.get() == h) return Label("propellant", p->index);
    return h == nullptr ? Null() : JournalHandle{"foreign"};
}

JournalHandle ThrusterLabel(const SimVessel &v, const void *h) {
    for (const auto &t : v.thrusters)
        if (t.get() == h) return Label("thruster", t->index);
    return h == nullptr ? Null() : JournalHandle{"foreign"};
}

JournalHandle AttachmentLabel(const SimVessel &v, const void *h) {
    for (const auto &a : v.attachments)
        if (a.get() == h) return JournalHandle{std::string(a->toParent ? "parent:" : "child:") + a->id};
    return h == nullptr ? Null() : JournalHandle{"foreign"};
}

JournalHandle TextureLabel(const void *tex) {
    return tex == nullptr ? Null() : JournalHandle{"texture:" + *static_cast<const std::string *>(tex)};
}

JournalHandle ComponentLabel(const SimVessel &v, const void *h) {
    if (h == nullptr) return Null();
    for (size_t a = 0; a < v.animations.size(); ++a)
        for (const auto &c : v.animations[a].components)
            if (c.get() == h) return JournalHandle{"component" + std::to_string(a) + "." + std::to_string(c->index)};
    return JournalHandle{"foreign"};
}

JournalHandle CallbackLabel(const void *f) { return f == nullptr ? Null() : JournalHandle{"function"}; }

std::string TransformText(const MGROUP_TRANSFORM *t) {
    if (t == nullptr) return "null";
    std::string s;
    switch (t->Type()) {
        case MGROUP_TRANSFORM::ROTATE: {
            auto r = static_cast<const MGROUP_ROTATE *>(t);
            s = "ROTATE ref " + CallJournal::Format(r->ref) + " axis " + CallJournal::Format(r->axis) + " angle " +
                CallJournal::Format(static_cast<double>(r->angle));
            break;
        }
        case MGROUP_TRANSFORM::TRANSLATE:
            s = "TRANSLATE " + CallJournal::Format(static_cast<const MGROUP_TRANSLATE *>(t)->shift);
            break;
        case MGROUP_TRANSFORM::SCALE: {
            auto sc = static_cast<const MGROUP_SCALE *>(t);
            s = "SCALE ref " + CallJournal::Format(sc->ref) + " scale " + CallJournal::Format(sc->scale);
            break;
        }
        default:
            s = "NULL";
    }
    s += " mesh " + std::to_string(t->mesh) + " groups [";
    for (UINT i = 0; t->grp != nullptr && i < t->ngrp; ++i) s += (i ? " " : "") + std::to_string(t->grp[i]);
    return s + "]";
}

}  // namespace

VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel)
    : version(0), vessel(hVessel), flightmodel(static_cast<short>(fmodel)) {}

VESSEL::~VESSEL() = default;

int VESSEL::Version() const { return version; }

OBJHANDLE VESSEL::GetHandle() const {
    Rec(Sim(vessel), "GetHandle");
    return vessel;
}

char *VESSEL::GetName() const { return const_cast<char *>(Sim(vessel).Name().c_str()); }

char *VESSEL::GetClassName() const { return const_cast<char *>(Sim(vessel).ClassName().c_str()); }

// ---- definition ----

void VESSEL::SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "SetCW", cw_z_pos, cw_z_neg, cw_x, cw_y);
    v.cw[0] = cw_z_pos;
    v.cw[1] = cw_z_neg;
    v.cw[2] = cw_x;
    v.cw[3] = cw_y;
}

void VESSEL::SetRotDrag(const VECTOR3 &rd) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "SetRotDrag", rd);
    v.rotDrag = rd;
}

void VESSEL::SetPMI(const VECTOR3 &pmi) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "SetPMI", pmi);
    v.pmi = pmi;
}

void VESSEL::SetCrossSections(const VECTOR3 &cs) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "SetCrossSections", cs);
    v.crossSections = cs;
}

void VESSEL::SetSize(double size) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "SetSize", size);
    v.size = size;
}

void VESSEL::SetEmptyMass(double m) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "SetEmptyMass", m);
    v.emptyMass = m;
}

UINT VESSEL::AddMesh(const char *meshname, const VECTOR3 *ofs) const {
    SimVessel &v = Sim(vessel);
    const VECTOR3 offset = ofs != nullptr ? *ofs : _V(0, 0, 0);
    if (ofs != nullptr) {
        Rec(v, "AddMesh", meshname, offset);
    } else {
        Rec(v, "AddMesh", meshname, Null());
    }
    host::MeshEntry mesh;
    mesh.name = meshname != nullptr ? meshname : "";
    mesh.offset = offset;
    v.meshes.push_back(mesh);
    return static_cast<UINT>(v.meshes.size() - 1);
}

void VESSEL::SetMeshVisibilityMode(UINT idx, WORD mode) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "SetMeshVisibilityMode", idx, static_cast<unsigned>(mode));
    if (idx < v.meshes.size()) v.meshes[idx].visibility = mode;
}

void VESSEL::SetCameraOffset(const VECTOR3 &co) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "SetCameraOffset", co);
    v.cameraOffset = co;
}

void VESSEL::SetTouchdownPoints(const TOUCHDOWNVTX *tdvtx, DWORD ntdvtx) const {
    SimVessel &v = Sim(vessel);
    if (CallJournal *j = v.Journal()) {
        std::string points;
        for (DWORD i = 0; tdvtx != nullptr && i < ntdvtx; ++i) {
            const TOUCHDOWNVTX &t = tdvtx[i];
            points += (i ? " " : "") + CallJournal::Format(t.pos) + "/" + CallJournal::Format(t.stiffness) + "/" +
                      CallJournal::Format(t.damping) + "/" + CallJournal::Format(t.mu) + "/" +
                      CallJournal::Format(t.mu_lng);
        }
        j->Record(v.Name(), "SetTouchdownPoints", JournalHandle{"[" + points + "]"}, static_cast<unsigned>(ntdvtx));
    }
    if (tdvtx == nullptr) return;
    v.touchdown.assign(tdvtx, tdvtx + ntdvtx);
}

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxmass, double mass, double efficiency) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "CreatePropellantResource", maxmass, mass, efficiency);
    return v.CreatePropellant(maxmass, mass, efficiency);
}

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0, PROPELLANT_HANDLE hp,
                                       double isp0, double isp_ref, double p_ref) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "CreateThruster", pos, dir, maxth0, PropLabel(v, hp), isp0, isp_ref, p_ref);
    host::Propellant *prop = v.Owns(static_cast<host::Propellant *>(hp)) ? static_cast<host::Propellant *>(hp) : nullptr;
    return v.CreateThruster(pos, dir, maxth0, prop, isp0, isp_ref, p_ref);
}

UINT VESSEL::AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, const VECTOR3 &pos, const VECTOR3 &dir,
                        SURFHANDLE tex) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "AddExhaust", ThrusterLabel(v, th), lscale, wscale, pos, dir, TextureLabel(tex));
    host::Exhaust e;
    e.thruster = v.Owns(static_cast<host::Thruster *>(th)) ? static_cast<host::Thruster *>(th) : nullptr;
    e.length = lscale;
    e.width = wscale;
    e.pos = pos;
    e.dir = dir;
    e.texture = tex;
    return v.AddExhaust(e);
}

THGROUP_HANDLE VESSEL::CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE type) const {
    SimVessel &v = Sim(vessel);
    std::vector<host::Thruster *> members;
    std::string list;
    for (int i = 0; th != nullptr && i < nth; ++i) {
        list += (i ? " " : "") + ThrusterLabel(v, th[i]).label;
        auto *t = static_cast<host::Thruster *>(th[i]);
        if (v.Owns(t)) members.push_back(t);
    }
    Rec(v, "CreateThrusterGroup", JournalHandle{"[" + list + "]"}, nth, static_cast<int>(type));
    return v.CreateThrusterGroup(members, type);
}

AIRFOILHANDLE VESSEL::CreateAirfoil3(AIRFOIL_ORIENTATION align, const VECTOR3 &ref, AirfoilCoeffFuncEx cf,
                                     void *context, double c, double S, double A) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "CreateAirfoil3", static_cast<int>(align), ref, CallbackLabel(reinterpret_cast<void *>(cf)),
        context == nullptr ? Null() : JournalHandle{"context"}, c, S, A);
    return v.CreateAirfoil(align, ref, cf, context, c, S, A);
}

ATTACHMENTHANDLE VESSEL::CreateAttachment(bool toparent, const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot,
                                          const char *id, bool loose) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "CreateAttachment", toparent, pos, dir, rot, id, loose);
    return v.CreateAttachment(toparent, pos, dir, rot, id != nullptr ? id : "", loose);
}

// ---- state ----

void VESSEL::GetStatus(VESSELSTATUS &status) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "GetStatus");
    v.GetStatus(status);
}

void VESSEL::DefSetState(const VESSELSTATUS *status) const {
    SimVessel &v = Sim(vessel);
    if (status == nullptr) {
        Rec(v, "DefSetState", Null());
        return;
    }
    Rec(v, "DefSetState", status->rpos, status->rvel, status->vrot, status->arot);
    v.DefSetState(*status);
}

void VESSEL::GetGlobalPos(VECTOR3 &pos) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "GetGlobalPos");
    pos = v.GlobalPos();
}

void VESSEL::GetAngularVel(VECTOR3 &avel) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "GetAngularVel");
    avel = v.AngularVel();
}

void VESSEL::SetAngularVel(const VECTOR3 &avel) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "SetAngularVel", avel);
    // An attached vessel turns with its parent.
    if (v.ParentLink() == nullptr) v.SetAngularVel(avel);
}

double VESSEL::GetEmptyMass() const {
    SimVessel &v = Sim(vessel);
    Rec(v, "GetEmptyMass");
    return v.emptyMass;
}

double VESSEL::GetPropellantMass(PROPELLANT_HANDLE ph) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "GetPropellantMass", PropLabel(v, ph));
    auto *p = static_cast<host::Propellant *>(ph);
    return v.Owns(p) ? p->mass : 0.0;
}

OBJHANDLE VESSEL::GetAttachmentStatus(ATTACHMENTHANDLE attachment) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "GetAttachmentStatus", AttachmentLabel(v, attachment));
    auto *a = static_cast<host::Attachment *>(attachment);
    if (!v.Owns(a)) return nullptr;
    SimVessel *other = v.AttachedAt(a);
    return other != nullptr ? other->Handle() : nullptr;
}

bool VESSEL::DetachChild(ATTACHMENTHANDLE attachment, double vel) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "DetachChild", AttachmentLabel(v, attachment), vel);
    auto *a = static_cast<host::Attachment *>(attachment);
    if (!v.Owns(a)) return false;
    return v.Sim().DetachChild(a, vel);
}

// ---- navigation modes ----

bool VESSEL::ActivateNavmode(int mode) {
    SimVessel &v = Sim(vessel);
    Rec(v, "ActivateNavmode", mode);
    return v.ActivateNavmode(mode);
}

bool VESSEL::DeactivateNavmode(int mode) {
    SimVessel &v = Sim(vessel);
    Rec(v, "DeactivateNavmode", mode);
    return v.DeactivateNavmode(mode);
}

bool VESSEL::GetNavmodeState(int mode) {
    SimVessel &v = Sim(vessel);
    Rec(v, "GetNavmodeState", mode);
    return v.NavmodeActive(mode);
}

// ---- animations ----

UINT VESSEL::CreateAnimation(double initial_state) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "CreateAnimation", initial_state);
    return v.CreateAnimation(initial_state);
}

ANIMATIONCOMPONENT_HANDLE VESSEL::AddAnimationComponent(UINT anim, double state0, double state1,
                                                        MGROUP_TRANSFORM *trans, ANIMATIONCOMPONENT_HANDLE parent) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "AddAnimationComponent", anim, state0, state1, JournalHandle{TransformText(trans)}, ComponentLabel(v, parent));
    return v.AddAnimationComponent(anim, state0, state1, trans, static_cast<host::AnimationComponent *>(parent));
}

bool VESSEL::SetAnimation(UINT anim, double state) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "SetAnimation", anim, state);
    return v.SetAnimation(anim, state);
}

// ---- scenario ----

void VESSEL::ParseScenarioLineEx(char *line, void *status) const {
    SimVessel &v = Sim(vessel);
    Rec(v, "ParseScenarioLineEx", static_cast<const char *>(line));
    host::PendingStatus scratch;
    host::PendingStatus &s = status != nullptr ? *static_cast<host::PendingStatus *>(status) : scratch;
    std::string where = s.source != nullptr ? s.source->Path() + ":" + std::to_string(s.source->Current().number) : "";
    std::string problem;
    switch (host::ParseHostLine(line, s, &problem)) {
        case host::HostLineResult::Taken:
        case host::HostLineResult::Ignored:
            break;
        case host::HostLineResult::Unknown:
            v.Sim().Warn(where + ": vessel " + v.Name() + ": unknown line '" + (line != nullptr ? line : "") + "'");
            break;
        case host::HostLineResult::Malformed:
            s.errors.push_back(where + ": vessel " + v.Name() + ": " + problem);
            break;
    }
}
