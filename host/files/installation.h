// An installation tree laid out like the simulator's: Config/Vessels/ holds
// the class files, Modules/ the vessel modules. Resolves a class name to the
// class the host creates vessels of.
#ifndef QUORVANE_HOST_FILES_INSTALLATION_H
#define QUORVANE_HOST_FILES_INSTALLATION_H

#include <memory>
#include <string>

#include "world/simulation.h"
#include "world/vessel_class.h"

namespace host {

class Installation {
public:
    explicit Installation(std::string root);

    const std::string &Root() const { return root_; }
    std::string ClassFile(const std::string &className) const;
    std::string ModuleFile(const std::string &moduleName) const;

    // Reads Config/Vessels/<class>.cfg: the Module key and the generic keys
    // (Mass, Size, the BEGIN_ATTACHMENT block). Null with a message that
    // names the file and line on failure.
    std::shared_ptr<const VesselClass> LoadClass(const std::string &className, std::string *error) const;
    Simulation::ClassResolver Resolver() const;

    // The tree the running program lies in (the folder of its executable).
    static std::string ProgramRoot();

private:
    std::string root_;
};

// Folder separators as the simulator writes them ('\') become '/'.
std::string NormalisePath(const std::string &path);
// A name (with '/' separators) that stays inside its folder: not absolute, no
// "..", no empty part.
bool SafeRelativeName(const std::string &name);

}  // namespace host

#endif
