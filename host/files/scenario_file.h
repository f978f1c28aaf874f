// A scenario file in the simulator's format: sections BEGIN_<NAME> ... END_<NAME>
// found by name in any order, ';' starting a comment. The host reads the
// environment's date, the focus ship, the ship list (blocks "name:class" ...
// END) and its own events section; every other line and section is kept as
// written and goes back unchanged into a saved scenario.
#ifndef QUORVANE_HOST_FILES_SCENARIO_FILE_H
#define QUORVANE_HOST_FILES_SCENARIO_FILE_H

#include <optional>
#include <string>
#include <vector>

#include "world/scenario_stream.h"

namespace host {

// The section that carries a scenario's own events; the simulator ignores
// sections it does not know.
extern const char kEventsSection[];  // "QUORVANE_EVENTS"

class ScenarioFile {
public:
    struct Ship {
        std::string name, className;
        int line = 0;                    // of the "name:class" line
        std::vector<ScenarioLine> lines;  // without comments, blanks and END
    };

    // What a saved scenario holds in the parts the host writes.
    struct SavedShip {
        std::string name, className;
        std::vector<std::string> lines;  // "KEY value", written indented
    };
    struct Snapshot {
        double mjd = 0;
        std::string focus;                // empty: none
        std::vector<SavedShip> ships;
        std::vector<std::string> events;  // lines of the events section; none drops it
    };

    // Null with a message naming the file and line when it cannot be read.
    static std::optional<ScenarioFile> Load(const std::string &path, std::string *error);
    static std::optional<ScenarioFile> Parse(const std::string &path, const std::string &text, std::string *error);

    const std::string &Path() const { return path_; }
    double StartMjd() const { return startMjd_; }
    bool HasFocus() const { return !focus_.empty(); }
    const std::string &FocusName() const { return focus_; }
    int FocusLine() const { return focusLine_; }
    const std::vector<Ship> &Ships() const { return ships_; }
    const std::vector<ScenarioLine> &EventLines() const { return eventLines_; }

    // The scenario with the host's parts replaced by the snapshot, in the
    // file's own order and line endings. Parts the file lacks are added: the
    // environment and focus before the ship list, the events after it.
    std::string Render(const Snapshot &snapshot) const;

    // J2000, the date of a scenario that names none [MJD].
    static constexpr double kDefaultMjd = 51544.5;

private:
    enum class Kind { Text, Environment, Focus, Ships, Events };
    struct Piece {
        Kind kind = Kind::Text;
        std::vector<std::string> lines;  // as written
        int keyLine = -1;                // Environment: the Date line, Focus: the Ship line (index in lines)
    };

    explicit ScenarioFile(std::string path) : path_(std::move(path)) {}
    bool Has(Kind kind) const;

    std::string path_;
    std::vector<Piece> pieces_;
    bool crlf_ = false;
    double startMjd_ = kDefaultMjd;
    std::string focus_;
    int focusLine_ = 0;
    std::vector<Ship> ships_;
    std::vector<ScenarioLine> eventLines_;
};

}  // namespace host

#endif
