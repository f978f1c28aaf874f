// A vessel class as the host knows it: its configuration and, for a module
// class, the module that makes its vessels. A class without a module is a
// generic vessel defined by its configuration alone.
#ifndef QUORVANE_HOST_WORLD_VESSEL_CLASS_H
#define QUORVANE_HOST_WORLD_VESSEL_CLASS_H

#include <memory>
#include <string>
#include <vector>

#include "host_file.h"
#include "host_interface.h"

namespace host {

struct GenericAttachment {
    bool toParent = false;
    VECTOR3 pos, dir, rot;
    std::string id;
};

// The configuration keys the host itself applies before the module's own
// class set-up, which may override them.
struct GenericDefinition {
    bool hasMass = false;
    double mass = 0;  // [kg]
    bool hasSize = false;
    double size = 0;  // [m]
    std::vector<GenericAttachment> attachments;
};

struct VesselClass {
    std::string name;
    std::string modulePath;            // empty for a generic class
    std::shared_ptr<HostFile> config;  // handed to clbkSetClassCaps
    GenericDefinition generic;
};

}  // namespace host

#endif
