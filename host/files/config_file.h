// Configuration files: lines "Key = Value", keys without regard to case, ';'
// starting a comment, each key searched from the top; and blocks between a
// BEGIN_<NAME> and an END_<NAME> line.
#ifndef QUORVANE_HOST_FILES_CONFIG_FILE_H
#define QUORVANE_HOST_FILES_CONFIG_FILE_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "world/host_file.h"
#include "world/scenario_stream.h"

namespace host {

class ConfigFile : public HostFile {
public:
    static constexpr Kind kKind = Kind::Config;

    // Null with a message naming the file when it cannot be read.
    static std::shared_ptr<ConfigFile> Load(const std::string &path, std::string *error);
    static std::shared_ptr<ConfigFile> FromText(const std::string &path, const std::string &text);

    // The value of the first line with this key, and its line number.
    std::optional<std::string> Get(const std::string &key, int *line = nullptr) const;
    // The lines between BEGIN_<name> and END_<name> of the first such block,
    // none when there is no block; no value, with a message, when the block
    // does not end.
    std::optional<std::vector<ScenarioLine>> Block(const std::string &name, std::string *error) const;
    const std::vector<ScenarioLine> &Lines() const { return lines_; }

private:
    explicit ConfigFile(const std::string &path) : HostFile(kKind, path) {}
    std::vector<ScenarioLine> lines_;  // comment-free and trimmed, empty lines dropped
};

// Removes a ';' comment and the blanks around what is left.
std::string StripComment(const std::string &line);
bool EqualsNoCase(const std::string &a, const std::string &b);

}  // namespace host

#endif
