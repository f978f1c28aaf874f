// What the stand-in sound add-on offers beyond the add-on's own functions: the
// calls it has received, and the counter its sound ids come from. Tests look
// these up by name in the loaded library.
#ifndef QUORVANE_HOST_SOUND_STANDIN_H
#define QUORVANE_HOST_SOUND_STANDIN_H

extern "C" {

// The number of calls recorded since the library was loaded or last cleared.
int OrbiterSoundStandInCallCount();
// Recorded call index as text, such as SoundOption3(0, 4, 0); null when out of range.
const char *OrbiterSoundStandInCall(int index);
// Forgets the recorded calls.
void OrbiterSoundStandInClearCalls();
// The id the next GetVesselSoundID3 returns; every call returns the counter
// and then adds one to it. It starts at 0.
void OrbiterSoundStandInSetNextSoundId(int id);
// The path pointer the last ReplaceStockOBSound3 received, kept as the add-on
// may keep it; null before the first.
const char *OrbiterSoundStandInLastPath();
}

#endif
