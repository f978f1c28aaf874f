// Scenario files: the sections the host reads, the ones it keeps, and the
// messages for files it cannot read.
#include "files/scenario_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const char kScenario[] =
    "; a comment before everything\n"
    "BEGIN_DESC\n"
    "Two vessels; BEGIN_SHIPS in a description is only text\n"
    "END_DESC\n"
    "\n"
    "BEGIN_SHIPS\n"
    "Sat-1:quorvane_odd   ; the first\n"
    "  STATUS Orbiting Earth\n"
    "\n"
    "  SOLP 0 0.0000\n"
    "END\n"
    "Lv:Carrier\n"
    "END\n"
    "END_SHIPS\n"
    "\n"
    "BEGIN_FOCUS\n"
    "  Ship Lv ; the launcher\n"
    "END_FOCUS\n"
    "\n"
    "BEGIN_MFD Left\n"
    "  TYPE Orbit\n"
    "END_MFD\n"
    "BEGIN_ENVIRONMENT\n"
    "  System Sol\n"
    "\tDate MJD 60000.25\n"
    "  Context Test\n"
    "END_ENVIRONMENT\n"
    "BEGIN_QUORVANE_EVENTS\n"
    "  5 key Sat-1 G  # deploy\n"
    "END_QUORVANE_EVENTS\n";

host::ScenarioFile Parse(const std::string &text, const std::string &path = "a.scn") {
    std::string error;
    auto scn = host::ScenarioFile::Parse(path, text, &error);
    if (!scn) throw std::runtime_error(error);
    return *scn;
}

TEST(ScenarioFile, FindsItsSectionsByNameInAnyOrder) {
    const host::ScenarioFile scn = Parse(kScenario);
    EXPECT_EQ(scn.StartMjd(), 60000.25);
    EXPECT_EQ(scn.FocusName(), "Lv");
    EXPECT_EQ(scn.FocusLine(), 17);
    ASSERT_EQ(scn.Ships().size(), 2u);
    const auto &sat = scn.Ships()[0];
    EXPECT_EQ(sat.name, "Sat-1");
    EXPECT_EQ(sat.className, "quorvane_odd");
    EXPECT_EQ(sat.line, 7);
    ASSERT_EQ(sat.lines.size(), 2u);
    EXPECT_EQ(sat.lines[0].text, "STATUS Orbiting Earth");
    EXPECT_EQ(sat.lines[1].number, 10);
    EXPECT_TRUE(scn.Ships()[1].lines.empty());
    ASSERT_EQ(scn.EventLines().size(), 1u);
    EXPECT_EQ(scn.EventLines()[0].number, 29);
}

struct DateCase {
    const char *line;
    double mjd;
};
void PrintTo(const DateCase &c, std::ostream *os) { *os << c.line; }

class ScenarioDates : public ::testing::TestWithParam<DateCase> {};

TEST_P(ScenarioDates, AreReadAsModifiedJulianDates) {
    const std::string text = std::string("BEGIN_ENVIRONMENT\n") + GetParam().line + "\nEND_ENVIRONMENT\nBEGIN_SHIPS\nEND_SHIPS\n";
    EXPECT_DOUBLE_EQ(Parse(text).StartMjd(), GetParam().mjd);
}

INSTANTIATE_TEST_SUITE_P(Table, ScenarioDates,
                         ::testing::Values(DateCase{"Date MJD 51982.5", 51982.5},
                                           DateCase{"date mjd 51982.5", 51982.5},
                                           DateCase{"Date JD 2451545.0", 51544.5},
                                           DateCase{"Date JE 2000.0", 51544.5},
                                           DateCase{"System Sol", host::ScenarioFile::kDefaultMjd}));

// The text with one part replaced; fails the test when the part is not there.
std::string Replaced(std::string text, const std::string &part, const std::string &by) {
    const size_t at = text.find(part);
    if (at == std::string::npos) {
        ADD_FAILURE() << "no '" << part << "' in the text";
        return text;
    }
    return text.replace(at, part.size(), by);
}

TEST(ScenarioFile, RendersWithTheHostsPartsReplacedAndEverythingElseAsWritten) {
    const host::ScenarioFile scn = Parse(kScenario);
    host::ScenarioFile::Snapshot snap;
    snap.mjd = 60001.5;
    snap.focus = "Sat-1";
    snap.ships = {{"Sat-1", "quorvane_odd", {"STATUS Orbiting Earth", "RPOS 1 2 3"}}, {"Lv", "Carrier", {}}};
    snap.events = {"1 key Sat-1 G"};
    std::string expected = Replaced(kScenario, "Sat-1:quorvane_odd   ; the first\n  STATUS Orbiting Earth\n\n  SOLP 0 0.0000\n",
                                    "Sat-1:quorvane_odd\n  STATUS Orbiting Earth\n  RPOS 1 2 3\n");
    expected = Replaced(expected, "  Ship Lv ; the launcher\n", "  Ship Sat-1\n");
    expected = Replaced(expected, "\tDate MJD 60000.25\n", "\tDate MJD 60001.5000000000\n");
    expected = Replaced(expected, "  5 key Sat-1 G  # deploy\n", "  1 key Sat-1 G\n");
    EXPECT_EQ(scn.Render(snap), expected);
}

