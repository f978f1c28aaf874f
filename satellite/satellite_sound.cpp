// The satellite's binding to the sound add-on, made once after creation: its
// own attitude-thruster sound, and eight of the add-on's options switched off.
#include "frame/sound_connector.h"
#include "satellite_vessel.h"

namespace {

const char kAttitudeSustainWave[] = "Sound\\Vessel\\attsustain.wav";  // relative to the simulator's folder
const int kAttitudeSustainKind = 10;                                   // the add-on's kind of replacement

}  // namespace

void SatelliteVessel::clbkPostCreation() {
    soundId = ConnectToOrbiterSoundDLL(GetHandle());
    SubstituteStockSound(soundId, kAttitudeSustainWave, kAttitudeSustainKind);
    frame::SwitchSoundOptionsOff(soundId);
}
