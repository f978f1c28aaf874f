// The satellite: a 227 kg craft with one low-thrust engine, a six-panel solar
// array that unfolds as one animation, and attitude control that sets its
// orientation or rotation directly. The odd and even modules build this one
// class with different variant settings.
#ifndef QUORVANE_SATELLITE_VESSEL_H
#define QUORVANE_SATELLITE_VESSEL_H

#include "host_interface.h"

// final: the object has no virtual destructor and is always destroyed
// through this class.
class SatelliteVessel final : public VESSEL3 {
public:
    SatelliteVessel(OBJHANDLE hVessel, int flightmodel);
    ~SatelliteVessel();

    void clbkSetClassCaps(FILEHANDLE cfg) override;
    void clbkPostCreation() override;

    // Behaviour: scenario lines, step logic, keys and HUD.
    void clbkSaveState(FILEHANDLE scn) override;
    void clbkLoadStateEx(FILEHANDLE scn, void *status) override;
    void clbkPreStep(double simt, double simdt, double mjd) override;
    int clbkConsumeDirectKey(char *kstate) override;
    int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) override;
    bool clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp) override;

private:
    void DefineArrayAnimation();

    // Attitude operations, one per hold; the step logic runs at most one a step.
    void KillRotation();
    void AlignPrograde();
    void AlignRetrograde();
    void AlignNormal();
    void AlignAntinormal();
    void AlignNadir();

    // A navigation mode the satellite serves and the operation that serves it.
    struct NavmodeHold {
        int mode;                          // host navigation mode
        void (SatelliteVessel::*hold)();   // its attitude operation
    };
    // Modes 1, 3, 4, 5, 6, in the order they are asked for and switched off.
    static const NavmodeHold navmodeHolds[5];
    void SwitchOffNavmodeHolds();

    MGROUP_ROTATE *arrayRot[6];               // solar-array transforms, chain order; owned
    UINT arrayAnim;                           // solar-array animation
    int soundId;                              // id with the sound add-on, -1 when not connected
    THRUSTER_HANDLE mainThruster;             // the only thruster
    PROPELLANT_HANDLE propellant;             // the only tank
    ANIMATIONCOMPONENT_HANDLE arrayComp[5];   // array components 1 to 5, each the parent of the next
    ATTACHMENTHANDLE parentAttach;            // the point by which the satellite hangs on its carrier
    double arrayProc;                         // array animation state, 0 stowed to 1 deployed
    double releaseTime;                       // time counted since release [s]
    int arrayState;                           // 0 stowed, 1 deploying, 2 deployed
    int releaseState;                         // 0 attached, 1 released and counting, 2 activated
    int nadirHold;                            // 1 nadir pointing on, 0 off

    friend class SatelliteVesselTestAccess;
};

#endif
