#include "simulation.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>

#include "host_log.h"
#include "propagation.h"
#include "rotation.h"
#include "vessel_status_lines.h"

namespace host {

namespace {

// Simulations in the order they were made; the newest one is current. A
// simulation may end before a newer one does.
std::vector<Simulation *> &Live() {
    static std::vector<Simulation *> live;
    return live;
}
Simulation *current = nullptr;  // Live().back(), kept at hand for the host calls of every step

// A right-handed frame whose first axis is dir and whose second lies in the
// plane of dir and rot; any perpendicular serves when rot is parallel to dir.
MATRIX3 AttachmentFrame(const VECTOR3 &dir, const VECTOR3 &rot) {
    const double len = length(dir);
    const VECTOR3 a = len > 0 ? dir / len : _V(0, 0, 1);
    VECTOR3 b = rot - a * dotp(a, rot);
    if (length(b) < 1e-12) {
        b = std::fabs(a.x) < 0.9 ? _V(1, 0, 0) : _V(0, 1, 0);
        b = b - a * dotp(a, b);
    }
    b = unit(b);
    return MatrixFromRows(a, b, crossp(a, b));
}

}  // namespace

Simulation::Simulation() {
    Live().push_back(this);
    current = this;
}

Simulation::~Simulation() {
    // Observers are not told of the end: they may be gone already.
    observers_.clear();
    // Children first would not matter: destruction detaches each vessel.
    while (!vessels_.empty()) DestroyVessel(vessels_.back().get());
    for (auto it = plugins_.rbegin(); it != plugins_.rend(); ++it) dlclose(*it);
    std::vector<Simulation *> &live = Live();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    current = live.empty() ? nullptr : live.back();
}

Simulation *Simulation::Current() { return current; }

// ---- classes and vessels ----

SimVessel *Simulation::CreateVessel(const std::string &name, const std::string &className, ScenarioBlockReader *block,
                                    std::string *error) {
    auto fail = [&](const std::string &message) -> SimVessel * {
        if (error != nullptr) *error = message;
        return nullptr;
    };
    if (name.empty()) return fail("a vessel needs a name");
    if (FindVessel(name) != nullptr) return fail("a vessel named " + name + " exists already");

    std::shared_ptr<const VesselClass> cls;
    auto known = classes_.find(className);
    if (known != classes_.end()) {
        cls = known->second;
    } else {
        std::string why;
        if (resolver_) cls = resolver_(className, &why);
        if (cls == nullptr) return fail(why.empty() ? "unknown vessel class " + className : why);
        classes_[className] = cls;
    }

    std::shared_ptr<ModuleLibrary> module;
    if (!cls->modulePath.empty()) {
        module = modules_[cls->modulePath].lock();
        if (module == nullptr) {
            std::string why;
            module = ModuleLibrary::Load(cls->modulePath, &why);
            if (module == nullptr) return fail("vessel class " + className + ": " + why);
            modules_[cls->modulePath] = module;
        }
    }

    auto vessel = std::make_unique<SimVessel>(*this, name, cls);
    if (module != nullptr) {
        VESSEL *iface = module->Init(vessel->Handle(), 1);
        if (iface == nullptr) return fail("module " + cls->modulePath + " made no vessel of class " + className);
        vessel->BindInterface(iface, module);
    } else {
        vessel->BindInterface(new GenericVessel(vessel->Handle(), 1), nullptr);
    }

    ApplyGenericDefinition(*vessel, cls->generic);
    if (VESSEL2 *cb = vessel->Callbacks()) cb->clbkSetClassCaps(cls->config.get());

    if (block != nullptr) {
        PendingStatus status;
        status.source = block;
        if (VESSEL2 *cb = vessel->Callbacks()) {
            cb->clbkLoadStateEx(block, &status);
        } else {
            char *line = nullptr;
            while (block->Next(line)) vessel->Interface()->ParseScenarioLineEx(line, &status);
        }
        if (!status.errors.empty()) return fail(status.errors.front());
        std::string why;
        if (!ApplyPendingStatus(*vessel, status, &why)) return fail(why);
    }

    byName_[name] = vessel.get();
    vessels_.push_back(std::move(vessel));
    return vessels_.back().get();
}

void Simulation::ApplyGenericDefinition(SimVessel &v, const GenericDefinition &def) {
    if (def.hasMass) v.emptyMass = def.mass;
    if (def.hasSize) v.size = def.size;
    for (const GenericAttachment &a : def.attachments) v.CreateAttachment(a.toParent, a.pos, a.dir, a.rot, a.id, false);
}

bool Simulation::ApplyPendingStatus(SimVessel &v, const PendingStatus &s, std::string *error) {
    const std::string where = s.source != nullptr ? s.source->Path() : std::string();
    if (!s.statusBody.empty() && s.statusBody != body_.name) {
        if (error != nullptr)
            *error = where + ":" + std::to_string(s.statusLine) + ": vessel " + v.Name() + " orbits " + s.statusBody +
                     ", but this host models only " + body_.name;
        return false;
    }
    if (s.hasPos) v.SetRelPos(s.rpos);
    if (s.hasVel) v.SetRelVel(s.rvel);
    if (s.hasRot) v.SetAttitudeAngles(s.arotDeg * RAD);
    if (s.hasAngVel) v.SetAngularVel(s.vrotDeg * RAD);
    // A block with a STATUS line is a whole state as the simulator writes it,
    // and the simulator lists only tanks that hold something: a tank that
    // PRPLEVEL does not name is empty, so an empty tank stays empty on resume.
    if (!s.statusBody.empty())
        for (auto &p : v.propellants) p->mass = 0;
    for (const auto &level : s.propellantLevels) {
        if (level.first >= static_cast<int>(v.propellants.size())) {
            Warn(where + ":" + std::to_string(s.propellantLine) + ": vessel " + v.Name() + " has no propellant tank " +
                 std::to_string(level.first));
            continue;
        }
        Propellant &p = *v.propellants[level.first];
        p.mass = level.second * p.maxMass;
    }
    for (const auto &level : s.thrusterLevels) {
        if (level.first >= static_cast<int>(v.thrusters.size())) {
            Warn(where + ":" + std::to_string(s.thrusterLine) + ": vessel " + v.Name() + " has no thruster " +
                 std::to_string(level.first));
            continue;
        }
        v.thrusters[level.first]->level = level.second;
    }
    if (s.attached) {
        pendingAttachments_.push_back({&v, s.attachChild, s.attachParent, s.attachParentName, where, s.attachLine});
    }
    return true;
}

bool Simulation::FinishCreation(std::string *error) {
    std::vector<PendingAttachment> links;
    links.swap(pendingAttachments_);
    for (const PendingAttachment &link : links) {
        const std::string where = link.file + ":" + std::to_string(link.line) + ": ";
        SimVessel *parent = FindVessel(link.parentName);
        if (parent == nullptr) {
            if (error != nullptr) *error = where + link.child->Name() + " is attached to unknown vessel " + link.parentName;
            return false;
        }
        Attachment *childPoint = link.child->AttachmentAt(true, link.childPoint);
        Attachment *parentPoint = parent->AttachmentAt(false, link.parentPoint);
        if (childPoint == nullptr || parentPoint == nullptr) {
            if (error != nullptr)
                *error = where + link.child->Name() + ":" + std::to_string(link.childPoint) + " cannot attach to " +
                         link.parentName + ":" + std::to_string(link.parentPoint) + ", no such attachment point";
            return false;
        }
        std::string why;
        if (!Attach(parentPoint, childPoint, &why)) {
            if (error != nullptr) *error = where + why;
            return false;
        }
    }
    // A vessel's post-creation may create others; index, not iterators.
    for (size_t i = 0; i < vessels_.size(); ++i) {
        SimVessel &v = *vessels_[i];
        if (v.postCreated) continue;
        v.postCreated = true;
        if (VESSEL2 *cb = v.Callbacks()) cb->clbkPostCreation();
    }
    return true;
}

SimVessel *Simulation::FindVessel(const std::string &name) const {
    const auto it = byName_.find(name);
    return it != byName_.end() ? it->second : nullptr;
}

void Simulation::DestroyVessel(SimVessel *vessel) {
    auto it = std::find_if(vessels_.begin(), vessels_.end(), [vessel](const auto &v) { return v.get() == vessel; });
    if (it == vessels_.end()) return;
    for (StepObserver *o : observers_) o->Removing(*this, *vessel);
    DetachFromParent(*vessel);
    for (const auto &a : vessel->attachments)
        if (!a->toParent && a->mate != nullptr) DetachFromParent(*a->mate->owner);
    if (focus_ == vessel) focus_ = nullptr;
    pendingAttachments_.erase(std::remove_if(pendingAttachments_.begin(), pendingAttachments_.end(),
                                             [vessel](const PendingAttachment &p) { return p.child == vessel; }),
                              pendingAttachments_.end());
    std::unique_ptr<SimVessel> doomed = std::move(*it);
    byName_.erase(vessel->Name());
    vessels_.erase(it);
    doomed.reset();
}

// ---- plugins ----

bool Simulation::LoadPlugin(const std::string &path, std::string *error) {
    void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error != nullptr) {
            const char *why = dlerror();
            *error = "cannot load plugin " + path + (why != nullptr ? std::string(": ") + why : std::string());
        }
        return false;
    }
    plugins_.push_back(handle);
    HostLog::Instance().Write("Plugin " + path);
    return true;
}

