#include "sound_fixture.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace testing_support {

namespace fs = std::filesystem;

// Spelled out here again on purpose: a test that shared the modules' own
// constants would not notice a wrong text.
const char kLogFileName[] = "OrbiterSound_Log.txt";
const char kLogHeader[] = "Orbiter Sound Log Started\n*****************************\n\n";
const char kErrNullHandle[] = "ERR01= Vessel->ConnectToOrbiterSoundDLL: A vessel passed a NULL handle to this function";
const char kErrNotInstalled[] =
    "ERR01= Vessel->ConnectToOrbiterSoundDLL: Unable to connect to OrbiterSound - not installed or activated";
const char kErrMissingRoutines[] =
    "ERR02= ConnectToOrbiterSoundDLL (4.0 SDK): Unable to find routines. Missing or outdated OrbiterSound (<3.0?)";
const char kErrNoSoundId[] = "ERR03= unable to connect to GetMyID, Older OrbiterSound.dll ?";
const char kErrNo3d[] =
    "ERR04= Error finding OrbiterSound 4.0 (3d) function. Reverting to OrbiterSound 3.5 function (2d).";
const char kAttitudeSustainWave[] = "Sound\\Vessel\\attsustain.wav";


const char *SoundAddOnName(SoundAddOn variant) {
    switch (variant) {
        case SoundAddOn::kNone: return "none";
        case SoundAddOn::kComplete: return "complete";
        case SoundAddOn::kWithout3d: return "without_3d";
        case SoundAddOn::kWithoutSoundId: return "without_sound_id";
        case SoundAddOn::kWithoutSetFrequency: return "without_set_frequency";
    }
    return "unknown";
}

std::string SoundAddOnPath(SoundAddOn variant) {
    if (variant == SoundAddOn::kComplete) return BuildRoot() + "/Modules/Plugin/OrbiterSound.dll";
    return std::string(QUORVANE_TEST_PLUGINS) + "/" + SoundAddOnName(variant) + "/OrbiterSound.dll";
}

std::string LogEntry(const std::string &message) {
    return "--------------------------------------\n" + message + "\n\n";
}

std::string LogWith(const std::vector<std::string> &messages) {
    std::string text = kLogHeader;
    for (const std::string &m : messages) text += LogEntry(m);
    return text;
}

std::string HandleText(OBJHANDLE handle) {
    char text[64];
    std::snprintf(text, sizeof text, "%p", handle);
    return text;
}

template <typename Function>
static void Bind(void *library, const char *name, Function *&function) {
    function = reinterpret_cast<Function *>(dlsym(library, name));
    if (function == nullptr) ADD_FAILURE() << "the stand-in lacks " << name;
}

bool SoundTest::LoadAddOn(SoundAddOn variant) {
    if (variant == SoundAddOn::kNone) return true;
    const std::string path = SoundAddOnPath(variant);
    std::string error;
    if (!sim->LoadPlugin(path, &error)) {
        ADD_FAILURE() << error;
        return false;
    }
    // A second reference only to look up the test functions; the simulation
    // keeps the library loaded.
    void *library = dlopen(path.c_str(), RTLD_NOLOAD | RTLD_LAZY);
    if (library == nullptr) return false;
    Bind(library, "OrbiterSoundStandInCallCount", callCount_);
    Bind(library, "OrbiterSoundStandInCall", call_);
    Bind(library, "OrbiterSoundStandInClearCalls", clearCalls_);
    Bind(library, "OrbiterSoundStandInSetNextSoundId", setNextSoundId_);
    Bind(library, "OrbiterSoundStandInLastPath", lastPath_);
    dlclose(library);
    return callCount_ != nullptr && call_ != nullptr && clearCalls_ != nullptr && setNextSoundId_ != nullptr &&
           lastPath_ != nullptr;
}

std::vector<std::string> SoundTest::AddOnCalls() const {
    std::vector<std::string> calls;
    if (callCount_ == nullptr) return calls;
    const int n = callCount_();
    for (int i = 0; i < n; ++i) calls.push_back(call_(i));
    return calls;
}

void SoundTest::ClearAddOnCalls() {
    if (clearCalls_ != nullptr) clearCalls_();
}

void SoundTest::SetNextSoundId(int id) {
    ASSERT_NE(setNextSoundId_, nullptr) << "no stand-in loaded";
    setNextSoundId_(id);
}

const char *SoundTest::AddOnLastPath() const { return lastPath_ != nullptr ? lastPath_() : nullptr; }

void SoundTest::FinishCreation() {
    std::string error;
    ASSERT_TRUE(sim->FinishCreation(&error)) << error;
}

std::string SoundTest::LogText() const {
    std::ifstream in(kLogFileName, std::ios::binary);
    if (!in) return std::string();
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

namespace {

int LogEntryCountIn(const std::string &text) {
    int n = 0;
    for (size_t at = text.find("--------------------------------------\n"); at != std::string::npos;
         at = text.find("--------------------------------------\n", at + 1))
        ++n;
    return n;
}

}  // namespace

int SoundTest::LogEntryCount() const { return LogEntryCountIn(LogText()); }

}  // namespace testing_support
