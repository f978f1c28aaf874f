#include "vessel_status_lines.h"

#include <cstring>
#include <vector>

#include "number_text.h"
#include "sim_vessel.h"
#include "simulation.h"
#include "text_words.h"

namespace host {

namespace {

bool ReadVector(const std::vector<std::string> &w, VECTOR3 &v) {
    return w.size() == 4 && ParseDouble(w[1], v.x) && ParseDouble(w[2], v.y) && ParseDouble(w[3], v.z);
}

// "c:p,name"
bool ReadAttached(const std::string &value, PendingStatus &s) {
    const size_t colon = value.find(':'), comma = value.find(',');
    if (colon == std::string::npos || comma == std::string::npos || comma < colon) return false;
    int c = 0, p = 0;
    if (!ParseInt(value.substr(0, colon), c) || !ParseInt(value.substr(colon + 1, comma - colon - 1), p)) return false;
    std::string name = value.substr(comma + 1);
    if (c < 0 || p < 0 || name.empty()) return false;
    s.attached = true;
    s.attachChild = c;
    s.attachParent = p;
    s.attachParentName = name;
    s.attachLine = s.source != nullptr ? s.source->Current().number : 0;
    return true;
}

// "i:level i:level ..."
bool ReadLevels(const std::vector<std::string> &w, std::vector<std::pair<int, double>> &levels) {
    if (w.size() < 2) return false;
    for (size_t k = 1; k < w.size(); ++k) {
        const size_t colon = w[k].find(':');
        int index = 0;
        double level = 0;
        if (colon == std::string::npos || !ParseInt(w[k].substr(0, colon), index) ||
            !ParseDouble(w[k].substr(colon + 1), level) || index < 0 || level < 0 || level > 1)
            return false;
        levels.emplace_back(index, level);
    }
    return true;
}

// Lines the simulator writes for systems this host does not model.
const char *const kIgnoredKeys[] = {"NAVFREQ", "XPDR", "AFCMODE", "RCSMODE", "DOCKINFO", "IDS", "FLIGHTDATA"};

}  // namespace

HostLineResult ParseHostLine(const char *line, PendingStatus &s, std::string *problem) {
    const std::vector<std::string> w = Words(line != nullptr ? line : "");
    if (w.empty()) return HostLineResult::Ignored;
    const std::string key = Upper(w[0]);
    auto bad = [&](const char *what) {
        if (problem != nullptr) *problem = std::string("cannot read ") + what + " from '" + line + "'";
        return HostLineResult::Malformed;
    };
    if (key == "STATUS") {
        if (w.size() != 3 || Upper(w[1]) != "ORBITING") return bad("STATUS (only 'STATUS Orbiting <body>' is modelled)");
        s.statusBody = w[2];
        s.statusLine = s.source != nullptr ? s.source->Current().number : 0;
        return HostLineResult::Taken;
    }
    if (key == "RPOS") return ReadVector(w, s.rpos) ? (s.hasPos = true, HostLineResult::Taken) : bad("RPOS x y z");
    if (key == "RVEL") return ReadVector(w, s.rvel) ? (s.hasVel = true, HostLineResult::Taken) : bad("RVEL x y z");
    if (key == "AROT") return ReadVector(w, s.arotDeg) ? (s.hasRot = true, HostLineResult::Taken) : bad("AROT a b c");
    if (key == "VROT") return ReadVector(w, s.vrotDeg) ? (s.hasAngVel = true, HostLineResult::Taken) : bad("VROT x y z");
    if (key == "ATTACHED")
        return (w.size() == 2 && ReadAttached(w[1], s)) ? HostLineResult::Taken : bad("ATTACHED c:p,name");
    const int number = s.source != nullptr ? s.source->Current().number : 0;
    if (key == "PRPLEVEL") {
        s.propellantLine = number;
        return ReadLevels(w, s.propellantLevels) ? HostLineResult::Taken : bad("PRPLEVEL i:level");
    }
    if (key == "THLEVEL") {
        s.thrusterLine = number;
        return ReadLevels(w, s.thrusterLevels) ? HostLineResult::Taken : bad("THLEVEL i:level");
    }
    for (const char *ignored : kIgnoredKeys)
        if (key == ignored) return HostLineResult::Ignored;
    return HostLineResult::Unknown;
}

void WriteHostLines(const SimVessel &v, ScenarioBlockWriter &out) {
    out.Write("STATUS", "Orbiting " + v.Sim().Body().name);
    if (const Attachment *link = v.ParentLink()) {
        out.Write("ATTACHED", std::to_string(link->index) + ":" + std::to_string(link->mate->index) + "," +
                                  link->mate->owner->Name());
    } else {
        auto vec = [](const VECTOR3 &p, int decimals) {
            return FormatExact(p.x, decimals) + " " + FormatExact(p.y, decimals) + " " + FormatExact(p.z, decimals);
        };
        auto degrees = [](const VECTOR3 &p, int decimals) {
            return FormatScaledExact(p.x, RAD, decimals) + " " + FormatScaledExact(p.y, RAD, decimals) + " " +
                   FormatScaledExact(p.z, RAD, decimals);
        };
        out.Write("RPOS", vec(v.RelPos(), 3));
        out.Write("RVEL", vec(v.RelVel(), 4));
        out.Write("AROT", degrees(v.Attitude().Angles(), 3));
        const VECTOR3 &w = v.AngularVel();
        if (w.x != 0 || w.y != 0 || w.z != 0) out.Write("VROT", degrees(w, 4));
    }
    std::string levels;
    for (const auto &p : v.propellants) {
        if (p->mass <= 0 || p->maxMass <= 0) continue;
        if (!levels.empty()) levels += ' ';
        levels += std::to_string(p->index) + ":" + FormatScaledExact(p->mass, p->maxMass, 6);
    }
    if (!levels.empty()) out.Write("PRPLEVEL", levels);
    // Thrusters that burn, so that a resumed run goes on burning.
    std::string thrust;
    for (const auto &t : v.thrusters) {
        if (t->level <= 0) continue;
        if (!thrust.empty()) thrust += ' ';
        thrust += std::to_string(t->index) + ":" + FormatExact(t->level, 6);
    }
    if (!thrust.empty()) out.Write("THLEVEL", thrust);
}

}  // namespace host
