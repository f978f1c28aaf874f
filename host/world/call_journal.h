// A record of the host calls that modules make, in order, with their
// arguments. Off by default: the simulation path only tests a null pointer.
#ifndef QUORVANE_HOST_WORLD_CALL_JOURNAL_H
#define QUORVANE_HOST_WORLD_CALL_JOURNAL_H

#include <string>
#include <vector>

#include "host_interface.h"

namespace host {

// A handle printed by what it names rather than by its address, so journals
// of two runs or two modules compare equal.
struct JournalHandle {
    std::string label;
};

class CallJournal {
public:
    struct Entry {
        std::string vessel;  // empty for calls not made on a vessel
        std::string call;    // e.g. SetEmptyMass(227)
    };

    template <typename... Args>
    void Record(const std::string &vessel, const char *function, const Args &...args) {
        std::string text = function;
        text += '(';
        bool first = true;
        (AppendArg(text, first, args), ...);
        (void)first;  // unused when there are no arguments
        text += ')';
        entries_.push_back({vessel, std::move(text)});
    }

    const std::vector<Entry> &Entries() const { return entries_; }
    // The calls of one vessel ("" for free calls), in order.
    std::vector<std::string> CallsOf(const std::string &vessel) const;
    // Every call whose text starts with the function name.
    std::vector<std::string> Matching(const std::string &function) const;
    void Clear() { entries_.clear(); }

    static std::string Format(double v);
    static std::string Format(const VECTOR3 &v);

private:
    static void Put(std::string &out, double v) { out += Format(v); }
    static void Put(std::string &out, int v) { out += std::to_string(v); }
    static void Put(std::string &out, unsigned v) { out += std::to_string(v); }
    static void Put(std::string &out, long v) { out += std::to_string(v); }
    static void Put(std::string &out, bool v) { out += v ? "true" : "false"; }
    static void Put(std::string &out, const char *v);
    static void Put(std::string &out, const std::string &v) { Put(out, v.c_str()); }
    static void Put(std::string &out, const VECTOR3 &v) { out += Format(v); }
    static void Put(std::string &out, const JournalHandle &h) { out += h.label; }

    template <typename T>
    static void AppendArg(std::string &out, bool &first, const T &v) {
        if (!first) out += ", ";
        first = false;
        Put(out, v);
    }

    std::vector<Entry> entries_;
};

}  // namespace host

#endif
