#include "install_tree.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "host_fixture.h"

namespace testing_support {

namespace fs = std::filesystem;

InstallTree::InstallTree() {
    std::string pattern = (fs::temp_directory_path() / "quorvane-tree-XXXXXX").string();
    if (::mkdtemp(&pattern[0]) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    fs::create_directories(fs::path(root_) / "Config" / "Vessels");
    fs::create_directories(fs::path(root_) / "Modules");
}

InstallTree::~InstallTree() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void InstallTree::AddClass(const std::string &name, const std::string &text) {
    WriteFile("Config/Vessels/" + name + ".cfg", text);
}

void InstallTree::AddProjectClasses() {
    for (const char *cls : {"quorvane_odd", "quorvane_even", "quorvane_stack"}) {
        AddClass(cls, std::string("ClassName = ") + cls + "\nModule = " + cls + "\n");
        LinkModule(BuildRoot() + "/Modules/" + cls + ".so");
    }
}

void InstallTree::LinkModule(const std::string &modulePath) {
    fs::create_symlink(modulePath, fs::path(root_) / "Modules" / fs::path(modulePath).filename());
}

void InstallTree::AddCarrierClass() {
    AddClass("Carrier",
             "ClassName = Carrier\nMass = 5000\nSize = 10\n"
             "BEGIN_ATTACHMENT\n"
             "C 0 0 5  0 0 1  0 1 0  C0\n"
             "C 2 0 0  1 0 0  0 0 1  C1\n"
             "P 0 0 -5 0 0 -1 0 1 0  BASE\n"
             "END_ATTACHMENT\n");
}

void InstallTree::WriteFile(const std::string &relative, const std::string &text) const {
    const fs::path p = fs::path(root_) / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string InstallTree::ReadFile(const std::string &relative) const {
    std::ifstream in(fs::path(root_) / relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool InstallTree::Exists(const std::string &relative) const { return fs::exists(fs::path(root_) / relative); }

std::vector<std::string> InstallTree::List(const std::string &relative) const {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(fs::path(root_) / relative))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace testing_support
