#include "sim_vessel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "simulation.h"

namespace host {

VECTOR3 Affine::Apply(const VECTOR3 &x) const { return Mul(m, x) + t; }

SimVessel::SimVessel(Simulation &sim, std::string name, std::shared_ptr<const VesselClass> cls)
    : sim_(sim), name_(std::move(name)), class_(std::move(cls)) {}

SimVessel::~SimVessel() {
    if (iface_ != nullptr) {
        if (module_ != nullptr) {
            module_->Exit(iface_);
        } else {
            delete static_cast<GenericVessel *>(iface_);
        }
    }
    iface_ = nullptr;
    callbacks2_ = nullptr;
    callbacks3_ = nullptr;
    module_.reset();  // may unload the module, after its object is gone
}

void SimVessel::BindInterface(VESSEL *iface, std::shared_ptr<ModuleLibrary> module) {
    iface_ = iface;
    module_ = std::move(module);
    const int version = iface_ != nullptr ? iface_->Version() : -1;
    callbacks2_ = version >= 1 ? static_cast<VESSEL2 *>(iface_) : nullptr;
    callbacks3_ = version >= 2 ? static_cast<VESSEL3 *>(iface_) : nullptr;
}

// ---- definition ----

Propellant *SimVessel::CreatePropellant(double maxMass, double mass, double efficiency) {
    auto p = std::make_unique<Propellant>();
    p->index = static_cast<int>(propellants.size());
    p->maxMass = maxMass;
    p->mass = mass < 0 ? maxMass : std::min(mass, maxMass);
    p->efficiency = efficiency;
    propellants.push_back(std::move(p));
    return propellants.back().get();
}

Thruster *SimVessel::CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxThrust, Propellant *prop,
                                    double isp, double ispRef, double pRef) {
    auto t = std::make_unique<Thruster>();
    t->index = static_cast<int>(thrusters.size());
    t->pos = pos;
    const double len = length(dir);
    t->dir = len > 0 ? dir / len : _V(0, 0, 1);
    t->maxThrust = maxThrust;
    t->propellant = prop;
    t->isp = isp;
    t->ispRef = ispRef;
    t->pRef = pRef;
    thrusters.push_back(std::move(t));
    return thrusters.back().get();
}

ThrusterGroup *SimVessel::CreateThrusterGroup(const std::vector<Thruster *> &members, THGROUP_TYPE type) {
    // A group type names one group; defining it again replaces the old one.
    for (auto &g : thrusterGroups) {
        if (g->type == type && type != THGROUP_USER) {
            g->thrusters = members;
            return g.get();
        }
    }
    auto g = std::make_unique<ThrusterGroup>();
    g->index = static_cast<int>(thrusterGroups.size());
    g->type = type;
    g->thrusters = members;
    thrusterGroups.push_back(std::move(g));
    return thrusterGroups.back().get();
}

UINT SimVessel::AddExhaust(const Exhaust &exhaust) {
    exhausts.push_back(exhaust);
    return static_cast<UINT>(exhausts.size() - 1);
}

Airfoil *SimVessel::CreateAirfoil(AIRFOIL_ORIENTATION orientation, const VECTOR3 &ref, AirfoilCoeffFuncEx coeff,
                                  void *context, double chord, double area, double aspectRatio) {
    auto a = std::make_unique<Airfoil>();
    a->index = static_cast<int>(airfoils.size());
    a->orientation = orientation;
    a->ref = ref;
    a->coeff = coeff;
    a->context = context;
    a->chord = chord;
    a->area = area;
    a->aspectRatio = aspectRatio;
    airfoils.push_back(std::move(a));
    return airfoils.back().get();
}

Attachment *SimVessel::CreateAttachment(bool toParent, const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot,
                                        const std::string &id, bool loose) {
    auto a = std::make_unique<Attachment>();
    a->owner = this;
    a->toParent = toParent;
    a->index = AttachmentCount(toParent);
    a->pos = pos;
    a->dir = dir;
    a->rot = rot;
    a->id = id;
    a->loose = loose;
    attachments.push_back(std::move(a));
    return attachments.back().get();
}

UINT SimVessel::CreateAnimation(double initialState) {
    Animation anim;
    anim.defaultState = initialState;
    anim.state = initialState;
    animations.push_back(std::move(anim));
    return static_cast<UINT>(animations.size() - 1);
}

