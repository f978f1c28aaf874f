// The sound connector's own rules, called directly inside a probe module: what
// it forwards to the add-on, the path buffer, the null handle, and the log
// file, including logs that cannot be written.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/sound_fixture.h"
#include "world/module_library.h"

using namespace testing_support;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace fs = std::filesystem;

namespace {

// A vessel handle as the add-on receives it; the connector only passes it on.
OBJHANDLE const kVesselHandle = reinterpret_cast<OBJHANDLE>(static_cast<std::uintptr_t>(0x5eed));

class SoundConnector : public SoundTest {
protected:
    void SetUp() override {
        SoundTest::SetUp();
        std::string error;
        probe = host::ModuleLibrary::Load(TestModules() + "/probe_sound.so", &error);
        ASSERT_NE(probe, nullptr) << error;
        Bind("SoundProbeConnect", connect);
        Bind("SoundProbeSwitchOption", switchOption);
        Bind("SoundProbeSubstitute", substitute);
        Bind("SoundProbeAppendLog", appendLog);
        Bind("SoundProbePath", soundPath);
    }
    void TearDown() override {
        probe.reset();
        SoundTest::TearDown();
    }

    template <typename Function>
    void Bind(const char *name, Function *&function) {
        function = reinterpret_cast<Function *>(dlsym(probe->Handle(), name));
        ASSERT_NE(function, nullptr) << name;
    }

    // The complete add-on, bound by one connect, with its record emptied.
    void ConnectCompleteAddOn() {
        ASSERT_TRUE(LoadAddOn(SoundAddOn::kComplete));
        SetNextSoundId(3);
        ASSERT_EQ(connect(kVesselHandle), 3);
        ClearAddOnCalls();
    }

