// Windows implementation of the module look-ups. Not built on this project's
// machines; kept for building the modules against the simulator itself.
#include "platform.h"

#include <windows.h>

namespace frame {

HINSTANCE FindLoadedModule(const char *name) { return GetModuleHandleA(name); }

void *FindExport(HINSTANCE module, const char *name) {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<void *>(GetProcAddress(module, name));
}

}  // namespace frame
