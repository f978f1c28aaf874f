#include "call_journal.h"

#include <cstdio>

namespace host {

std::vector<std::string> CallJournal::CallsOf(const std::string &vessel) const {
    std::vector<std::string> calls;
    for (const Entry &e : entries_)
        if (e.vessel == vessel) calls.push_back(e.call);
    return calls;
}

std::vector<std::string> CallJournal::Matching(const std::string &function) const {
    std::vector<std::string> calls;
    for (const Entry &e : entries_)
        if (e.call.compare(0, function.size(), function) == 0 && e.call.size() > function.size() &&
            e.call[function.size()] == '(')
            calls.push_back(e.call);
    return calls;
}

std::string CallJournal::Format(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::string CallJournal::Format(const VECTOR3 &v) { return "(" + Format(v.x) + ", " + Format(v.y) + ", " + Format(v.z) + ")"; }

void CallJournal::Put(std::string &out, const char *v) {
    if (v == nullptr) {
        out += "null";
        return;
    }
    out += '"';
    out += v;
    out += '"';
}

}  // namespace host