// ---- attachments ----

bool Simulation::Attach(Attachment *parentPoint, Attachment *childPoint, std::string *error) {
    auto fail = [&](const std::string &m) {
        if (error != nullptr) *error = m;
        return false;
    };
    if (parentPoint == nullptr || childPoint == nullptr) return fail("no attachment point");
    if (parentPoint->toParent || !childPoint->toParent) return fail("a child's to-parent point goes on a parent's to-child point");
    SimVessel &parent = *parentPoint->owner;
    SimVessel &child = *childPoint->owner;
    if (&parent == &child) return fail(child.Name() + " cannot be attached to itself");
    if (parentPoint->mate != nullptr)
        return fail(parent.Name() + " point " + parentPoint->id + " already holds " + parentPoint->mate->owner->Name());
    if (child.ParentLink() != nullptr) return fail(child.Name() + " is already attached to " + child.Parent()->Name());
    for (SimVessel *up = &parent; up != nullptr; up = up->Parent())
        if (up == &child) return fail(child.Name() + " cannot be attached below itself");
    parentPoint->mate = childPoint;
    childPoint->mate = parentPoint;
    PlaceAttached(child);
    return true;
}

void Simulation::PlaceAttached(SimVessel &child) {
    Attachment *link = child.ParentLink();
    if (link == nullptr) return;
    const Attachment &pp = *link->mate;
    const SimVessel &parent = *pp.owner;
    const MATRIX3 &mp = parent.Attitude().Matrix();

    // The child's point faces the parent's, and the rotation references agree.
    const MATRIX3 parentFrame = AttachmentFrame(pp.dir, pp.rot);  // rows in the parent's frame
    const VECTOR3 dirG = TMul(mp, Row(parentFrame, 0));
    const VECTOR3 rotG = TMul(mp, Row(parentFrame, 1));
    const MATRIX3 target = MatrixFromRows(-dirG, rotG, crossp(-dirG, rotG));  // rows in the global frame
    const MATRIX3 childFrame = AttachmentFrame(link->dir, link->rot);         // rows in the child's frame
    const MATRIX3 mc = Mul(Transpose(childFrame), target);
    child.SetAttitudeMatrix(mc);

    const VECTOR3 pointG = parent.RelPos() + TMul(mp, pp.pos);
    const VECTOR3 pos = pointG - TMul(mc, link->pos);
    const VECTOR3 omegaG = TMul(mp, parent.AngularVel());
    child.SetRelPos(pos);
    child.SetRelVel(parent.RelVel() + crossp(omegaG, pos - parent.RelPos()));
    child.SetAngularVel(Mul(mc, omegaG));

    for (const auto &a : child.attachments)
        if (!a->toParent && a->mate != nullptr) PlaceAttached(*a->mate->owner);
}

