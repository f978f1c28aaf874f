#include "event_script.h"

#include <sys/stat.h>

#include <fstream>

#include "config_file.h"
#include "installation.h"
#include "key_names.h"
#include "world/number_text.h"
#include "world/text_words.h"

namespace host {

namespace {

const int kMaxPictureSide = 16384;  // [pixel]

std::string WithoutComment(const std::string &line) {
    const size_t cut = line.find_first_of("#;");
    return cut == std::string::npos ? line : line.substr(0, cut);
}

struct Syntax {
    EventAction action;
    const char *name;
    const char *usage;  // the arguments after the action's name
};

const Syntax kSyntax[] = {
    {EventAction::Key, "key", "VESSEL KEY [shift] [ctrl]"},
    {EventAction::Hold, "hold", "VESSEL KEY SECONDS"},
    {EventAction::Navmode, "navmode", "VESSEL N on|off"},
    {EventAction::Thrust, "thrust", "VESSEL LEVEL"},
    {EventAction::Detach, "detach", "VESSEL INDEX SPEED"},
    {EventAction::Save, "save", "FILE"},
    {EventAction::Hud, "hud", "VESSEL WxH FILE"},
};

// Reads the words after the time into the event; false with the problem.
class EventReader {
public:
    EventReader(const std::vector<std::string> &words, EventFiles files, ScriptEvent &event)
        : w_(words), files_(files), e_(event) {}

    bool Read(std::string &problem) {
        const Syntax *syntax = nullptr;
        for (const Syntax &s : kSyntax)
            if (EqualsNoCase(w_[1], s.name)) syntax = &s;
        if (syntax == nullptr) {
            problem = "unknown event action '" + w_[1] + "' (key, hold, navmode, thrust, detach, save or hud)";
            return false;
        }
        e_.action = syntax->action;
        const std::string usage = std::string("'T ") + syntax->name + " " + syntax->usage + "'";
        if (!ReadArguments(problem)) {
            if (problem.empty()) problem = "an event reads " + usage;
            return false;
        }
        return true;
    }

private:
    size_t Count() const { return w_.size() - 2; }  // arguments after time and action
    const std::string &Arg(size_t i) const { return w_[2 + i]; }

    bool ReadArguments(std::string &problem) {
        switch (e_.action) {
            case EventAction::Key: {
                if (Count() < 2 || Count() > 4 || !Vessel() || !Key(Arg(1), problem)) return false;
                for (size_t i = 2; i < Count(); ++i) {
                    bool &flag = EqualsNoCase(Arg(i), "shift") ? e_.shift : e_.ctrl;
                    if ((!EqualsNoCase(Arg(i), "shift") && !EqualsNoCase(Arg(i), "ctrl")) || flag) return false;
                    flag = true;
                }
                return true;
            }
            case EventAction::Hold:
                if (Count() != 3 || !Vessel() || !Key(Arg(1), problem)) return false;
                if (!ParseDouble(Arg(2), e_.seconds) || e_.seconds <= 0) {
                    problem = "a key is held for a positive number of seconds, not '" + Arg(2) + "'";
                    return false;
                }
                return true;
            case EventAction::Navmode:
                if (Count() != 3 || !Vessel()) return false;
                if (!ParseInt(Arg(1), e_.mode) || e_.mode < 1 || e_.mode > 7) {
                    problem = "navigation modes are numbered 1 to 7, not '" + Arg(1) + "'";
                    return false;
                }
                e_.on = EqualsNoCase(Arg(2), "on");
                return e_.on || EqualsNoCase(Arg(2), "off");
            case EventAction::Thrust:
                if (Count() != 2 || !Vessel()) return false;
                if (!ParseDouble(Arg(1), e_.level) || e_.level < 0 || e_.level > 1) {
                    problem = "a thrust level lies from 0 to 1, not '" + Arg(1) + "'";
                    return false;
                }
                return true;
            case EventAction::Detach:
                if (Count() != 3 || !Vessel()) return false;
                if (!ParseInt(Arg(1), e_.index) || e_.index < 0) {
                    problem = "a child point's index is a whole number from 0, not '" + Arg(1) + "'";
                    return false;
                }
                if (!ParseDouble(Arg(2), e_.speed)) {
                    problem = "a separation speed is a number of metres per second, not '" + Arg(2) + "'";
                    return false;
                }
                return true;
            case EventAction::Save:
                return Count() == 1 && File(Arg(0), problem);
            case EventAction::Hud:
                return Count() == 3 && Vessel() && Size(Arg(1), problem) && File(Arg(2), problem);
        }
        return false;
    }