AnimationComponent *SimVessel::AddAnimationComponent(UINT anim, double state0, double state1,
                                                     MGROUP_TRANSFORM *transform, AnimationComponent *parent) {
    if (anim >= animations.size() || transform == nullptr) return nullptr;
    Animation &a = animations[anim];
    if (parent != nullptr) {
        const bool known = std::any_of(a.components.begin(), a.components.end(),
                                       [parent](const std::unique_ptr<AnimationComponent> &c) { return c.get() == parent; });
        if (!known) return nullptr;
    }
    auto c = std::make_unique<AnimationComponent>();
    c->index = static_cast<int>(a.components.size());
    c->state0 = state0;
    c->state1 = state1;
    c->transform = transform;
    c->parent = parent;
    a.components.push_back(std::move(c));
    return a.components.back().get();
}

bool SimVessel::SetAnimation(UINT anim, double state) {
    if (anim >= animations.size()) return false;
    animations[anim].state = state;
    return true;
}

bool SimVessel::Owns(const Propellant *p) const {
    return std::any_of(propellants.begin(), propellants.end(), [p](const auto &q) { return q.get() == p; });
}

bool SimVessel::Owns(const Thruster *t) const {
    return std::any_of(thrusters.begin(), thrusters.end(), [t](const auto &q) { return q.get() == t; });
}

bool SimVessel::Owns(const Attachment *a) const {
    return std::any_of(attachments.begin(), attachments.end(), [a](const auto &q) { return q.get() == a; });
}

ThrusterGroup *SimVessel::Group(THGROUP_TYPE type) const {
    for (const auto &g : thrusterGroups)
        if (g->type == type) return g.get();
    return nullptr;
}

bool SimVessel::SetThrusterGroupLevel(THGROUP_TYPE type, double level) {
    ThrusterGroup *g = Group(type);
    if (g == nullptr) return false;
    const double clamped = std::min(1.0, std::max(0.0, level));
    for (Thruster *t : g->thrusters) t->level = clamped;
    return true;
}

double SimVessel::ThrusterGroupLevel(THGROUP_TYPE type) const {
    const ThrusterGroup *g = Group(type);
    if (g == nullptr || g->thrusters.empty()) return 0.0;
    double sum = 0;
    for (const Thruster *t : g->thrusters) sum += t->level;
    return sum / static_cast<double>(g->thrusters.size());
}

Attachment *SimVessel::AttachmentAt(bool toParent, int index) const {
    for (const auto &a : attachments)
        if (a->toParent == toParent && a->index == index) return a.get();
    return nullptr;
}

int SimVessel::AttachmentCount(bool toParent) const {
    return static_cast<int>(
        std::count_if(attachments.begin(), attachments.end(), [toParent](const auto &a) { return a->toParent == toParent; }));
}

namespace {

// The map one component applies to its groups at fraction f of its range.
Affine ComponentMap(const MGROUP_TRANSFORM &t, double f) {
    Affine a{IdentityMatrix(), _V(0, 0, 0)};
    switch (t.Type()) {
        case MGROUP_TRANSFORM::ROTATE: {
            const auto &r = static_cast<const MGROUP_ROTATE &>(t);
            const double len = length(r.axis);
            if (len == 0) break;
            a.m = AxisRotation(r.axis / len, static_cast<double>(r.angle) * f);
            a.t = r.ref - Mul(a.m, r.ref);
            break;
        }
        case MGROUP_TRANSFORM::TRANSLATE:
            a.t = static_cast<const MGROUP_TRANSLATE &>(t).shift * f;
            break;
        case MGROUP_TRANSFORM::SCALE: {
            const auto &s = static_cast<const MGROUP_SCALE &>(t);
            MATRIX3 m = {{1 + (s.scale.x - 1) * f, 0, 0, 0, 1 + (s.scale.y - 1) * f, 0, 0, 0, 1 + (s.scale.z - 1) * f}};
            a.m = m;
            a.t = s.ref - Mul(m, s.ref);
            break;
        }
        default:
            break;
    }
    return a;
}

Affine Compose(const Affine &outer, const Affine &inner) {  // outer(inner(x))
    return Affine{Mul(outer.m, inner.m), Mul(outer.m, inner.t) + outer.t};
}

double Fraction(const AnimationComponent &c, double state) {
    if (c.state1 == c.state0) return state >= c.state1 ? 1.0 : 0.0;
    double f = (state - c.state0) / (c.state1 - c.state0);
    return std::min(1.0, std::max(0.0, f));
}

bool MovesGroup(const AnimationComponent &c, UINT mesh, UINT group) {
    const MGROUP_TRANSFORM *t = c.transform;
    if (t->mesh != mesh || t->grp == nullptr) return false;
    for (UINT i = 0; i < t->ngrp; ++i)
        if (t->grp[i] == group) return true;
    return false;
}

}  // namespace

