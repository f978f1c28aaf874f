// The carrier stack: a 16620 kg body without mesh or engine that holds 60
// satellites on two columns of attachment points and sets them free once its
// launch vehicle lets go of it.
#ifndef QUORVANE_STACK_VESSEL_H
#define QUORVANE_STACK_VESSEL_H

#include "host_interface.h"

// final: the object has no virtual destructor and is always destroyed
// through this class.
class StackVessel final : public VESSEL3 {
public:
    StackVessel(OBJHANDLE hVessel, int flightmodel);

    void clbkSetClassCaps(FILEHANDLE cfg) override;
    void clbkSaveState(FILEHANDLE scn) override;
    void clbkLoadStateEx(FILEHANDLE scn, void *status) override;
    void clbkPostCreation() override;
    void clbkPreStep(double simt, double simdt, double mjd) override;

private:
    ATTACHMENTHANDLE satAttach[60];  // child points QV0 to QV59
    ATTACHMENTHANDLE parentAttach;   // point "K7" on the launch vehicle
    int deployState;                 // 0 holding the satellites, 1 released and to be removed, else inert
    int soundId;                     // id with the sound add-on, -1 when not connected
};

#endif
