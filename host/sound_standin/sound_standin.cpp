// A stand-in for the host's optional sound add-on: a library with the add-on's
// module name that exports the functions the vessel modules look up. It plays
// nothing. It records every call it receives, with its arguments, for tests
// and in the host's log for users who want to watch the modules' sound
// connector work, and hands out sound ids from a counter.
//
// Build settings leave groups of exports out, to stand for older or damaged
// installations of the add-on:
//   SOUND_STANDIN_WITHOUT_3D             the three optional 3D functions
//   SOUND_STANDIN_WITHOUT_SOUND_ID       GetVesselSoundID3
//   SOUND_STANDIN_WITHOUT_SET_FREQUENCY  SetFrequency, a required function
#include "sound_standin.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "host_interface.h"

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::vector<std::string> calls;
int nextSoundId = 0;
const char *lastPath = nullptr;

__attribute__((format(printf, 1, 2))) std::string Format(const char *format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    return text;
}

std::string Quoted(const char *text) { return text != nullptr ? "\"" + std::string(text) + "\"" : "null"; }

void Record(std::string call) {
    std::string line = "OrbiterSound stand-in: " + call;
    oapiWriteLog(&line[0]);
    calls.push_back(std::move(call));
}

// The functions the modules look up but never call take only a sound id here.
int RecordUncalled(const char *name, int soundId) {
    Record(Format("%s(%d)", name, soundId));
    return 0;
}

}  // namespace

// ---- the three functions the modules call ----

#if !SOUND_STANDIN_WITHOUT_SOUND_ID
STANDIN_EXPORT int GetVesselSoundID3(OBJHANDLE vessel) {
    Record(Format("GetVesselSoundID3(%p)", vessel));
    const int id = nextSoundId;
    nextSoundId = static_cast<int>(static_cast<unsigned>(nextSoundId) + 1u);  // wraps instead of overflowing
    return id;
}
#endif

STANDIN_EXPORT int SoundOption3(int soundId, int option, int value) {
    Record(Format("SoundOption3(%d, %d, %d)", soundId, option, value));
    return 1;
}

STANDIN_EXPORT int ReplaceStockOBSound3(int soundId, char *path, int kind) {
    Record(Format("ReplaceStockOBSound3(%d, %s, %d)", soundId, Quoted(path).c_str(), kind));
    lastPath = path;
    return 1;
}

// ---- looked up, never called by the modules ----

STANDIN_EXPORT int LoadVesselWaveOBSound3(int soundId) { return RecordUncalled("LoadVesselWaveOBSound3", soundId); }
STANDIN_EXPORT int PlayVesselWaveOBSound3(int soundId) { return RecordUncalled("PlayVesselWaveOBSound3", soundId); }
STANDIN_EXPORT int PlayVesselExclusiveWaveOBSound3(int soundId) {
    return RecordUncalled("PlayVesselExclusiveWaveOBSound3", soundId);
}
STANDIN_EXPORT int StopVesselWave3(int soundId) { return RecordUncalled("StopVesselWave3", soundId); }
STANDIN_EXPORT int IsPlayingVesselWave3(int soundId) { return RecordUncalled("IsPlayingVesselWave3", soundId); }
STANDIN_EXPORT int IsPlayingRadioVesselWave(int soundId) { return RecordUncalled("IsPlayingRadioVesselWave", soundId); }
#if !SOUND_STANDIN_WITHOUT_SET_FREQUENCY
STANDIN_EXPORT int SetFrequency(int soundId) { return RecordUncalled("SetFrequency", soundId); }
#endif
STANDIN_EXPORT int GetVersionOBSound3(int soundId) { return RecordUncalled("GetVersionOBSound3", soundId); }
#if !SOUND_STANDIN_WITHOUT_3D
STANDIN_EXPORT int LoadVesselWave3dOBSound4(int soundId) { return RecordUncalled("LoadVesselWave3dOBSound4", soundId); }
STANDIN_EXPORT int Set3dWaveParametersOBSound4(int soundId) {
    return RecordUncalled("Set3dWaveParametersOBSound4", soundId);
}
STANDIN_EXPORT int IsOrbiterSound3dOBSound4(int soundId) { return RecordUncalled("IsOrbiterSound3dOBSound4", soundId); }
#endif

// ---- for tests ----

STANDIN_EXPORT int OrbiterSoundStandInCallCount() { return static_cast<int>(calls.size()); }

STANDIN_EXPORT const char *OrbiterSoundStandInCall(int index) {
    if (index < 0 || index >= static_cast<int>(calls.size())) return nullptr;
    return calls[static_cast<size_t>(index)].c_str();
}

STANDIN_EXPORT void OrbiterSoundStandInClearCalls() { calls.clear(); }

STANDIN_EXPORT void OrbiterSoundStandInSetNextSoundId(int id) { nextSoundId = id; }

STANDIN_EXPORT const char *OrbiterSoundStandInLastPath() { return lastPath; }
