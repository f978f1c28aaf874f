// The host interface's free functions.
#include <dlfcn.h>
#include <link.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>

#include "host_interface.h"
#include "api/host_exports.h"
#include "world/call_journal.h"
#include "world/host_log.h"
#include "world/number_text.h"
#include "world/scenario_stream.h"
#include "world/simulation.h"

using host::CallJournal;
using host::Simulation;

namespace {

template <typename... Args>
__attribute__((noinline, cold)) void RecordCall(CallJournal &j, const char *function, const Args &...args) {
    j.Record("", function, args...);
}

// The journal is off on the simulation path: one test of a pointer, inline.
template <typename... Args>
inline void Rec(const char *function, const Args &...args) {
    Simulation *sim = Simulation::Current();
    CallJournal *j = sim != nullptr ? sim->Journal() : nullptr;
    if (__builtin_expect(j != nullptr, 0)) RecordCall(*j, function, args...);
}

// Textures live as long as the process; a handle is the address of the name.
const std::string *RegisterTexture(const char *name) {
    static std::deque<std::string> textures;
    for (const std::string &t : textures)
        if (t == name) return &t;
    textures.emplace_back(name);
    return &textures.back();
}

bool KnownVessel(Simulation *sim, OBJHANDLE h) {
    if (sim == nullptr || h == nullptr) return false;
    for (const auto &v : sim->Vessels())
        if (v.get() == h) return true;
    return false;
}

}  // namespace

double oapiGetSimTime() {
    Simulation *sim = Simulation::Current();
    return sim != nullptr ? sim->SimTime() : 0.0;
}

double oapiGetSimStep() {
    Rec("oapiGetSimStep");
    Simulation *sim = Simulation::Current();
    return sim != nullptr ? sim->SimStep() : 0.0;
}

double oapiGetSimMJD() {
    Simulation *sim = Simulation::Current();
    return sim != nullptr ? sim->Mjd() : 0.0;
}

double oapiRand() {
    Rec("oapiRand");
    Simulation *sim = Simulation::Current();
    return sim != nullptr ? sim->Rand() : 0.0;
}

bool oapiDeleteVessel(OBJHANDLE hVessel, OBJHANDLE hAlternativeCameraTarget) {
    Simulation *sim = Simulation::Current();
    const char *name = KnownVessel(sim, hVessel) ? host::SimVessel::FromHandle(hVessel).Name().c_str() : "unknown";
    Rec("oapiDeleteVessel", name, hAlternativeCameraTarget == nullptr ? "null" : "camera target");
    if (!KnownVessel(sim, hVessel)) return false;
    host::SimVessel &v = host::SimVessel::FromHandle(hVessel);
    v.MarkForDeletion();
    if (KnownVessel(sim, hAlternativeCameraTarget) && sim->Focus() == &v)
        sim->SetFocus(&host::SimVessel::FromHandle(hAlternativeCameraTarget));
    return true;
}

OBJHANDLE oapiGetVesselByName(char *name) {
    Simulation *sim = Simulation::Current();
    if (sim == nullptr || name == nullptr) return nullptr;
    host::SimVessel *v = sim->FindVessel(name);
    return v != nullptr ? v->Handle() : nullptr;
}

OBJHANDLE oapiGetFocusObject() {
    Simulation *sim = Simulation::Current();
    return (sim != nullptr && sim->Focus() != nullptr) ? sim->Focus()->Handle() : nullptr;
}

double oapiGetWaveDrag(double M, double M1, double M2, double M3, double cmax) {
    Rec("oapiGetWaveDrag", M, M1, M2, M3, cmax);
    if (M < M1) return 0.0;
    if (M < M2) return cmax * (M - M1) / (M2 - M1);
    if (M < M3) return cmax;
    return cmax * std::sqrt((M3 * M3 - 1.0) / (M * M - 1.0));
}

double oapiGetInducedDrag(double cl, double A, double e) {
    Rec("oapiGetInducedDrag", cl, A, e);
    return cl * cl / (PI * A * e);
}

SURFHANDLE oapiRegisterExhaustTexture(char *name) {
    Rec("oapiRegisterExhaustTexture", static_cast<const char *>(name));
    if (name == nullptr) return nullptr;
    return const_cast<std::string *>(RegisterTexture(name));
}

bool oapiReadScenario_nextline(FILEHANDLE scn, char *&line) {
    auto *in = host::HostFile::As<host::ScenarioBlockReader>(scn);
    const bool more = in != nullptr && in->Next(line);
    if (more) {
        Rec("oapiReadScenario_nextline", static_cast<const char *>(line));
    } else {
        Rec("oapiReadScenario_nextline", "end");
    }
    return more;
}

void oapiWriteScenario_string(FILEHANDLE scn, char *item, char *string) {
    Rec("oapiWriteScenario_string", static_cast<const char *>(item), static_cast<const char *>(string));
    auto *out = host::HostFile::As<host::ScenarioBlockWriter>(scn);
    if (out == nullptr || item == nullptr) return;
    out->Write(item, string != nullptr ? string : "");
}

void oapiWriteScenario_int(FILEHANDLE scn, char *item, int i) {
    std::string value = std::to_string(i);
    oapiWriteScenario_string(scn, item, &value[0]);
}

void oapiWriteScenario_float(FILEHANDLE scn, char *item, double d) {
    std::string value = host::FormatExact(d, 6);
    oapiWriteScenario_string(scn, item, &value[0]);
}

void oapiWriteLog(char *line) { host::HostLog::Instance().Write(line != nullptr ? line : ""); }

int Date2Int(char *date) {
    Rec("Date2Int", static_cast<const char *>(date));
    static const char *const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (date == nullptr) return 0;
    char month[4] = {0};
    int day = 0, year = 0;
    if (std::sscanf(date, "%3s %d %d", month, &day, &year) != 3) return 0;
    for (int m = 0; m < 12; ++m)
        if (std::strcmp(month, kMonths[m]) == 0) return (year % 100) * 10000 + (m + 1) * 100 + day;
    return 0;
}

void InitLib(HINSTANCE hModule) {
    // The simulator logs every module it loads with its build date and the
    // interface version it was built for.
    std::string file = "unknown module";
    struct link_map *map = nullptr;
    if (hModule != nullptr && dlinfo(hModule, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr && map->l_name != nullptr) {
        file = map->l_name;
        const size_t slash = file.find_last_of('/');
        if (slash != std::string::npos) file = file.substr(slash + 1);
    }
    auto date = reinterpret_cast<const char *(*)()>(hModule != nullptr ? dlsym(hModule, "ModuleDate") : nullptr);
    auto version = reinterpret_cast<int (*)()>(hModule != nullptr ? dlsym(hModule, "GetModuleVersion") : nullptr);
    std::string line = "Module " + file;
    if (date != nullptr || version != nullptr) {
        line += " [Build " + std::string(date != nullptr ? date() : "unknown") +
                ", API " + (version != nullptr ? std::to_string(version()) : std::string("unknown")) + "]";
    }
    host::HostLog::Instance().Write(line);
}
