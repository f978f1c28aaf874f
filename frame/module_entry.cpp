// Module entry points and the attach/detach routine, shared by every module.
#include "module_entry.h"

#include "build_date.h"
#include "platform.h"

namespace {

// The host interface version the modules are written for.
char kInterfaceDate[] = "Aug 28 2016";

int versionCache = 0;                          // 0: not computed yet
frame::ModuleExitRoutine exitRoutine = nullptr;

}  // namespace

DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel) { return CreateModuleVessel(hvessel, flightmodel); }

DLLCLBK void ovcExit(VESSEL *vessel) {
    if (vessel == nullptr) return;
    DestroyModuleVessel(vessel);
}

DLLCLBK const char *ModuleDate() { return frame::kBuildDate; }

DLLCLBK int GetModuleVersion() {
    if (versionCache != 0) return versionCache;
    versionCache = Date2Int(kInterfaceDate);
    return versionCache;
}

namespace frame {

BOOL ModuleAttachRoutine(HINSTANCE hModule, DWORD reason) {
    switch (reason) {
        case kProcessAttach: {
            InitLib(hModule);
            void *routine = FindExport(hModule, "ExitModule");
            if (routine == nullptr) routine = FindExport(hModule, "opcDLLExit");
            exitRoutine = reinterpret_cast<ModuleExitRoutine>(routine);
            break;
        }
        case kProcessDetach:
            if (exitRoutine != nullptr) exitRoutine(hModule);
            break;
        default:  // thread notifications
            break;
    }
    return 1;
}

}  // namespace frame
