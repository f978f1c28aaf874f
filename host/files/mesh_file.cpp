#include "mesh_file.h"

#include <fstream>
#include <sstream>

#include "world/number_text.h"
#include "world/text_words.h"

namespace host {

namespace {

// Reads the file's lines one by one, keeping the line number for messages.
class LineReader {
public:
    LineReader(const std::string &path, const std::string &text) : path_(path), in_(text) {}

    bool Next(std::string &line) {
        while (std::getline(in_, line)) {
            ++number_;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.find_first_not_of(" \t") != std::string::npos) return true;
        }
        return false;
    }
    std::string Where() const { return path_ + ":" + std::to_string(number_) + ": "; }

private:
    std::string path_;
    std::istringstream in_;
    int number_ = 0;
};

bool Count(const std::vector<std::string> &w, size_t index, int &value) {
    return index < w.size() && ParseInt(w[index], value) && value >= 0;
}

}  // namespace

std::optional<MeshFile> MeshFile::Load(const std::string &path, std::string *error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error != nullptr) *error = path + ": cannot open mesh file";
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(path, text.str(), error);
}

std::optional<MeshFile> MeshFile::Parse(const std::string &path, const std::string &text, std::string *error) {
    LineReader r(path, text);
    std::string line;
    auto fail = [&](const std::string &what) -> std::optional<MeshFile> {
        if (error != nullptr) *error = r.Where() + what;
        return std::nullopt;
    };
    if (!r.Next(line) || Words(line) != std::vector<std::string>{"MSHX1"}) return fail("a mesh file starts with MSHX1");
    int groupCount = 0;
    if (!r.Next(line) || Words(line).size() != 2 || Words(line)[0] != "GROUPS" || !Count(Words(line), 1, groupCount))
        return fail("expected GROUPS n");

    MeshFile mesh;
    for (int g = 0; g < groupCount; ++g) {
        MeshGroup group;
        for (;;) {
            if (!r.Next(line)) return fail("group " + std::to_string(g) + " has no GEOM line");
            const std::vector<std::string> w = Words(line);
            if (w[0] == "LABEL") {
                group.label = w.size() > 1 ? line.substr(line.find("LABEL") + 6) : "";
            } else if (w[0] == "MATERIAL") {
                if (!Count(w, 1, group.material)) return fail("expected MATERIAL i");
            } else if (w[0] == "TEXTURE") {
                if (!Count(w, 1, group.texture)) return fail("expected TEXTURE j");
            } else if (w[0] == "GEOM") {
                int nv = 0, nt = 0;
                if (!Count(w, 1, nv) || !Count(w, 2, nt)) return fail("expected GEOM nv nt");
                for (int i = 0; i < nv; ++i) {
                    if (!r.Next(line)) return fail("missing vertex lines");
                    const std::vector<std::string> v = Words(line);
                    double d[6];
                    bool ok = v.size() == 6 || v.size() == 8;
                    for (int k = 0; ok && k < 6; ++k) ok = ParseDouble(v[k], d[k]);
                    if (!ok) return fail("expected a vertex 'x y z nx ny nz [u v]'");
                    group.vertices.push_back({_V(d[0], d[1], d[2]), _V(d[3], d[4], d[5])});
                }
                for (int i = 0; i < nt; ++i) {
                    if (!r.Next(line)) return fail("missing triangle lines");
                    const std::vector<std::string> t = Words(line);
                    int idx[3];
                    bool ok = t.size() == 3;
                    for (int k = 0; ok && k < 3; ++k) ok = Count(t, k, idx[k]) && idx[k] < nv;
                    if (!ok) return fail("expected three vertex indices below " + std::to_string(nv));
                    for (int k : idx) group.triangles.push_back(static_cast<UINT>(k));
                }
                break;
            } else {
                return fail("unexpected '" + w[0] + "' in group " + std::to_string(g));
            }
        }
        mesh.groups.push_back(std::move(group));
    }

    int materialCount = 0;
    if (!r.Next(line) || Words(line).size() != 2 || Words(line)[0] != "MATERIALS" || !Count(Words(line), 1, materialCount))
        return fail("expected MATERIALS m");
    for (int i = 0; i < materialCount; ++i) {
        if (!r.Next(line)) return fail("missing material names");
        mesh.materials.push_back(Words(line)[0]);
    }
    for (int i = 0; i < materialCount; ++i) {
        if (!r.Next(line) || Words(line)[0] != "MATERIAL") return fail("expected MATERIAL name");
        for (int k = 0; k < 4; ++k)
            if (!r.Next(line)) return fail("a material has four colour lines");
    }
    int textureCount = 0;
    if (!r.Next(line) || Words(line).size() != 2 || Words(line)[0] != "TEXTURES" || !Count(Words(line), 1, textureCount))
        return fail("expected TEXTURES t");
    for (int i = 0; i < textureCount; ++i) {
        if (!r.Next(line)) return fail("missing texture names");
        mesh.textures.push_back(Words(line)[0]);
    }
    for (const MeshGroup &g : mesh.groups) {
        if (g.material > materialCount) return fail("group " + g.label + " names material " + std::to_string(g.material));
        if (g.texture > textureCount) return fail("group " + g.label + " names texture " + std::to_string(g.texture));
    }
    return mesh;
}

}  // namespace host