bool Simulation::DetachChild(Attachment *parentPoint, double speed) {
    if (parentPoint == nullptr || parentPoint->toParent || parentPoint->mate == nullptr) return false;
    SimVessel &child = *parentPoint->mate->owner;
    PlaceAttached(child);  // the child leaves from where the parent holds it now
    // It keeps the parent's velocity, gains the parent's rotational velocity at
    // the attachment point and the separation speed along the point's direction.
    const SimVessel &parent = *parentPoint->owner;
    const MATRIX3 &mp = parent.Attitude().Matrix();
    const VECTOR3 dirG = TMul(mp, Row(AttachmentFrame(parentPoint->dir, parentPoint->rot), 0));
    const VECTOR3 omegaG = TMul(mp, parent.AngularVel());
    const VECTOR3 lever = TMul(mp, parentPoint->pos);  // from the parent's centre to the point
    child.SetRelVel(parent.RelVel() + crossp(omegaG, lever) + dirG * speed);
    parentPoint->mate->mate = nullptr;
    parentPoint->mate = nullptr;
    for (StepObserver *o : observers_) o->Detached(*this, parent, child, speed);
    return true;
}

void Simulation::DetachFromParent(SimVessel &child) {
    Attachment *link = child.ParentLink();
    if (link == nullptr) return;
    link->mate->mate = nullptr;
    link->mate = nullptr;
}

