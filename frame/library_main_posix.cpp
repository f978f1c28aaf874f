// Library notifications on POSIX: the dynamic linker runs the constructor after
// the run-time library is initialised and the destructor before it shuts down.
#include <dlfcn.h>

#include "module_entry.h"
#include "platform.h"

namespace {

HINSTANCE moduleHandle = nullptr;

// The module's own handle, found through the file it was loaded from.
HINSTANCE OwnHandle() {
    Dl_info info;
    if (dladdr(reinterpret_cast<void *>(&OwnHandle), &info) == 0 || info.dli_fname == nullptr) return nullptr;
    return frame::FindLoadedModule(info.dli_fname);
}

__attribute__((constructor)) void OnLibraryAttach() {
    moduleHandle = OwnHandle();
    frame::ModuleAttachRoutine(moduleHandle, frame::kProcessAttach);
}

__attribute__((destructor)) void OnLibraryDetach() { frame::ModuleAttachRoutine(moduleHandle, frame::kProcessDetach); }

}  // namespace
