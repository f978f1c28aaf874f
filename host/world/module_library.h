// A vessel module loaded into the process. The host knows a module only
// through its four entry points; the library is unloaded when the last vessel
// made by it is gone.
#ifndef QUORVANE_HOST_WORLD_MODULE_LIBRARY_H
#define QUORVANE_HOST_WORLD_MODULE_LIBRARY_H

#include <memory>
#include <string>

#include "host_interface.h"

namespace host {

class ModuleLibrary {
public:
    // Loads the library at path; null with a message when it cannot be loaded
    // or lacks ovcInit or ovcExit.
    static std::shared_ptr<ModuleLibrary> Load(const std::string &path, std::string *error);
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary &) = delete;
    ModuleLibrary &operator=(const ModuleLibrary &) = delete;

    VESSEL *Init(OBJHANDLE vessel, int flightmodel) const { return init_(vessel, flightmodel); }
    void Exit(VESSEL *vessel) const { exit_(vessel); }
    // Null or 0 when the module does not export them.
    const char *Date() const { return date_ != nullptr ? date_() : nullptr; }
    int Version() const { return version_ != nullptr ? version_() : 0; }
    const std::string &Path() const { return path_; }
    void *Handle() const { return handle_; }

private:
    ModuleLibrary() = default;

    std::string path_;
    void *handle_ = nullptr;
    VESSEL *(*init_)(OBJHANDLE, int) = nullptr;
    void (*exit_)(VESSEL *) = nullptr;
    const char *(*date_)() = nullptr;
    int (*version_)() = nullptr;
};

}  // namespace host

#endif
