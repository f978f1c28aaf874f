// A throw-away installation tree for one test: class files the test writes,
// and vessel modules linked from the build tree.
#ifndef QUORVANE_TESTS_SUPPORT_INSTALL_TREE_H
#define QUORVANE_TESTS_SUPPORT_INSTALL_TREE_H

#include <string>
#include <vector>

namespace testing_support {

class InstallTree {
public:
    InstallTree();   // an empty tree with Config/Vessels/ and Modules/
    ~InstallTree();  // removes it
    InstallTree(const InstallTree &) = delete;
    InstallTree &operator=(const InstallTree &) = delete;

    const std::string &Root() const { return root_; }
    std::string Path(const std::string &relative) const { return root_ + "/" + relative; }

    // Config/Vessels/<name>.cfg with this text.
    void AddClass(const std::string &name, const std::string &text);
    // The project's three classes with their modules.
    void AddProjectClasses();
    // A module file linked into Modules/ under its own name.
    void LinkModule(const std::string &modulePath);
    // A generic launch vehicle without a module: class "Carrier", 5000 kg,
    // child points C0 and C1 and one parent point.
    void AddCarrierClass();

    void WriteFile(const std::string &relative, const std::string &text) const;
    std::string ReadFile(const std::string &relative) const;
    bool Exists(const std::string &relative) const;
    // Names of the files in a folder of the tree, sorted.
    std::vector<std::string> List(const std::string &relative = ".") const;

private:
    std::string root_;
};

}  // namespace testing_support

#endif
