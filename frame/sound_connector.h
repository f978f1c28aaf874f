// The binding to the host's optional sound add-on. The add-on is found at run
// time among the libraries already loaded in the process and bound by export
// name, so a module works the same whether it is there or not; every problem
// goes to the log file "OrbiterSound_Log.txt" in the current directory.
//
// The function table, the log counter and the path buffer exist once per
// module (nothing of them is exported) and are shared by all its vessels.
#ifndef QUORVANE_FRAME_SOUND_CONNECTOR_H
#define QUORVANE_FRAME_SOUND_CONNECTOR_H

#include "host_interface.h"

// Binds the module to the add-on again and returns the vessel's sound id from
// the add-on, or -1 when the add-on is missing or unusable.
int ConnectToOrbiterSoundDLL(OBJHANDLE hVessel);

// Sets one of the add-on's options (1 to 24) for a sound id (0 to 59) and
// returns the add-on's result; 0, without calling it, for anything else.
int SwitchSoundOption(int soundId, int option, int value);

// Has the add-on play the wave file at path in place of one of its stock
// sounds for a sound id (0 to 59). The path is copied into the module's own
// buffer first; a path that does not fit it (more than 511 characters) is
// refused like a missing one, with 0 and no call.
int SubstituteStockSound(int soundId, const char *path, int kind);

// Appends one entry to the log file; a null message or detail is left out.
// A module writes at most 101 entries; an entry the file cannot take is
// dropped and not counted.
void AppendSoundLog(const char *message, const char *detail);

namespace frame {

// The add-on options every vessel of this system turns off after connecting,
// in this order.
const int kSoundOptionsOff[8] = {4, 1, 12, 13, 14, 17, 11, 9};

// Turns each of kSoundOptionsOff off for a sound id.
void SwitchSoundOptionsOff(int soundId);

// For tests: the copy of the path last handed to the add-on.
const char *SoundPath();

}  // namespace frame

#endif
