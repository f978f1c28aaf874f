#include "module_library.h"

#include <dlfcn.h>

namespace host {

std::shared_ptr<ModuleLibrary> ModuleLibrary::Load(const std::string &path, std::string *error) {
    void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error != nullptr) {
            const char *why = dlerror();
            *error = "cannot load module " + path + (why != nullptr ? std::string(": ") + why : std::string());
        }
        return nullptr;
    }
    std::shared_ptr<ModuleLibrary> lib(new ModuleLibrary());
    lib->path_ = path;
    lib->handle_ = handle;
    lib->init_ = reinterpret_cast<VESSEL *(*)(OBJHANDLE, int)>(dlsym(handle, "ovcInit"));
    lib->exit_ = reinterpret_cast<void (*)(VESSEL *)>(dlsym(handle, "ovcExit"));
    lib->date_ = reinterpret_cast<const char *(*)()>(dlsym(handle, "ModuleDate"));
    lib->version_ = reinterpret_cast<int (*)()>(dlsym(handle, "GetModuleVersion"));
    if (lib->init_ == nullptr || lib->exit_ == nullptr) {
        if (error != nullptr) *error = "module " + path + " does not export ovcInit and ovcExit";
        return nullptr;  // the destructor unloads it
    }
    return lib;
}

ModuleLibrary::~ModuleLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
}

}  // namespace host
