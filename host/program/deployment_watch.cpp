#include "deployment_watch.h"

#include <cmath>
#include <limits>

#include "world/rotation.h"

namespace host {

namespace {

const char kStackClass[] = "quorvane_stack";

bool IsSatellite(const SimVessel &v) { return v.ClassName() == "quorvane_odd" || v.ClassName() == "quorvane_even"; }
bool IsStack(const SimVessel &v) { return v.ClassName() == kStackClass; }

// The state of a satellite's solar array: its first animation.
double ArrayState(const SimVessel &v) { return v.animations.empty() ? 0.0 : v.animations.front().state; }

StepMoment At(unsigned long long step, double time) {
    StepMoment m;
    m.seen = true;
    m.step = step;
    m.time = time;
    return m;
}

StepMoment BeforeStart() {
    StepMoment m;
    m.beforeStart = true;
    return m;
}

}  // namespace

DeploymentWatch::DeploymentWatch(Simulation &sim) : sim_(sim) {
    for (const auto &v : sim.Vessels()) Track(*v);
    vesselsSeen_ = sim.Vessels().size();
    sim_.AddObserver(this);
}

DeploymentWatch::~DeploymentWatch() { sim_.RemoveObserver(this); }

void DeploymentWatch::Track(const SimVessel &v) {
    if (IsSatellite(v)) {
        if (satelliteIndex_.count(&v) != 0) return;
        satelliteIndex_[&v] = figures_.satellites.size();
        SatelliteRecord r;
        r.name = v.Name();
        figures_.satellites.push_back(r);
        satellites_.push_back({&v, ArrayState(v)});
    } else if (IsStack(v)) {
        if (stackIndex_.count(&v) != 0) return;
        stackIndex_[&v] = figures_.stacks.size();
        StackRecord r;
        r.name = v.Name();
        figures_.stacks.push_back(r);
    }
}

void DeploymentWatch::PreStepsDone(const Simulation &sim, unsigned long long step, double t0, double dt) {
    // Vessels made during the run are watched from their first step on.
    if (sim.Vessels().size() != vesselsSeen_) {
        for (const auto &v : sim.Vessels()) Track(*v);
        vesselsSeen_ = sim.Vessels().size();
    }
    for (size_t i = 0; i < satellites_.size(); ++i) {
        Watched &w = satellites_[i];
        if (w.vessel == nullptr) continue;
        SatelliteRecord &r = figures_.satellites[i];
        const double array = ArrayState(*w.vessel);
        // An array already out before the start was activated before it.
        if (!r.activation.seen && !r.activation.beforeStart && array > 0)
            r.activation = w.lastArray > 0 ? BeforeStart() : At(step, t0);
        if (!r.deployment.seen && !r.deployment.beforeStart && array >= 1) {
            r.deployment = w.lastArray >= 1 ? BeforeStart() : At(step, t0 + dt);
            ++deployed_;
        }
        w.lastArray = array;
        if (r.activation.seen || r.activation.beforeStart) {
            const double error = NadirError(*w.vessel);
            if (error > figures_.nadirErrorAfterPreStep) figures_.nadirErrorAfterPreStep = error;
            figures_.hasPointing = true;
        }
    }
}

void DeploymentWatch::StatesUpdated(const Simulation &, unsigned long long, double t1, double) {
    for (size_t i = 0; i < satellites_.size(); ++i) {
        const Watched &w = satellites_[i];
        const SatelliteRecord &r = figures_.satellites[i];
        if (w.vessel == nullptr || !(r.activation.seen || r.activation.beforeStart)) continue;
        const double error = NadirError(*w.vessel);
        if (error > figures_.nadirErrorAtStepEnd) figures_.nadirErrorAtStepEnd = error;
    }
    MeasureClosest(t1);
}

void DeploymentWatch::Detached(const Simulation &sim, const SimVessel &parent, const SimVessel &child, double) {
    // The moment: within a step, the step running; between steps, the next one.
    const unsigned long long step = sim.StepCount() + 1;
    const double t = sim.SimTime();
    Track(parent);
    Track(child);
    auto stack = stackIndex_.find(&child);
    if (stack != stackIndex_.end()) {
        StackRecord &r = figures_.stacks[stack->second];
        r.carrier = parent.Name();
        r.letGo = At(step, t);
        return;
    }
    auto sat = satelliteIndex_.find(&child);
    if (sat == satelliteIndex_.end()) return;
    SatelliteRecord &r = figures_.satellites[sat->second];
    if (r.release.seen) return;  // set free once; a later detach does not count again
    r.releasedBy = parent.Name();
    r.release = At(step, t);
    r.separationSpeed = length(child.RelVel() - parent.RelVel());
    figures_.releaseOrder.push_back(sat->second);
    ++released_;
    points_.clear();  // one more to watch
    auto by = stackIndex_.find(&parent);
    if (by != stackIndex_.end()) {
        StackRecord &s = figures_.stacks[by->second];
        if (!s.release.seen) s.release = At(step, t);
        ++s.satellitesReleased;
    }
}

void DeploymentWatch::Removing(const Simulation &sim, const SimVessel &vessel) {
    auto stack = stackIndex_.find(&vessel);
    if (stack != stackIndex_.end()) {
        figures_.stacks[stack->second].removal = At(sim.StepCount(), sim.SimTime());
        stackIndex_.erase(stack);
        return;
    }
    auto sat = satelliteIndex_.find(&vessel);
    if (sat == satelliteIndex_.end()) return;
    figures_.satellites[sat->second].present = false;
    satellites_[sat->second].vessel = nullptr;
    satelliteIndex_.erase(sat);
    points_.clear();
}

bool DeploymentWatch::AllDeployed() const {
    for (const SatelliteRecord &r : figures_.satellites)
        if (r.present && !r.deployment.seen && !r.deployment.beforeStart) return false;
    return true;
}

const DeploymentFigures &DeploymentWatch::Figures() {
    const std::vector<size_t> &order = figures_.releaseOrder;
    figures_.hasSpread = false;
    if (order.size() >= 2) {
        const SimVessel *first = satellites_[order.front()].vessel;
        const SimVessel *last = satellites_[order.back()].vessel;
        if (first != nullptr && last != nullptr) {
            figures_.hasSpread = true;
            figures_.spread = length(last->RelPos() - first->RelPos());
        }
    }
    return figures_;
}

double DeploymentWatch::NadirError(const SimVessel &v) {
    const VECTOR3 down = -Row(v.Attitude().Matrix(), 1);
    const VECTOR3 toCentre = -v.RelPos();
    // The arctangent keeps small angles exact, where the arccosine would not.
    return std::atan2(length(crossp(down, toCentre)), dotp(down, toCentre));
}

void DeploymentWatch::MeasureClosest(double t1) {
    if (points_.empty()) {
        for (size_t i : figures_.releaseOrder)
            if (satellites_[i].vessel != nullptr) points_.push_back({satellites_[i].vessel->RelPos(), i});
    } else {
        for (Point &p : points_) p.pos = satellites_[p.index].vessel->RelPos();
    }
    if (points_.size() < 2) return;

    // The axis along which they spread most, so that few pairs lie closer
    // along it than the closest pair so far.
    VECTOR3 lo = points_.front().pos, hi = lo;
    for (const Point &p : points_) {
        for (int k = 0; k < 3; ++k) {
            lo.data[k] = std::min(lo.data[k], p.pos.data[k]);
            hi.data[k] = std::max(hi.data[k], p.pos.data[k]);
        }
    }
    int axis = 0;
    for (int k = 1; k < 3; ++k)
        if (hi.data[k] - lo.data[k] > hi.data[axis] - lo.data[axis]) axis = k;
    // Insertion sort: between steps the order barely changes.
    for (size_t i = 1; i < points_.size(); ++i) {
        const Point p = points_[i];
        size_t j = i;
        for (; j > 0 && points_[j - 1].pos.data[axis] > p.pos.data[axis]; --j) points_[j] = points_[j - 1];
        points_[j] = p;
    }

    double best = figures_.hasClosest ? figures_.closestDistance : std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < points_.size(); ++i) {
        for (size_t j = i + 1; j < points_.size(); ++j) {
            if (points_[j].pos.data[axis] - points_[i].pos.data[axis] >= best) break;
            const double d = length(points_[j].pos - points_[i].pos);
            if (d < best) {
                best = d;
                figures_.hasClosest = true;
                figures_.closestDistance = d;
                figures_.closestA = std::min(points_[i].index, points_[j].index);
                figures_.closestB = std::max(points_[i].index, points_[j].index);
                figures_.closestTime = t1;
            }
        }
    }
}

}  // namespace host
