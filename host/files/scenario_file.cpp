#include "scenario_file.h"

#include <fstream>
#include <sstream>

#include "config_file.h"
#include "world/number_text.h"
#include "world/text_words.h"

namespace host {

const char kEventsSection[] = "QUORVANE_EVENTS";

namespace {

bool StartsWithNoCase(const std::string &text, const std::string &prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// The blanks a line starts with, to write a replaced line as the file had it.
std::string Indent(const std::string &line) { return line.substr(0, line.find_first_not_of(" \t")); }

const double kJdOfMjdZero = 2400000.5;  // Julian date of MJD 0 [days]
const double kJdOfJ2000 = 2451545.0;    // Julian date of the epoch J2000 [days]
const double kDaysPerJulianYear = 365.25;

// "Date MJD d", "Date JD d" or "Date JE y" as a modified Julian date.
bool ReadDate(const std::vector<std::string> &w, double &mjd) {
    double value = 0;
    if (w.size() != 3 || !ParseDouble(w[2], value)) return false;
    if (EqualsNoCase(w[1], "MJD")) {
        mjd = value;
    } else if (EqualsNoCase(w[1], "JD")) {
        mjd = value - kJdOfMjdZero;
    } else if (EqualsNoCase(w[1], "JE")) {
        mjd = kJdOfJ2000 + (value - 2000.0) * kDaysPerJulianYear - kJdOfMjdZero;
    } else {
        return false;
    }
    return true;
}

class Parser {
public:
    Parser(const std::string &path, std::vector<std::string> lines) : path_(path), raw_(std::move(lines)) {}

    // Index of the END_<name> line closing the section opened at `begin`.
    bool FindEnd(size_t begin, const std::string &name, size_t &end, std::string &error) const {
        for (size_t i = begin + 1; i < raw_.size(); ++i)
            if (EqualsNoCase(StripComment(raw_[i]), "END_" + name)) {
                end = i;
                return true;
            }
        error = Where(begin) + "BEGIN_" + name + " without END_" + name;
        return false;
    }

    std::string Where(size_t index) const { return path_ + ":" + std::to_string(index + 1) + ": "; }
    const std::vector<std::string> &Raw() const { return raw_; }

private:
    std::string path_;
    std::vector<std::string> raw_;
};

std::vector<std::string> SplitLines(const std::string &text, bool &crlf) {
    crlf = text.find("\r\n") != std::string::npos;
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::optional<ScenarioFile> ScenarioFile::Load(const std::string &path, std::string *error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error != nullptr) *error = path + ": cannot open the scenario file";
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(path, text.str(), error);
}

std::optional<ScenarioFile> ScenarioFile::Parse(const std::string &path, const std::string &text, std::string *error) {
    ScenarioFile scn(path);
    Parser p(path, SplitLines(text, scn.crlf_));
    const std::vector<std::string> &raw = p.Raw();
    auto fail = [&](const std::string &message) -> std::optional<ScenarioFile> {
        if (error != nullptr) *error = message;
        return std::nullopt;
    };
    auto textPiece = [&]() -> Piece & {
        if (scn.pieces_.empty() || scn.pieces_.back().kind != Kind::Text) scn.pieces_.push_back(Piece{});
        return scn.pieces_.back();
    };

    for (size_t i = 0; i < raw.size(); ++i) {
        const std::string s = StripComment(raw[i]);
        if (!StartsWithNoCase(s, "BEGIN_")) {
            textPiece().lines.push_back(raw[i]);
            continue;
        }
        const std::string name = Upper(Words(s.substr(6)).empty() ? "" : Words(s.substr(6))[0]);
        size_t end = 0;
        std::string why;
        Kind kind = Kind::Text;
        if (name == "ENVIRONMENT") kind = Kind::Environment;
        if (name == "FOCUS") kind = Kind::Focus;
        if (name == "SHIPS") kind = Kind::Ships;
        if (name == kEventsSection) kind = Kind::Events;
        if (kind != Kind::Text && scn.Has(kind)) return fail(p.Where(i) + "a second BEGIN_" + name + " section");

        if (kind == Kind::Ships) {
            // Vessel blocks "name:class" ... END, up to END_SHIPS.
            size_t k = i + 1;
            for (;; ++k) {
                if (k >= raw.size()) return fail(p.Where(i) + "BEGIN_SHIPS without END_SHIPS");
                const std::string header = StripComment(raw[k]);
                if (header.empty()) continue;
                if (EqualsNoCase(header, "END_SHIPS")) break;
                const size_t colon = header.find(':');
                if (colon == std::string::npos || colon == 0 || colon + 1 == header.size() ||
                    header.find_first_of(" \t") != std::string::npos)
                    return fail(p.Where(k) + "a vessel block starts with 'name:class', not '" + header + "'");
                Ship ship;
                ship.name = header.substr(0, colon);
                ship.className = header.substr(colon + 1);
                ship.line = static_cast<int>(k + 1);
                const size_t head = k;
                for (++k;; ++k) {
                    if (k >= raw.size() || EqualsNoCase(StripComment(raw[k]), "END_SHIPS"))
                        return fail(p.Where(head) + "vessel block " + ship.name + " is not closed with END");
                    const std::string line = StripComment(raw[k]);
                    if (EqualsNoCase(line, "END")) break;
                    if (!line.empty()) ship.lines.push_back({static_cast<int>(k + 1), line});
                }
                scn.ships_.push_back(std::move(ship));
            }
            end = k;
        } else if (!p.FindEnd(i, name, end, why)) {
            return fail(why);
        }

        Piece piece;
        piece.kind = kind;
        piece.lines.assign(raw.begin() + static_cast<long>(i), raw.begin() + static_cast<long>(end) + 1);
        for (size_t k = i + 1; k < end; ++k) {
            const std::string line = StripComment(raw[k]);
            const std::vector<std::string> w = Words(line);
            if (kind == Kind::Environment && !w.empty() && EqualsNoCase(w[0], "Date")) {
                if (!ReadDate(w, scn.startMjd_))
                    return fail(p.Where(k) + "the date reads 'Date MJD <days>' (or JD, JE), not '" + line + "'");
                piece.keyLine = static_cast<int>(k - i);
            }
            if (kind == Kind::Focus && !w.empty() && EqualsNoCase(w[0], "Ship")) {
                if (w.size() != 2) return fail(p.Where(k) + "the focus reads 'Ship <name>', not '" + line + "'");
                scn.focus_ = w[1];
                scn.focusLine_ = static_cast<int>(k + 1);
                piece.keyLine = static_cast<int>(k - i);
            }
            // Events keep their own comment rules; they are read later.
            if (kind == Kind::Events) scn.eventLines_.push_back({static_cast<int>(k + 1), raw[k]});
        }
        if (kind == Kind::Text) {
            Piece &t = textPiece();
            t.lines.insert(t.lines.end(), piece.lines.begin(), piece.lines.end());
        } else {
            scn.pieces_.push_back(std::move(piece));
        }
        i = end;
    }
    if (!scn.Has(Kind::Ships)) return fail(path + ": no ship list (BEGIN_SHIPS ... END_SHIPS)");
    return scn;
}

bool ScenarioFile::Has(Kind kind) const {
    for (const Piece &p : pieces_)
        if (p.kind == kind) return true;
    return false;
}

std::string ScenarioFile::Render(const Snapshot &snapshot) const {
    std::vector<std::string> out;
    const std::string dateLine = "Date MJD " + FormatExact(snapshot.mjd, 10);
    auto keyed = [&](const Piece &piece, const std::string &text) {
        std::vector<std::string> lines = piece.lines;
        if (piece.keyLine >= 0) {
            lines[static_cast<size_t>(piece.keyLine)] = Indent(lines[static_cast<size_t>(piece.keyLine)]) + text;
        } else {
            lines.insert(lines.begin() + 1, "  " + text);
        }
        out.insert(out.end(), lines.begin(), lines.end());
    };
    auto environment = [&]() {
        out.insert(out.end(), {"BEGIN_ENVIRONMENT", "  System Sol", "  " + dateLine, "END_ENVIRONMENT", ""});
    };
    auto focus = [&]() {
        if (!snapshot.focus.empty()) out.insert(out.end(), {"BEGIN_FOCUS", "  Ship " + snapshot.focus, "END_FOCUS", ""});
    };
    auto events = [&]() {
        if (snapshot.events.empty()) return;
        out.push_back(std::string("BEGIN_") + kEventsSection);
        for (const std::string &e : snapshot.events) out.push_back("  " + e);
        out.push_back(std::string("END_") + kEventsSection);
    };
    auto ships = [&]() {
        out.push_back("BEGIN_SHIPS");
        for (const SavedShip &s : snapshot.ships) {
            out.push_back(s.name + ":" + s.className);
            for (const std::string &l : s.lines) out.push_back("  " + l);
            out.push_back("END");
        }
        out.push_back("END_SHIPS");
    };

    for (const Piece &piece : pieces_) {
        switch (piece.kind) {
            case Kind::Text:
                out.insert(out.end(), piece.lines.begin(), piece.lines.end());
                break;
            case Kind::Environment:
                keyed(piece, dateLine);
                break;
            case Kind::Focus:
                if (!snapshot.focus.empty()) {
                    keyed(piece, "Ship " + snapshot.focus);
                } else {
                    out.insert(out.end(), piece.lines.begin(), piece.lines.end());
                }
                break;
            case Kind::Ships:
                if (!Has(Kind::Environment)) environment();
                if (!Has(Kind::Focus)) focus();
                ships();
                if (!Has(Kind::Events) && !snapshot.events.empty()) {
                    out.push_back("");
                    events();
                }
                break;
            case Kind::Events:
                events();
                break;
        }
    }
    const char *eol = crlf_ ? "\r\n" : "\n";
    std::string text;
    for (const std::string &l : out) text += l + eol;
    return text;
}

}  // namespace host