    bool Vessel() {
        e_.vessel = Arg(0);
        return true;
    }

    bool Key(const std::string &name, std::string &problem) {
        const auto code = KeyCode(name);
        if (!code) {
            problem = "unknown key '" + name + "' (key names such as G, K, NUMPAD8, F1, SPACE)";
            return false;
        }
        e_.key = *code;
        return true;
    }

    bool Size(const std::string &text, std::string &problem) {
        const size_t x = text.find_first_of("xX");
        if (x == std::string::npos || !ParseInt(text.substr(0, x), e_.width) ||
            !ParseInt(text.substr(x + 1), e_.height) || e_.width < 1 || e_.height < 1 ||
            e_.width > kMaxPictureSide || e_.height > kMaxPictureSide) {
            problem = "a HUD size reads WxH in pixels, 1 to " + std::to_string(kMaxPictureSide) + " each, not '" +
                      text + "'";
            return false;
        }
        return true;
    }

    bool File(const std::string &name, std::string &problem) {
        e_.file = name;
        if (files_ == EventFiles::WorkingFolderOnly && !SafeRelativeName(NormalisePath(name))) {
            problem = "a scenario's events write only below the working folder, not to '" + name + "'";
            return false;
        }
        return true;
    }

    const std::vector<std::string> &w_;
    EventFiles files_;
    ScriptEvent &e_;
};

}  // namespace

bool ParseEvent(const std::string &line, const std::string &source, EventFiles files, ScriptEvent *event,
                std::string *error) {
    auto fail = [&](const std::string &message) {
        if (error != nullptr) *error = source + ": " + message;
        return false;
    };
    const std::vector<std::string> w = Words(WithoutComment(line));
    if (w.size() < 2) return fail("an event reads 'T ACTION ARGS', not '" + line + "'");
    ScriptEvent e;
    e.source = source;
    if (!ParseDouble(w[0], e.time) || e.time < 0)
        return fail("an event's time is a number of seconds from 0, not '" + w[0] + "'");
    std::string problem;
    if (!EventReader(w, files, e).Read(problem)) return fail(problem);
    for (size_t i = 1; i < w.size(); ++i) e.text += (i > 1 ? " " : "") + w[i];
    if (event != nullptr) *event = std::move(e);
    return true;
}

bool ParseEventLines(const std::vector<ScenarioLine> &lines, const std::string &path, EventFiles files,
                     std::vector<ScriptEvent> *events, std::string *error) {
    for (const ScenarioLine &l : lines) {
        if (Words(WithoutComment(l.text)).empty()) continue;
        ScriptEvent e;
        if (!ParseEvent(l.text, path + ":" + std::to_string(l.number), files, &e, error)) return false;
        if (events != nullptr) events->push_back(std::move(e));
    }
    return true;
}

bool LoadEventFile(const std::string &path, std::vector<ScriptEvent> *events, std::string *error) {
    std::ifstream in(path, std::ios::binary);
    struct stat st;
    if (!in || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        if (error != nullptr) *error = path + ": cannot open the events file";
        return false;
    }
    std::vector<ScenarioLine> lines;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) lines.push_back({++number, text});
    return ParseEventLines(lines, path, EventFiles::Anywhere, events, error);
}

std::string FormatEvent(const ScriptEvent &event, double since) {
    return FormatSeconds(event.time - since) + " " + event.text;
}

}  // namespace host
