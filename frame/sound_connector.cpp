// The sound connector: finds the add-on, fills the function table by name,
// forwards the vessels' few calls and keeps the log.
#include "sound_connector.h"

#include <cstdio>
#include <cstring>

#include "platform.h"

namespace {

const char kSoundModuleName[] = "OrbiterSound.dll";
const char kLogFileName[] = "OrbiterSound_Log.txt";

// Written once, when the log file is created.
const char kLogHeader[] = "Orbiter Sound Log Started\n*****************************\n\n";
const char kLogSeparator[] = "--------------------------------------";
const int kLastLogCount = 100;  // counts 0 to 100: at most 101 entries per module

const char kErrNullHandle[] =
    "ERR01= Vessel->ConnectToOrbiterSoundDLL: A vessel passed a NULL handle to this function";
const char kErrNotInstalled[] =
    "ERR01= Vessel->ConnectToOrbiterSoundDLL: Unable to connect to OrbiterSound - not installed or activated";
const char kErrMissingRoutines[] =
    "ERR02= ConnectToOrbiterSoundDLL (4.0 SDK): Unable to find routines. Missing or outdated OrbiterSound (<3.0?)";
const char kErrNoSoundId[] = "ERR03= unable to connect to GetMyID, Older OrbiterSound.dll ?";
const char kErrNo3d[] =
    "ERR04= Error finding OrbiterSound 4.0 (3d) function. Reverting to OrbiterSound 3.5 function (2d).";

// The add-on's exports, in the order the connector looks them up.
enum SoundFunction {
    kLoadVesselWave,
    kPlayVesselWave,
    kPlayVesselExclusiveWave,
    kStopVesselWave,
    kIsPlayingVesselWave,
    kIsPlayingRadioVesselWave,
    kSoundOption,
    kSetFrequency,
    kGetVesselSoundId,
    kReplaceStockSound,
    kGetVersion,
    kLoadVesselWave3d,
    kSet3dWaveParameters,
    kIsOrbiterSound3d,
    kSoundFunctionCount
};

const char *const kSoundFunctionNames[kSoundFunctionCount] = {
    "LoadVesselWaveOBSound3",
    "PlayVesselWaveOBSound3",
    "PlayVesselExclusiveWaveOBSound3",
    "StopVesselWave3",
    "IsPlayingVesselWave3",
    "IsPlayingRadioVesselWave",
    "SoundOption3",
    "SetFrequency",
    "GetVesselSoundID3",
    "ReplaceStockOBSound3",
    "GetVersionOBSound3",
    "LoadVesselWave3dOBSound4",
    "Set3dWaveParametersOBSound4",
    "IsOrbiterSound3dOBSound4",
};

// Without any of these the add-on is too old to use.
const SoundFunction kRequiredFunctions[] = {
    kLoadVesselWave,           kPlayVesselWave, kPlayVesselExclusiveWave, kStopVesselWave, kIsPlayingVesselWave,
    kIsPlayingRadioVesselWave, kSoundOption,    kSetFrequency,            kReplaceStockSound,
};

// The three the modules call, with the add-on's argument lists.
typedef int (*GetVesselSoundIdFunction)(OBJHANDLE vessel);
typedef int (*SoundOptionFunction)(int soundId, int option, int value);
typedef int (*ReplaceStockSoundFunction)(int soundId, char *path, int kind);

const int kSoundPathSize = 512;  // [characters], terminator included

struct ConnectorState {
    HINSTANCE addOn = nullptr;                  // where the add-on was last found
    void *functions[kSoundFunctionCount] = {};  // empty until a connect finds the add-on
    int soundLogCount = 0;                      // entries this module has written; never reset
    char soundPath[kSoundPathSize] = {};        // the path last handed to the add-on
};

// One per module: nothing of it is exported, so two modules never share it.
ConnectorState connector;

// Sound ids run from 0 to 59; compared unsigned, so negative ids fail too.
bool IsSoundId(int soundId) { return static_cast<unsigned>(soundId) <= 59u; }

bool IsSoundOption(int option) { return option >= 1 && option <= 24; }

void Lookup(SoundFunction first, SoundFunction last) {
    for (int f = first; f <= last; ++f)
        connector.functions[f] = frame::FindExport(connector.addOn, kSoundFunctionNames[f]);
}

// The length of text, or limit when it has no terminator within limit characters.
size_t BoundedLength(const char *text, size_t limit) {
    size_t n = 0;
    while (n < limit && text[n] != '\0') ++n;
    return n;
}

}  // namespace

