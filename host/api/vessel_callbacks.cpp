// The default behaviour of the callback table: what a vessel does for every
// slot its class does not override.
#include "api/vessel_access.h"
#include "host_interface.h"
#include "world/call_journal.h"
#include "world/scenario_stream.h"
#include "world/sim_vessel.h"
#include "world/simulation.h"
#include "world/vessel_status_lines.h"

using host::SimVessel;

namespace {
SimVessel &Sim(const VESSEL *v) { return HostVesselAccess::Of(*v); }
}  // namespace

VESSEL2::VESSEL2(OBJHANDLE hVessel, int fmodel) : VESSEL(hVessel, fmodel) { version = 1; }

void VESSEL2::clbkSetClassCaps(FILEHANDLE) {}

void VESSEL2::clbkSaveState(FILEHANDLE scn) {
    SimVessel &v = Sim(this);
    if (host::CallJournal *j = v.Journal()) j->Record(v.Name(), "VESSEL2::clbkSaveState");
    if (auto *out = host::HostFile::As<host::ScenarioBlockWriter>(scn)) host::WriteHostLines(v, *out);
}

void VESSEL2::clbkLoadStateEx(FILEHANDLE scn, void *status) {
    char *line = nullptr;
    while (oapiReadScenario_nextline(scn, line)) ParseScenarioLineEx(line, status);
}

void VESSEL2::clbkSetStateEx(const void *) {}
void VESSEL2::clbkPostCreation() {}
void VESSEL2::clbkFocusChanged(bool, OBJHANDLE, OBJHANDLE) {}
void VESSEL2::clbkPreStep(double, double, double) {}
void VESSEL2::clbkPostStep(double, double, double) {}
bool VESSEL2::clbkPlaybackEvent(double, double, const char *, const char *) { return false; }
void VESSEL2::clbkVisualCreated(VISHANDLE, int) {}
void VESSEL2::clbkVisualDestroyed(VISHANDLE, int) {}
void VESSEL2::clbkDrawHUD(int, const HUDPAINTSPEC *, HDC) {}
void VESSEL2::clbkRCSMode(int) {}
void VESSEL2::clbkADCtrlMode(DWORD) {}
void VESSEL2::clbkHUDMode(int) {}
void VESSEL2::clbkMFDMode(int, int) {}
void VESSEL2::clbkNavMode(int, bool) {}
void VESSEL2::clbkDockEvent(int, OBJHANDLE) {}
void VESSEL2::clbkAnimate(double) {}
int VESSEL2::clbkConsumeDirectKey(char *) { return 0; }
int VESSEL2::clbkConsumeBufferedKey(DWORD, bool, char *) { return 0; }
bool VESSEL2::clbkLoadGenericCockpit() { return true; }
bool VESSEL2::clbkLoadPanel(int) { return false; }
bool VESSEL2::clbkPanelMouseEvent(int, int, int, int) { return false; }
bool VESSEL2::clbkPanelRedrawEvent(int, int, SURFHANDLE) { return false; }
bool VESSEL2::clbkLoadVC(int) { return false; }
bool VESSEL2::clbkVCMouseEvent(int, int, VECTOR3 &) { return false; }
bool VESSEL2::clbkVCRedrawEvent(int, int, SURFHANDLE) { return false; }

VESSEL3::VESSEL3(OBJHANDLE hVessel, int fmodel) : VESSEL2(hVessel, fmodel) { version = 2; }

bool VESSEL3::clbkPanelMouseEvent(int, int, int, int, void *) { return false; }
bool VESSEL3::clbkPanelRedrawEvent(int, int, SURFHANDLE, void *) { return false; }
int VESSEL3::clbkGeneric(int, int, void *) { return 0; }
bool VESSEL3::clbkLoadPanel2D(int, PANELHANDLE, DWORD, DWORD) { return false; }

// The host draws its own HUD elements without the vessel's drawing surface;
// this base only reports whether it did.
bool VESSEL3::clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *) {
    SimVessel &v = Sim(this);
    if (host::CallJournal *j = v.Journal()) {
        j->Record(v.Name(), "VESSEL3::clbkDrawHUD", mode, hps != nullptr ? hps->W : 0, hps != nullptr ? hps->H : 0);
    }
    return v.Sim().baseHudResult;
}

void VESSEL3::clbkRenderHUD(int, const HUDPAINTSPEC *, SURFHANDLE) {}
void VESSEL3::clbkGetRadiationForce(const VECTOR3 &, VECTOR3 &F, VECTOR3 &pos) {
    F = _V(0, 0, 0);
    pos = _V(0, 0, 0);
}
