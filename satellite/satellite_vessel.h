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

    // Behaviour: scenario lines, step logic, keys and HUD.
    void clbkSaveState(FILEHANDLE scn) override;
    void clbkLoadStateEx(FILEHANDLE scn, void *status) override;

private:
    void DefineArrayAnimation();

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