    std::shared_ptr<host::ModuleLibrary> probe;
    int (*connect)(OBJHANDLE) = nullptr;
    int (*switchOption)(int, int, int) = nullptr;
    int (*substitute)(int, const char *, int) = nullptr;
    void (*appendLog)(const char *, const char *) = nullptr;
    const char *(*soundPath)() = nullptr;
};

// ---- option switch ----

struct OptionCase {
    int soundId;
    int option;
    bool forwarded;
};

void PrintTo(const OptionCase &c, std::ostream *os) { *os << "id " << c.soundId << ", option " << c.option; }

std::string Number(int n) { return n < 0 ? "minus" + std::to_string(-static_cast<long>(n)) : std::to_string(n); }

class SoundOptionSwitch : public SoundConnector, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(SoundOptionSwitch, ForwardsOnlyOptions1To24ForIds0To59) {
    ConnectCompleteAddOn();
    const OptionCase c = GetParam();
    const int result = switchOption(c.soundId, c.option, -5);
    if (c.forwarded) {
        EXPECT_EQ(result, 1) << "the add-on's result";
        EXPECT_THAT(AddOnCalls(), ElementsAre("SoundOption3(" + std::to_string(c.soundId) + ", " +
                                              std::to_string(c.option) + ", -5)"));
    } else {
        EXPECT_EQ(result, 0);
        EXPECT_THAT(AddOnCalls(), IsEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Bounds, SoundOptionSwitch,
                         ::testing::Values(OptionCase{0, 1, true}, OptionCase{59, 24, true}, OptionCase{0, 0, false},
                                           OptionCase{0, 25, false}, OptionCase{60, 1, false},
                                           OptionCase{-1, 1, false}, OptionCase{INT_MIN, 24, false}),
                         [](const ::testing::TestParamInfo<OptionCase> &info) {
                             return "id_" + Number(info.param.soundId) + "_option_" + Number(info.param.option);
                         });

// ---- stock-sound replacement ----

struct ReplacementCase {
    int soundId;
    const char *path;
    int kind;
    bool forwarded;
};

void PrintTo(const ReplacementCase &c, std::ostream *os) {
    *os << "id " << c.soundId << ", path " << (c.path != nullptr ? c.path : "null") << ", kind " << c.kind;
}

class StockSoundReplacement : public SoundConnector, public ::testing::WithParamInterface<ReplacementCase> {};

TEST_P(StockSoundReplacement, ForwardsAGivenPathForIds0To59WithAnyKind) {
    ConnectCompleteAddOn();
    const ReplacementCase c = GetParam();
    const int result = substitute(c.soundId, c.path, c.kind);
    if (c.forwarded) {
        EXPECT_EQ(result, 1) << "the add-on's result";
        EXPECT_THAT(AddOnCalls(), ElementsAre("ReplaceStockOBSound3(" + std::to_string(c.soundId) + ", \"" + c.path +
                                              "\", " + std::to_string(c.kind) + ")"));
        EXPECT_STREQ(soundPath(), c.path);
    } else {
        EXPECT_EQ(result, 0);
        EXPECT_THAT(AddOnCalls(), IsEmpty());
        EXPECT_STREQ(soundPath(), "") << "nothing was handed over";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, StockSoundReplacement,
    ::testing::Values(ReplacementCase{0, kAttitudeSustainWave, 10, true}, ReplacementCase{59, "x.wav", -3, true},
                      ReplacementCase{7, "x.wav", INT_MAX, true}, ReplacementCase{60, "x.wav", 10, false},
                      ReplacementCase{-1, "x.wav", 10, false}, ReplacementCase{0, nullptr, 10, false}),
    [](const ::testing::TestParamInfo<ReplacementCase> &info) {
        return "id_" + Number(info.param.soundId) + (info.param.path != nullptr ? "" : "_null_path") + "_kind_" +
               Number(info.param.kind);
    });

TEST_F(SoundConnector, NothingIsForwardedBeforeAConnectHasBoundTheAddOn) {
    ASSERT_TRUE(LoadAddOn(SoundAddOn::kComplete));
    EXPECT_EQ(switchOption(0, 1, 0), 0);
    EXPECT_EQ(substitute(0, "x.wav", 10), 0);
    EXPECT_THAT(AddOnCalls(), IsEmpty());
}

TEST_F(SoundConnector, APathOfUpTo511CharactersIsForwardedWholeAndALongerOneIsRefused) {
    ConnectCompleteAddOn();
    const std::string longest(511, 'a');
    ASSERT_EQ(substitute(1, longest.c_str(), 10), 1);
    EXPECT_EQ(std::string(soundPath()), longest);

    const std::string tooLong(512, 'b');
    EXPECT_EQ(substitute(1, tooLong.c_str(), 10), 0);
    EXPECT_EQ(std::string(soundPath()), longest) << "the buffer keeps the path last handed over";
    const std::string huge(100000, 'c');
    EXPECT_EQ(substitute(1, huge.c_str(), 10), 0);
    EXPECT_EQ(AddOnCalls().size(), 1u) << "only the path that fits reached the add-on";
}

TEST_F(SoundConnector, TheAddOnGetsTheModulesOwnCopyOfThePath) {
    ConnectCompleteAddOn();
    std::string callers = "Sound\\Vessel\\mine.wav";
    ASSERT_EQ(substitute(2, callers.c_str(), 10), 1);
    // The caller's text may go away while the add-on still holds the pointer.
    callers.assign(callers.size(), 'x');
    EXPECT_EQ(AddOnLastPath(), soundPath());
    EXPECT_STREQ(AddOnLastPath(), "Sound\\Vessel\\mine.wav");
}

TEST_F(SoundConnector, EveryConnectEmptiesThePathBuffer) {
    ConnectCompleteAddOn();
    ASSERT_EQ(substitute(2, "x.wav", 10), 1);
    connect(kVesselHandle);
    EXPECT_STREQ(soundPath(), "");
    ASSERT_EQ(substitute(2, "y.wav", 10), 1);
    connect(nullptr);
    EXPECT_STREQ(soundPath(), "");
}

// ---- connect ----

TEST_F(SoundConnector, ANullHandleIsLoggedAndGetsNoIdEvenWithTheAddOnThere) {
    ASSERT_TRUE(LoadAddOn(SoundAddOn::kComplete));
    EXPECT_EQ(connect(nullptr), -1);
    EXPECT_THAT(AddOnCalls(), IsEmpty());
    EXPECT_EQ(LogText(), LogWith({kErrNullHandle}));
}

TEST_F(SoundConnector, AFailedConnectKeepsTheBindingOfAnEarlierOne) {
    ConnectCompleteAddOn();
    EXPECT_EQ(connect(nullptr), -1);
    EXPECT_EQ(switchOption(4, 4, 0), 1);
    EXPECT_THAT(AddOnCalls(), ElementsAre("SoundOption3(4, 4, 0)"));
}

// ---- log file ----

TEST_F(SoundConnector, TheHeaderComesWithTheFileAndEachEntryWithASeparator) {
    appendLog("first", "its detail");
    appendLog("second", nullptr);
    appendLog(nullptr, nullptr);
    EXPECT_EQ(LogText(), std::string(kLogHeader) +
                             "--------------------------------------\nfirst\nits detail\n"
                             "--------------------------------------\nsecond\n"
                             "--------------------------------------\n");
}

TEST_F(SoundConnector, AnExistingLogOnlyGainsEntries) {
    std::ofstream(kLogFileName) << "an earlier session\n";
    appendLog(kErrNotInstalled, "");
    EXPECT_EQ(LogText(), "an earlier session\n" + LogEntry(kErrNotInstalled));
}

TEST_F(SoundConnector, AnExistingLogThatCannotBeReadIsNotTruncated) {
    if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root";
    std::ofstream(kLogFileName) << "an earlier session\n";
    ASSERT_EQ(chmod(kLogFileName, S_IWUSR), 0);
    appendLog(kErrNotInstalled, "");
    ASSERT_EQ(chmod(kLogFileName, S_IRUSR | S_IWUSR), 0);
    EXPECT_EQ(LogText(), "an earlier session\n" + LogEntry(kErrNotInstalled));
}

// A log that can be neither read, created nor appended to, and how to mend it.
struct UnusableLogCase {
    const char *name;
    std::function<void(const std::string &scratch)> spoil;
    std::function<void(const std::string &scratch)> mend;
};

void PrintTo(const UnusableLogCase &c, std::ostream *os) { *os << c.name; }

class UnusableSoundLog : public SoundConnector, public ::testing::WithParamInterface<UnusableLogCase> {};

TEST_P(UnusableSoundLog, DropsEntriesWithoutCountingThem) {
    GetParam().spoil(scratch->Path());
    // More than a module may ever write: dropped entries must not use up its count.
    for (int i = 0; i < 150; ++i) appendLog(kErrNotInstalled, "");
    GetParam().mend(scratch->Path());
    appendLog("after", "");
    EXPECT_EQ(LogText(), LogWith({"after"}));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, UnusableSoundLog,
    ::testing::Values(
        UnusableLogCase{"LogIsADirectory", [](const std::string &) { fs::create_directory(kLogFileName); },
                        [](const std::string &) {
                            ASSERT_TRUE(fs::is_empty(kLogFileName)) << "nothing was written into the directory";
                            fs::remove(kLogFileName);
                        }},
        UnusableLogCase{"CurrentDirectoryIsGone", [](const std::string &dir) { fs::remove(dir); },
                        [](const std::string &dir) {
                            fs::create_directory(dir);
                            fs::current_path(dir);
                        }}),
    [](const ::testing::TestParamInfo<UnusableLogCase> &info) { return std::string(info.param.name); });

}  // namespace
