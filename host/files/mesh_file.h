// The simulator's text mesh files (MSHX1): groups of vertices and triangles,
// materials and textures. The host reads them to check an add-on's meshes and
// to know the groups that animations move.
#ifndef QUORVANE_HOST_FILES_MESH_FILE_H
#define QUORVANE_HOST_FILES_MESH_FILE_H

#include <optional>
#include <string>
#include <vector>

#include "host_interface.h"

namespace host {

struct MeshVertex {
    VECTOR3 pos;     // [m]
    VECTOR3 normal;
};

struct MeshGroup {
    std::string label;
    int material = 0;  // counted from 1, 0 = none
    int texture = 0;   // counted from 1, 0 = none
    std::vector<MeshVertex> vertices;
    std::vector<UINT> triangles;  // three vertex indices each
};

struct MeshFile {
    std::vector<MeshGroup> groups;
    std::vector<std::string> materials;
    std::vector<std::string> textures;

    // No value, with a message naming the file and line, when the file cannot
    // be read or is malformed (including indices out of range).
    static std::optional<MeshFile> Load(const std::string &path, std::string *error);
    static std::optional<MeshFile> Parse(const std::string &path, const std::string &text, std::string *error);
};

}  // namespace host

#endif
