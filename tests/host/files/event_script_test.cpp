// Event lines: what each action reads, the messages for lines it cannot, and
// events written back with their time moved.
#include "files/event_script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "files/key_names.h"
#include "host_interface.h"

using host::EventAction;
using host::EventFiles;
using host::ScriptEvent;

namespace {

ScriptEvent Read(const std::string &line, EventFiles files = EventFiles::Anywhere) {
    ScriptEvent e;
    std::string error;
    if (!host::ParseEvent(line, "x.events:3", files, &e, &error)) throw std::runtime_error(error);
    return e;
}

TEST(EventScript, ReadsEveryAction) {
    ScriptEvent e = Read("12.5 key Sat-1 g shift ctrl");
    EXPECT_EQ(e.time, 12.5);
    EXPECT_EQ(e.action, EventAction::Key);
    EXPECT_EQ(e.vessel, "Sat-1");
    EXPECT_EQ(e.key, static_cast<unsigned>(OAPI_KEY_G));
    EXPECT_TRUE(e.shift);
    EXPECT_TRUE(e.ctrl);
    EXPECT_EQ(e.source, "x.events:3");

    e = Read("0 KEY S K");
    EXPECT_FALSE(e.shift || e.ctrl);

    e = Read("1 hold S NUMPAD8 2.5");
    EXPECT_EQ(e.action, EventAction::Hold);
    EXPECT_EQ(e.key, static_cast<unsigned>(OAPI_KEY_NUMPAD8));
    EXPECT_EQ(e.seconds, 2.5);

    e = Read("2 navmode S 3 off");
    EXPECT_EQ(e.action, EventAction::Navmode);
    EXPECT_EQ(e.mode, 3);
    EXPECT_FALSE(e.on);

    e = Read("3 thrust S 0.75");
    EXPECT_EQ(e.level, 0.75);

    e = Read("4 detach Stack 59 0.01");
    EXPECT_EQ(e.action, EventAction::Detach);
    EXPECT_EQ(e.index, 59);
    EXPECT_EQ(e.speed, 0.01);

    e = Read("5 save out/run.scn ; comment");
    EXPECT_EQ(e.action, EventAction::Save);
    EXPECT_EQ(e.file, "out/run.scn");

    e = Read("6 hud S 1280x720 hud.svg");
    EXPECT_EQ(e.action, EventAction::Hud);
    EXPECT_EQ(e.width, 1280);
    EXPECT_EQ(e.height, 720);
    EXPECT_EQ(e.file, "hud.svg");
}

struct BadEvent {
    const char *line;
    const char *message;
};
void PrintTo(const BadEvent &c, std::ostream *os) { *os << c.line; }

class BadEvents : public ::testing::TestWithParam<BadEvent> {};

TEST_P(BadEvents, AreRefusedNamingTheirSource) {
    std::string error;
    EXPECT_FALSE(host::ParseEvent(GetParam().line, "x.events:3", EventFiles::Anywhere, nullptr, &error));
    EXPECT_EQ(error, std::string("x.events:3: ") + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadEvents,
    ::testing::Values(
        BadEvent{"10", "an event reads 'T ACTION ARGS', not '10'"},
        BadEvent{"soon key S G", "an event's time is a number of seconds from 0, not 'soon'"},
        BadEvent{"-1 key S G", "an event's time is a number of seconds from 0, not '-1'"},
        BadEvent{"1 jump S", "unknown event action 'jump' (key, hold, navmode, thrust, detach, save or hud)"},
        BadEvent{"1 key S", "an event reads 'T key VESSEL KEY [shift] [ctrl]'"},
        BadEvent{"1 key S Q9", "unknown key 'Q9' (key names such as G, K, NUMPAD8, F1, SPACE)"},
        BadEvent{"1 key S G alt", "an event reads 'T key VESSEL KEY [shift] [ctrl]'"},
        BadEvent{"1 key S G shift shift", "an event reads 'T key VESSEL KEY [shift] [ctrl]'"},
        BadEvent{"1 hold S NUMPAD8 0", "a key is held for a positive number of seconds, not '0'"},
        BadEvent{"1 navmode S 8 on", "navigation modes are numbered 1 to 7, not '8'"},
        BadEvent{"1 navmode S 3 maybe", "an event reads 'T navmode VESSEL N on|off'"},
        BadEvent{"1 thrust S 1.5", "a thrust level lies from 0 to 1, not '1.5'"},
        BadEvent{"1 detach S -1 0.5", "a child point's index is a whole number from 0, not '-1'"},
        BadEvent{"1 detach S 0 fast", "a separation speed is a number of metres per second, not 'fast'"},
        BadEvent{"1 save", "an event reads 'T save FILE'"},
        BadEvent{"1 hud S 0x768 a.svg", "a HUD size reads WxH in pixels, 1 to 16384 each, not '0x768'"},
        BadEvent{"1 hud S 99999x768 a.svg", "a HUD size reads WxH in pixels, 1 to 16384 each, not '99999x768'"},
        BadEvent{"1 hud S 1024 a.svg", "a HUD size reads WxH in pixels, 1 to 16384 each, not '1024'"}));

TEST(EventScript, ScenarioEventsWriteOnlyBelowTheWorkingFolder) {
    for (const char *line : {"1 save /tmp/x.scn", "1 save ../x.scn", "1 hud S 10x10 a/../../b.svg", "1 save ..\\x.scn"}) {
        std::string error;
        EXPECT_FALSE(host::ParseEvent(line, "a.scn:9", EventFiles::WorkingFolderOnly, nullptr, &error)) << line;
        EXPECT_THAT(error, ::testing::HasSubstr("a.scn:9: a scenario's events write only below the working folder"));
    }
    EXPECT_EQ(Read("1 save out/x.scn", EventFiles::WorkingFolderOnly).file, "out/x.scn");
    EXPECT_EQ(Read("1 save /tmp/x.scn", EventFiles::Anywhere).file, "/tmp/x.scn");
}

TEST(EventScript, LinesSkipCommentsAndNameTheirLine) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(host::ParseEventLines({{4, "  # a comment"}, {5, ""}, {6, "2 key S G ; press"}}, "e.txt",
                                      EventFiles::Anywhere, &events, &error))
        << error;
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].source, "e.txt:6");
    EXPECT_FALSE(host::ParseEventLines({{7, "2 key S"}}, "e.txt", EventFiles::Anywhere, &events, &error));
    EXPECT_THAT(error, ::testing::StartsWith("e.txt:7: "));
}

