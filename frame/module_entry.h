// The entry points every vessel module exports, and the routine that runs when
// the module is attached to or detached from the host's process.
#ifndef QUORVANE_FRAME_MODULE_ENTRY_H
#define QUORVANE_FRAME_MODULE_ENTRY_H

#include "host_interface.h"

// Exported by the host program; the simulator's SDK declares it nowhere.
OAPIFUNC void InitLib(HINSTANCE hModule);

// Each module defines these two for its one vessel class. The create hook
// returns null when no object could be made.
VESSEL *CreateModuleVessel(OBJHANDLE hVessel, int flightmodel);
void DestroyModuleVessel(VESSEL *vessel);

DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel);
DLLCLBK void ovcExit(VESSEL *vessel);
DLLCLBK const char *ModuleDate();
DLLCLBK int GetModuleVersion();

namespace frame {

// The module's own exit routine, if it exports one.
typedef void (*ModuleExitRoutine)(HINSTANCE hModule);

// Runs on the operating system's library notifications; always reports 1.
BOOL ModuleAttachRoutine(HINSTANCE hModule, DWORD reason);

}  // namespace frame

#endif
