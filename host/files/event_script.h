// Scripted events of a run: what happens to which vessel at which time. One
// event a line, "T ACTION ARGS", T in seconds since the scenario's start:
//   key VESSEL KEY [shift] [ctrl]   a key pressed and released
//   hold VESSEL KEY SECONDS         a key held down for that long
//   navmode VESSEL N on|off         a navigation mode switched
//   thrust VESSEL LEVEL             the main thruster group's level, 0 to 1
//   detach VESSEL INDEX SPEED       the vessel lets go of its INDEX-th child point
//   save FILE                       the scenario written as it stands
//   hud VESSEL WxH FILE             the vessel's HUD drawn into an SVG picture
// Lines come from an events file, a scenario's events section or the command
// line; '#' or ';' starts a comment.
#ifndef QUORVANE_HOST_FILES_EVENT_SCRIPT_H
#define QUORVANE_HOST_FILES_EVENT_SCRIPT_H

#include <string>
#include <vector>

#include "world/scenario_stream.h"

namespace host {

enum class EventAction { Key, Hold, Navmode, Thrust, Detach, Save, Hud };

struct ScriptEvent {
    double time = 0;          // seconds since the scenario's start
    EventAction action = EventAction::Key;
    std::string vessel;       // every action but save
    unsigned key = 0;         // key, hold: scan code
    bool shift = false;       // key: held with left Shift
    bool ctrl = false;        // key: held with left Control
    double seconds = 0;       // hold: how long [s]
    int mode = 0;             // navmode: number 1 to 7
    bool on = false;          // navmode
    double level = 0;         // thrust: 0 to 1
    int index = 0;            // detach: among the vessel's child points
    double speed = 0;         // detach: separation speed [m/s]
    int width = 0, height = 0;  // hud: [pixel]
    std::string file;         // save, hud
    std::string source;       // where it was written, "file:line" or "--event N"
    std::string text;         // the action and its arguments as written
};

// Where the files that events write may go. Events of a scenario file stay in
// the working folder, so that a scenario from elsewhere cannot overwrite
// files of the user's; events the user gives on the command line may name any.
enum class EventFiles { Anywhere, WorkingFolderOnly };

// Reads one event; false with a message that starts with the source.
bool ParseEvent(const std::string &line, const std::string &source, EventFiles files, ScriptEvent *event,
                std::string *error);
// Reads the lines of an events file or section, skipping comments and blank
// lines; sources are "path:line".
bool ParseEventLines(const std::vector<ScenarioLine> &lines, const std::string &path, EventFiles files,
                     std::vector<ScriptEvent> *events, std::string *error);
bool LoadEventFile(const std::string &path, std::vector<ScriptEvent> *events, std::string *error);

// The event as a line, its time counted from `since` seconds after the start
// (a scenario saved at that time replays the event at the same moment).
std::string FormatEvent(const ScriptEvent &event, double since);

}  // namespace host

#endif