// ---- time ----

void Simulation::Step(double dt) {
    simStep_ = dt;
    const double t0 = simTime_;
    const double mjd0 = Mjd();
    // Index loops: a callback may create or mark vessels.
    for (size_t i = 0; i < vessels_.size(); ++i)
        if (VESSEL2 *cb = vessels_[i]->Callbacks()) cb->clbkPreStep(t0, dt, mjd0);
    for (StepObserver *o : observers_) o->PreStepsDone(*this, stepCount_ + 1, t0, dt);
    UpdateStates(dt);
    simTime_ = t0 + dt;
    ++stepCount_;
    for (StepObserver *o : observers_) o->StatesUpdated(*this, stepCount_, simTime_, dt);
    const double mjd1 = Mjd();
    for (size_t i = 0; i < vessels_.size(); ++i)
        if (VESSEL2 *cb = vessels_[i]->Callbacks()) cb->clbkPostStep(simTime_, dt, mjd1);
    RemoveMarkedVessels();
}

void Simulation::UpdateStates(double dt) {
    for (const auto &v : vessels_) {
        if (v->ParentLink() != nullptr) continue;
        PropagateFree(*v, dt, body_);
        for (const auto &a : v->attachments)
            if (!a->toParent && a->mate != nullptr) PlaceAttached(*a->mate->owner);
    }
}

void Simulation::RemoveMarkedVessels() {
    for (size_t i = vessels_.size(); i-- > 0;) {
        if (i < vessels_.size() && vessels_[i]->MarkedForDeletion()) DestroyVessel(vessels_[i].get());
    }
}

// ---- random numbers ----

double Simulation::Rand() {
    if (randSource_) return randSource_();
    // 53 random bits: uniform in [0, 1).
    return static_cast<double>(rng_() >> 11) * 0x1.0p-53;
}

// ---- observers ----

void Simulation::AddObserver(StepObserver *observer) {
    if (observer != nullptr && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void Simulation::RemoveObserver(StepObserver *observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

// ---- diagnostics ----

void Simulation::EnableJournal(bool on) {
    if (on && journal_ == nullptr) journal_ = std::make_unique<CallJournal>();
    if (!on) journal_.reset();
}

void Simulation::Warn(const std::string &message) {
    warnings_.push_back(message);
    HostLog::Instance().Write("warning: " + message);
}

}  // namespace host
