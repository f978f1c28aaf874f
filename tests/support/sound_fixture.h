// Test support for the sound connector: a directory of its own for each test
// (the sound log is written to the current directory), the stand-in sound
// add-on in its variants with the calls it recorded, and the log file.
#ifndef QUORVANE_TESTS_SUPPORT_SOUND_FIXTURE_H
#define QUORVANE_TESTS_SUPPORT_SOUND_FIXTURE_H

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/sound_standin/sound_standin.h"
#include "host_fixture.h"

namespace testing_support {

// The stand-in sound add-on as built: complete, or missing a group of exports.
enum class SoundAddOn {
    kNone,                 // not loaded at all
    kComplete,             // all fourteen functions
    kWithout3d,            // without the three optional 3D functions
    kWithoutSoundId,       // without GetVesselSoundID3
    kWithoutSetFrequency,  // without SetFrequency, one of the required functions
};
const char *SoundAddOnName(SoundAddOn variant);
inline void PrintTo(SoundAddOn variant, std::ostream *os) { *os << SoundAddOnName(variant); }
std::string SoundAddOnPath(SoundAddOn variant);

// The connector's log texts, written out here independently of the modules.
extern const char kLogFileName[];
extern const char kLogHeader[];
extern const char kErrNullHandle[];
extern const char kErrNotInstalled[];
extern const char kErrMissingRoutines[];
extern const char kErrNoSoundId[];
extern const char kErrNo3d[];
extern const char kAttitudeSustainWave[];

// The text of a log file that was created for these messages, in order.
std::string LogWith(const std::vector<std::string> &messages);
// One entry of the connector's (empty detail).
std::string LogEntry(const std::string &message);

// How the stand-in prints a vessel handle in its record.
std::string HandleText(OBJHANDLE handle);

// A host test with the stand-in add-on at hand.
class SoundTest : public HostTest {
protected:
    // Loads a stand-in variant through the host, as a user's plug-in; true on success.
    bool LoadAddOn(SoundAddOn variant);
    // The calls the loaded stand-in received, in order (empty when none is loaded).
    std::vector<std::string> AddOnCalls() const;
    void ClearAddOnCalls();
    void SetNextSoundId(int id);
    // The path pointer the stand-in last received.
    const char *AddOnLastPath() const;

    // Runs the host's post-creation for the vessels made so far.
    void FinishCreation();

    // The log file's whole text, empty when there is none.
    std::string LogText() const;
    // The number of entries in the log file.
    int LogEntryCount() const;

private:
    // The stand-in's test functions, looked up in the loaded library.
    decltype(&OrbiterSoundStandInCallCount) callCount_ = nullptr;
    decltype(&OrbiterSoundStandInCall) call_ = nullptr;
    decltype(&OrbiterSoundStandInClearCalls) clearCalls_ = nullptr;
    decltype(&OrbiterSoundStandInSetNextSoundId) setNextSoundId_ = nullptr;
    decltype(&OrbiterSoundStandInLastPath) lastPath_ = nullptr;
};

}  // namespace testing_support

#endif
