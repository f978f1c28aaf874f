// The line streams a vessel reads and writes its scenario block through.
#ifndef QUORVANE_HOST_WORLD_SCENARIO_STREAM_H
#define QUORVANE_HOST_WORLD_SCENARIO_STREAM_H

#include <string>
#include <vector>

#include "host_file.h"

namespace host {

struct ScenarioLine {
    int number = 0;    // line number in the file, 0 when not from a file
    std::string text;  // without comment and surrounding blanks
};

// Hands out the lines of one vessel block, up to (not including) its END.
class ScenarioBlockReader : public HostFile {
public:
    static constexpr Kind kKind = Kind::ScenarioRead;

    ScenarioBlockReader(std::string path, std::vector<ScenarioLine> lines)
        : HostFile(kKind, std::move(path)), lines_(std::move(lines)) {}

    // The next line as a writable text, valid until the next call.
    bool Next(char *&line);
    // The line last handed out (number 0 before the first).
    const ScenarioLine &Current() const;

private:
    std::vector<ScenarioLine> lines_;
    size_t next_ = 0;
    std::string buffer_;
    ScenarioLine none_;
};

// Collects the lines of one vessel block as "KEY value".
class ScenarioBlockWriter : public HostFile {
public:
    static constexpr Kind kKind = Kind::ScenarioWrite;

    explicit ScenarioBlockWriter(std::string path = "") : HostFile(kKind, std::move(path)) {}

    void Write(const std::string &item, const std::string &value);
    const std::vector<std::string> &Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

}  // namespace host

#endif
