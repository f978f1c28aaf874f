// The host's log: module loads, warnings and notes, kept in memory and
// optionally mirrored to a file. One log per process, like the simulator's.
#ifndef QUORVANE_HOST_WORLD_HOST_LOG_H
#define QUORVANE_HOST_WORLD_HOST_LOG_H

#include <cstdio>
#include <string>
#include <vector>

namespace host {

class HostLog {
public:
    static HostLog &Instance();

    void Write(const std::string &line);
    const std::vector<std::string> &Lines() const { return lines_; }
    void Clear() { lines_.clear(); }
    // Mirror every later line to this file (appending); empty path stops it.
    bool MirrorTo(const std::string &path);

private:
    HostLog() = default;
    ~HostLog();
    std::vector<std::string> lines_;
    std::FILE *mirror_ = nullptr;
};

}  // namespace host

#endif
