#include "event_player.h"

#include <algorithm>
#include <cstring>

#include "api/recording_sketchpad.h"
#include "files/atomic_output_file.h"
#include "files/hud_picture.h"
#include "files/key_names.h"
#include "world/number_text.h"

namespace host {

namespace {

const char kKeyDown = static_cast<char>(0x80);
const double kHudFieldOfView = 40.0;  // vertical field of view of the drawn HUD [deg]
const int kHudMarkerFraction = 32;     // marker size as a fraction of the HUD height

}  // namespace

EventPlayer::EventPlayer(Simulation &sim, std::vector<ScriptEvent> events, SaveScenario save)
    : sim_(sim), events_(std::move(events)), save_(std::move(save)) {
    std::stable_sort(events_.begin(), events_.end(),
                     [](const ScriptEvent &a, const ScriptEvent &b) { return a.time < b.time; });
}

bool EventPlayer::CheckVessels(std::string *error) const {
    for (const ScriptEvent &e : events_) {
        if (e.action == EventAction::Save || sim_.FindVessel(e.vessel) != nullptr) continue;
        if (error != nullptr) *error = e.source + ": no vessel named " + e.vessel + " in the scenario";
        return false;
    }
    return true;
}

double EventPlayer::LastTime() const { return events_.empty() ? 0.0 : events_.back().time; }

bool EventPlayer::ApplyDue(double t, double tolerance, std::string *error) {
    held_.erase(std::remove_if(held_.begin(), held_.end(),
                               [&](const HeldKey &h) { return h.until <= t + tolerance; }),
                held_.end());
    while (next_ < events_.size() && events_[next_].time <= t + tolerance) {
        // Counted as applied first: a save it makes holds only what follows it.
        const ScriptEvent &e = events_[next_++];
        if (!Apply(e, t, error)) return false;
    }
    return true;
}

void EventPlayer::FillKeyboard(const std::string &vessel, char *kstate) const {
    std::memset(kstate, 0, 256);
    for (const HeldKey &h : held_)
        if (h.vessel == vessel) kstate[h.key] = kKeyDown;
}

bool EventPlayer::Apply(const ScriptEvent &e, double t, std::string *error) {
    auto fail = [&](const std::string &message) {
        if (error != nullptr) *error = e.source + ": " + message;
        return false;
    };
    if (e.action == EventAction::Save) {
        std::string why;
        if (!save_ || !save_(e.file, &why)) return fail(why);
        written_.push_back(e.file);
        return true;
    }
    SimVessel *v = sim_.FindVessel(e.vessel);
    if (v == nullptr) return fail("no vessel named " + e.vessel + " at " + FormatExact(t, 1) + " s");
    switch (e.action) {
        case EventAction::Key: {
            char kstate[256];
            FillKeyboard(e.vessel, kstate);
            const char keyBefore = kstate[e.key];
            if (e.shift) kstate[OAPI_KEY_LSHIFT] = kKeyDown;
            if (e.ctrl) kstate[OAPI_KEY_LCONTROL] = kKeyDown;
            kstate[e.key] = kKeyDown;
            v->ConsumeBufferedKey(e.key, true, kstate);
            kstate[e.key] = keyBefore;
            v->ConsumeBufferedKey(e.key, false, kstate);
            return true;
        }
        case EventAction::Hold:
            held_.push_back({e.vessel, e.key, t + e.seconds});
            return true;
        case EventAction::Navmode:
            if (e.on) {
                v->ActivateNavmode(e.mode);
            } else {
                v->DeactivateNavmode(e.mode);
            }
            return true;
        case EventAction::Thrust:
            if (!v->SetThrusterGroupLevel(THGROUP_MAIN, e.level))
                return fail("vessel " + e.vessel + " has no main thruster group");
            return true;
        case EventAction::Detach: {
            Attachment *point = v->AttachmentAt(false, e.index);
            if (point == nullptr)
                return fail("vessel " + e.vessel + " has no child attachment point " + std::to_string(e.index) +
                            " (it has " + std::to_string(v->AttachmentCount(false)) + ")");
            if (!sim_.DetachChild(point, e.speed))
                sim_.Warn(e.source + ": nothing hangs on child point " + std::to_string(e.index) + " of " + e.vessel);
            return true;
        }
        case EventAction::Hud: {
            RecordingSketchpad surface(e.width, e.height);
            HUDPAINTSPEC hps;
            hps.W = e.width;
            hps.H = e.height;
            hps.CX = e.width / 2;
            hps.CY = e.height / 2;
            hps.Scale = e.height / kHudFieldOfView;
            hps.Markersize = e.height / kHudMarkerFraction;
            v->DrawHud(kHudMode, hps, surface);
            std::string why;
            if (!WriteFileAtomically(e.file, HudPictureSvg(surface), &why)) return fail(why);
            written_.push_back(e.file);
            return true;
        }
        case EventAction::Save:
            break;
    }
    return true;
}

void EventPlayer::DeliverDirectKeys() {
    char kstate[256];
    // Without held keys only the focus vessel is asked; no need to look at every vessel.
    if (held_.empty()) {
        if (SimVessel *focus = sim_.Focus()) {
            FillKeyboard(focus->Name(), kstate);
            focus->ConsumeDirectKey(kstate);
        }
        return;
    }
    // Index loop: a callback may mark vessels, and vessels only go after the step.
    for (size_t i = 0; i < sim_.Vessels().size(); ++i) {
        SimVessel &v = *sim_.Vessels()[i];
        const bool holds =
            std::any_of(held_.begin(), held_.end(), [&](const HeldKey &h) { return h.vessel == v.Name(); });
        if (&v != sim_.Focus() && !holds) continue;
        FillKeyboard(v.Name(), kstate);
        v.ConsumeDirectKey(kstate);
    }
}

std::vector<std::string> EventPlayer::PendingLines(double t) const {
    std::vector<std::string> lines;
    for (const HeldKey &h : held_)
        if (RoundSeconds(h.until - t) > 0)
            lines.push_back("0 hold " + h.vessel + " " + KeyName(h.key) + " " + FormatSeconds(h.until - t));
    for (const auto &v : sim_.Vessels())
        for (int mode = 1; mode <= 7; ++mode)
            if (v->NavmodeActive(mode)) lines.push_back("0 navmode " + v->Name() + " " + std::to_string(mode) + " on");
    for (size_t i = next_; i < events_.size(); ++i) lines.push_back(FormatEvent(events_[i], t));
    return lines;
}

}  // namespace host