TEST(ScenarioFile, AddsTheDateFocusAndEventsAFileLacksAndKeepsItsLineEndings) {
    const host::ScenarioFile scn = Parse("BEGIN_CAMERA\r\n  MODE Extern\r\nEND_CAMERA\r\nBEGIN_SHIPS\r\nEND_SHIPS\r\n");
    host::ScenarioFile::Snapshot snap;
    snap.mjd = 51544.5;
    snap.focus = "S";
    snap.ships = {{"S", "quorvane_odd", {"STATUS Orbiting Earth"}}};
    snap.events = {"3 save x.scn"};
    EXPECT_EQ(scn.Render(snap),
              "BEGIN_CAMERA\r\n  MODE Extern\r\nEND_CAMERA\r\n"
              "BEGIN_ENVIRONMENT\r\n  System Sol\r\n  Date MJD 51544.5000000000\r\nEND_ENVIRONMENT\r\n\r\n"
              "BEGIN_FOCUS\r\n  Ship S\r\nEND_FOCUS\r\n\r\n"
              "BEGIN_SHIPS\r\nS:quorvane_odd\r\n  STATUS Orbiting Earth\r\nEND\r\nEND_SHIPS\r\n\r\n"
              "BEGIN_QUORVANE_EVENTS\r\n  3 save x.scn\r\nEND_QUORVANE_EVENTS\r\n");
}

TEST(ScenarioFile, AnEventsSectionWithNothingLeftToComeIsDropped) {
    const host::ScenarioFile scn = Parse("BEGIN_SHIPS\nEND_SHIPS\nBEGIN_QUORVANE_EVENTS\n 1 save a.scn\nEND_QUORVANE_EVENTS\n");
    host::ScenarioFile::Snapshot snap;
    snap.mjd = 51544.5;
    const std::string text = scn.Render(snap);
    EXPECT_THAT(text, Not(HasSubstr("QUORVANE_EVENTS")));
    EXPECT_THAT(text, HasSubstr("BEGIN_SHIPS\nEND_SHIPS\n"));
}

struct BadCase {
    const char *name;
    const char *text;
    const char *message;
};
void PrintTo(const BadCase &c, std::ostream *os) { *os << c.name; }

class MalformedScenarios : public ::testing::TestWithParam<BadCase> {};

TEST_P(MalformedScenarios, AreRefusedNamingTheFileAndLine) {
    std::string error;
    EXPECT_FALSE(host::ScenarioFile::Parse("bad.scn", GetParam().text, &error));
    EXPECT_EQ(error, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedScenarios,
    ::testing::Values(
        BadCase{"no_ship_list", "BEGIN_DESC\nx\nEND_DESC\n", "bad.scn: no ship list (BEGIN_SHIPS ... END_SHIPS)"},
        BadCase{"open_ship_list", "BEGIN_SHIPS\nA:quorvane_odd\nEND\n", "bad.scn:1: BEGIN_SHIPS without END_SHIPS"},
        BadCase{"open_block", "BEGIN_SHIPS\nA:quorvane_odd\n  STATUS Orbiting Earth\nEND_SHIPS\n",
                "bad.scn:2: vessel block A is not closed with END"},
        BadCase{"block_at_end_of_file", "BEGIN_SHIPS\nA:quorvane_odd\n", "bad.scn:2: vessel block A is not closed with END"},
        BadCase{"header_without_class", "BEGIN_SHIPS\nA\nEND\nEND_SHIPS\n",
                "bad.scn:2: a vessel block starts with 'name:class', not 'A'"},
        BadCase{"header_with_blanks", "BEGIN_SHIPS\nA : quorvane_odd\nEND\nEND_SHIPS\n",
                "bad.scn:2: a vessel block starts with 'name:class', not 'A : quorvane_odd'"},
        BadCase{"empty_class", "BEGIN_SHIPS\nA:\nEND\nEND_SHIPS\n",
                "bad.scn:2: a vessel block starts with 'name:class', not 'A:'"},
        BadCase{"open_foreign_section", "BEGIN_CAMERA\nMODE Extern\nBEGIN_SHIPS\nEND_SHIPS\n",
                "bad.scn:1: BEGIN_CAMERA without END_CAMERA"},
        BadCase{"bad_date", "BEGIN_ENVIRONMENT\n  Date MJD soon\nEND_ENVIRONMENT\nBEGIN_SHIPS\nEND_SHIPS\n",
                "bad.scn:2: the date reads 'Date MJD <days>' (or JD, JE), not 'Date MJD soon'"},
        BadCase{"unknown_date_form", "BEGIN_ENVIRONMENT\n  Date TT 5\nEND_ENVIRONMENT\nBEGIN_SHIPS\nEND_SHIPS\n",
                "bad.scn:2: the date reads 'Date MJD <days>' (or JD, JE), not 'Date TT 5'"},
        BadCase{"focus_without_name", "BEGIN_FOCUS\n  Ship\nEND_FOCUS\nBEGIN_SHIPS\nEND_SHIPS\n",
                "bad.scn:2: the focus reads 'Ship <name>', not 'Ship'"},
        BadCase{"two_ship_lists", "BEGIN_SHIPS\nEND_SHIPS\nBEGIN_SHIPS\nEND_SHIPS\n",
                "bad.scn:3: a second BEGIN_SHIPS section"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ScenarioFile, AMissingFileIsNamed) {
    std::string error;
    EXPECT_FALSE(host::ScenarioFile::Load("/nonexistent/x.scn", &error));
    EXPECT_EQ(error, "/nonexistent/x.scn: cannot open the scenario file");
}

}  // namespace
