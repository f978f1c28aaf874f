// POSIX implementation of the module look-ups, on top of the dynamic linker.
#include "platform.h"

#include <dlfcn.h>

namespace frame {

HINSTANCE FindLoadedModule(const char *name) {
    // RTLD_NOLOAD matches a loaded library by its path or its soname, so a
    // library loaded from anywhere under the soname "OrbiterSound.dll" is found.
    void *handle = dlopen(name, RTLD_NOLOAD | RTLD_LAZY | RTLD_LOCAL);
    if (handle != nullptr) {
        // Like GetModuleHandleA, keep no reference: the handle stays valid
        // for as long as whoever loaded the library keeps it.
        dlclose(handle);
    }
    return handle;
}

void *FindExport(HINSTANCE module, const char *name) {
    if (module == nullptr) return nullptr;
    return dlsym(module, name);
}

}  // namespace frame
