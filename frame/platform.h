// Operating-system services the modules need: finding a module that is already
// loaded in the process and an export of a module, both by name. One source
// file per operating system implements them.
#ifndef QUORVANE_FRAME_PLATFORM_H
#define QUORVANE_FRAME_PLATFORM_H

#include "host_interface.h"

namespace frame {

// Library notification reason codes, as the operating system numbers them.
enum AttachReason : DWORD {
    kProcessDetach = 0,
    kProcessAttach = 1,
    kThreadAttach = 2,
    kThreadDetach = 3,
};

// The handle of a module already loaded under this name, or null. Never loads
// anything and takes no lasting reference.
HINSTANCE FindLoadedModule(const char *name);

// The address of a module's export, or null when it exports no such name.
void *FindExport(HINSTANCE module, const char *name);

}  // namespace frame

#endif
