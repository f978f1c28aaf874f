// The stack's binding to the sound add-on, made once after creation: it only
// switches eight of the add-on's options off, as the satellite does.
#include "frame/sound_connector.h"
#include "stack_vessel.h"

void StackVessel::clbkPostCreation() {
    soundId = ConnectToOrbiterSoundDLL(GetHandle());
    frame::SwitchSoundOptionsOff(soundId);
}