Affine SimVessel::GroupTransform(UINT mesh, UINT group) const {
    // A component moves its own groups and, through the parent chain, a parent
    // carries its children along: x -> T_root(...T_parent(T_own(x))).
    Affine total{IdentityMatrix(), _V(0, 0, 0)};
    for (const Animation &anim : animations) {
        for (const auto &c : anim.components) {
            if (!MovesGroup(*c, mesh, group)) continue;
            Affine chain{IdentityMatrix(), _V(0, 0, 0)};
            for (const AnimationComponent *p = c.get(); p != nullptr; p = p->parent)
                chain = Compose(ComponentMap(*p->transform, Fraction(*p, anim.state)), chain);
            total = Compose(chain, total);
        }
    }
    return total;
}

// ---- state ----

VECTOR3 SimVessel::GlobalPos() const { return sim_.Body().globalPos + rpos_; }

double SimVessel::Mass() const {
    double m = emptyMass;
    for (const auto &p : propellants) m += p->mass;
    return m;
}

void SimVessel::GetStatus(VESSELSTATUS &status) const {
    std::memset(&status, 0, sizeof status);
    status.rpos = rpos_;
    status.rvel = rvel_;
    status.vrot = avel_;
    status.arot = attitude_.Angles();
    double maxFuel = 0, fuel = 0;
    for (const auto &p : propellants) {
        maxFuel += p->maxMass;
        fuel += p->mass;
    }
    status.fuel = maxFuel > 0 ? fuel / maxFuel : 0;
    status.eng_main = ThrusterGroupLevel(THGROUP_MAIN);
    status.rbody = nullptr;  // the central body is not an object of this host
    status.status = 0;
}

void SimVessel::DefSetState(const VESSELSTATUS &status) {
    // A vessel that hangs on a parent goes where the parent holds it.
    if (ParentLink() != nullptr) return;
    rpos_ = status.rpos;
    rvel_ = status.rvel;
    avel_ = status.vrot;
    attitude_.SetAngles(status.arot);
    // Bit 0 of flag[0] asks for the fuel level to be set, bit 1 the main thrust.
    if (status.flag[0] & 1) {
        for (auto &p : propellants) p->mass = p->maxMass * std::min(1.0, std::max(0.0, status.fuel));
    }
    if (status.flag[0] & 2) SetThrusterGroupLevel(THGROUP_MAIN, status.eng_main);
}

// ---- attachments ----

SimVessel *SimVessel::AttachedAt(const Attachment *point) const {
    return (point != nullptr && point->mate != nullptr) ? point->mate->owner : nullptr;
}

Attachment *SimVessel::ParentLink() const {
    for (const auto &a : attachments)
        if (a->toParent && a->mate != nullptr) return a.get();
    return nullptr;
}

SimVessel *SimVessel::Parent() const {
    Attachment *link = ParentLink();
    return link != nullptr ? link->mate->owner : nullptr;
}

// ---- navigation modes ----

namespace {
constexpr unsigned Bit(int mode) { return 1u << mode; }
// Modes 1 to 6 exclude one another, except that kill rotation may stand
// beside horizon level.
constexpr unsigned kExclusive = Bit(1) | Bit(2) | Bit(3) | Bit(4) | Bit(5) | Bit(6);
}  // namespace

bool SimVessel::ActivateNavmode(int mode) {
    if (mode < 1 || mode > 7) return false;
    if (navmodes_ & Bit(mode)) return false;
    if (Bit(mode) & kExclusive) {
        unsigned keep = 0;
        if (mode == NAVMODE_KILLROT) keep = Bit(NAVMODE_HLEVEL);
        if (mode == NAVMODE_HLEVEL) keep = Bit(NAVMODE_KILLROT);
        navmodes_ &= ~(kExclusive & ~keep);
    }
    navmodes_ |= Bit(mode);
    return true;
}

bool SimVessel::DeactivateNavmode(int mode) {
    if (mode < 1 || mode > 7 || !(navmodes_ & Bit(mode))) return false;
    navmodes_ &= ~Bit(mode);
    return true;
}


// ---- callbacks ----

int SimVessel::ConsumeBufferedKey(DWORD key, bool down, char *kstate) {
    VESSEL2 *cb = Callbacks();
    return cb != nullptr ? cb->clbkConsumeBufferedKey(key, down, kstate) : 0;
}

int SimVessel::ConsumeDirectKey(char *kstate) {
    VESSEL2 *cb = Callbacks();
    return cb != nullptr ? cb->clbkConsumeDirectKey(kstate) : 0;
}

bool SimVessel::DrawHud(int mode, const HUDPAINTSPEC &hps, oapi::Sketchpad &skp) {
    if (VESSEL3 *cb = Callbacks3()) return cb->clbkDrawHUD(mode, &hps, &skp);
    return false;
}

}  // namespace host
