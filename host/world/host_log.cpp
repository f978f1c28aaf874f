#include "host_log.h"

namespace host {

HostLog &HostLog::Instance() {
    static HostLog log;
    return log;
}

HostLog::~HostLog() {
    if (mirror_ != nullptr) std::fclose(mirror_);
}

void HostLog::Write(const std::string &line) {
    lines_.push_back(line);
    if (mirror_ != nullptr) {
        std::fprintf(mirror_, "%s\n", line.c_str());
        std::fflush(mirror_);
    }
}

bool HostLog::MirrorTo(const std::string &path) {
    if (mirror_ != nullptr) std::fclose(mirror_);
    mirror_ = nullptr;
    if (path.empty()) return true;
    mirror_ = std::fopen(path.c_str(), "a");
    return mirror_ != nullptr;
}

}  // namespace host