TEST(EventScript, IsWrittenBackTimedFromTheSave) {
    const ScriptEvent e = Read("100   key  S   G shift");
    EXPECT_EQ(host::FormatEvent(e, 0), "100 key S G shift");
    EXPECT_EQ(host::FormatEvent(e, 49.9), "50.1 key S G shift");
    // The step clock's rounding does not reach the file.
    double t = 0;
    for (int i = 0; i < 500; ++i) t += 0.1;
    EXPECT_EQ(host::FormatEvent(e, t), "50 key S G shift");
    EXPECT_EQ(host::FormatEvent(e, 100.0000000000001), "0 key S G shift");
}

TEST(KeyNames, MapToTheHostInterfacesScanCodes) {
    EXPECT_EQ(host::KeyCode("G"), static_cast<unsigned>(OAPI_KEY_G));
    EXPECT_EQ(host::KeyCode("k"), static_cast<unsigned>(OAPI_KEY_K));
    EXPECT_EQ(host::KeyCode("OAPI_KEY_NUMPAD2"), static_cast<unsigned>(OAPI_KEY_NUMPAD2));
    EXPECT_EQ(host::KeyCode("rcontrol"), static_cast<unsigned>(OAPI_KEY_RCONTROL));
    EXPECT_EQ(host::KeyCode("OAPI_KEY_"), std::nullopt);
    EXPECT_EQ(host::KeyCode(""), std::nullopt);
    // Every name reads back to the code it names.
    for (const std::string &name : host::KeyNames()) EXPECT_EQ(host::KeyName(*host::KeyCode(name)), name);
    EXPECT_EQ(host::KeyName(0xFF), "0xFF");
}

}  // namespace