int ConnectToOrbiterSoundDLL(OBJHANDLE hVessel) {
    connector.soundPath[0] = '\0';
    if (hVessel == nullptr) {
        AppendSoundLog(kErrNullHandle, "");
        return -1;
    }
    // Only an add-on the host has loaded counts; the connector never loads it.
    HINSTANCE addOn = frame::FindLoadedModule(kSoundModuleName);
    if (addOn == nullptr) {
        AppendSoundLog(kErrNotInstalled, "");
        return -1;
    }
    connector.addOn = addOn;

    Lookup(kLoadVesselWave, kGetVersion);
    for (SoundFunction f : kRequiredFunctions) {
        if (connector.functions[f] == nullptr) {
            AppendSoundLog(kErrMissingRoutines, "");
            return -1;
        }
    }
    // Without the 3D functions the add-on still works in 2D: a warning only.
    Lookup(kLoadVesselWave3d, kIsOrbiterSound3d);
    if (connector.functions[kLoadVesselWave3d] == nullptr || connector.functions[kSet3dWaveParameters] == nullptr ||
        connector.functions[kIsOrbiterSound3d] == nullptr)
        AppendSoundLog(kErrNo3d, "");
    if (connector.functions[kGetVesselSoundId] == nullptr) {
        AppendSoundLog(kErrNoSoundId, "");
        return -1;
    }
    return reinterpret_cast<GetVesselSoundIdFunction>(connector.functions[kGetVesselSoundId])(hVessel);
}

int SwitchSoundOption(int soundId, int option, int value) {
    auto soundOption = reinterpret_cast<SoundOptionFunction>(connector.functions[kSoundOption]);
    if (soundOption == nullptr || !IsSoundOption(option) || !IsSoundId(soundId)) return 0;
    return soundOption(soundId, option, value);
}

int SubstituteStockSound(int soundId, const char *path, int kind) {
    auto replace = reinterpret_cast<ReplaceStockSoundFunction>(connector.functions[kReplaceStockSound]);
    if (replace == nullptr || !IsSoundId(soundId) || path == nullptr) return 0;
    // A cut path would name another file: refuse what does not fit whole.
    const size_t length = BoundedLength(path, kSoundPathSize);
    if (length >= static_cast<size_t>(kSoundPathSize)) return 0;
    // The add-on may keep the pointer, so it gets the module's lasting copy.
    std::memmove(connector.soundPath, path, length + 1);
    return replace(soundId, connector.soundPath, kind);
}

void AppendSoundLog(const char *message, const char *detail) {
    if (connector.soundLogCount > kLastLogCount) return;

    if (std::FILE *existing = std::fopen(kLogFileName, "rt")) {
        std::fclose(existing);
    } else if (std::FILE *created = std::fopen(kLogFileName, "wtx")) {
        // Exclusive creation: a log that exists but cannot be read is never
        // truncated, only appended to.
        std::fprintf(created, "%s", kLogHeader);
        std::fclose(created);
    }

    std::FILE *log = std::fopen(kLogFileName, "at");
    if (log == nullptr) return;  // unusable log: the entry is dropped, the vessel goes on
    std::fprintf(log, "%s\n", kLogSeparator);
    if (message != nullptr) std::fprintf(log, "%s\n", message);
    if (detail != nullptr) std::fprintf(log, "%s\n", detail);
    ++connector.soundLogCount;
    std::fclose(log);
}

namespace frame {

void SwitchSoundOptionsOff(int soundId) {
    for (int option : kSoundOptionsOff) SwitchSoundOption(soundId, option, 0);
}

const char *SoundPath() { return connector.soundPath; }

}  // namespace frame
