#include "installation.h"

#include <unistd.h>

#include <climits>
#include <sstream>
#include <vector>

#include "config_file.h"
#include "world/number_text.h"

namespace host {

std::string NormalisePath(const std::string &path) {
    std::string p = path;
    for (char &c : p)
        if (c == '\\') c = '/';
    return p;
}

bool SafeRelativeName(const std::string &name) {
    if (name.empty() || name[0] == '/') return false;
    std::istringstream parts(name);
    std::string part;
    while (std::getline(parts, part, '/'))
        if (part == ".." || part.empty()) return false;
    return true;
}

namespace {

bool ReadNumber(const std::string &text, double &value) { return ParseDouble(text, value); }

}  // namespace

Installation::Installation(std::string root) : root_(std::move(root)) {
    if (root_.empty()) root_ = ".";
}

std::string Installation::ClassFile(const std::string &className) const {
    return root_ + "/Config/Vessels/" + NormalisePath(className) + ".cfg";
}

std::string Installation::ModuleFile(const std::string &moduleName) const {
    return root_ + "/Modules/" + NormalisePath(moduleName) + ".so";
}

std::shared_ptr<const VesselClass> Installation::LoadClass(const std::string &className, std::string *error) const {
    auto fail = [&](const std::string &m) -> std::shared_ptr<const VesselClass> {
        if (error != nullptr) *error = m;
        return nullptr;
    };
    if (!SafeRelativeName(NormalisePath(className))) return fail("invalid vessel class name '" + className + "'");
    const std::string path = ClassFile(className);
    std::string why;
    std::shared_ptr<ConfigFile> cfg = ConfigFile::Load(path, &why);
    if (cfg == nullptr) return fail("unknown vessel class " + className + " (" + why + ")");

    auto cls = std::make_shared<VesselClass>();
    cls->name = className;
    cls->config = cfg;
    int line = 0;
    if (auto module = cfg->Get("Module", &line)) {
        const std::string name = NormalisePath(*module);
        if (!SafeRelativeName(name)) return fail(path + ":" + std::to_string(line) + ": invalid module name '" + *module + "'");
        cls->modulePath = ModuleFile(name);
    }
    if (auto mass = cfg->Get("Mass", &line)) {
        if (!ReadNumber(*mass, cls->generic.mass) || cls->generic.mass < 0)
            return fail(path + ":" + std::to_string(line) + ": Mass must be a number of kilograms, not '" + *mass + "'");
        cls->generic.hasMass = true;
    }
    if (auto size = cfg->Get("Size", &line)) {
        if (!ReadNumber(*size, cls->generic.size) || cls->generic.size <= 0)
            return fail(path + ":" + std::to_string(line) + ": Size must be a positive number of metres, not '" + *size + "'");
        cls->generic.hasSize = true;
    }
    auto block = cfg->Block("ATTACHMENT", &why);
    if (!block) return fail(why);
    for (const ScenarioLine &l : *block) {
        std::istringstream in(l.text);
        std::vector<std::string> w;
        std::string word;
        while (in >> word) w.push_back(word);
        GenericAttachment a;
        double v[9];
        bool ok = (w.size() == 10 || w.size() == 11) && (w[0] == "P" || w[0] == "C" || w[0] == "p" || w[0] == "c");
        for (int i = 0; ok && i < 9; ++i) ok = ReadNumber(w[1 + i], v[i]);
        if (!ok)
            return fail(path + ":" + std::to_string(l.number) +
                        ": attachment lines read 'P|C px py pz dx dy dz rx ry rz [id]', not '" + l.text + "'");
        a.toParent = (w[0] == "P" || w[0] == "p");
        a.pos = _V(v[0], v[1], v[2]);
        a.dir = _V(v[3], v[4], v[5]);
        a.rot = _V(v[6], v[7], v[8]);
        if (w.size() == 11) a.id = w[10];
        cls->generic.attachments.push_back(a);
    }
    return cls;
}

Simulation::ClassResolver Installation::Resolver() const {
    Installation copy = *this;
    return [copy](const std::string &name, std::string *error) { return copy.LoadClass(name, error); };
}

std::string Installation::ProgramRoot() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string exe(buf, static_cast<size_t>(n));
    const size_t slash = exe.find_last_of('/');
    return slash == std::string::npos ? "." : exe.substr(0, slash);
}

}  // namespace host
