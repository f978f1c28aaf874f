// The reference deployment, watched from the host: the road of the release
// step by step, the group at the end, the nadir pointing, and runs saved on
// the way and resumed. A step of 1 s keeps the runs short.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "program/scenario_run.h"
#include "support/host_fixture.h"
#include "world/rotation.h"

namespace {

const char kStep[] = "1";      // [s]
const double kStepLength = 1;  // [s]
// The reference orbit: circular, 6921 km from the Earth's centre.
const double kOrbitRadius = 6921000;  // [m]
const double kMu = 3.986004418e14;    // [m^3/s^2]

// The main job in-process, in a scratch folder, with the build tree as the
// installation; the options after the program's own.
class MainJob {
public:
    explicit MainJob(std::vector<std::string> args) {
        std::vector<std::string> all = {"quorvane-sim", "--root", testing_support::BuildRoot(), "--quiet"};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<const char *> argv;
        for (const std::string &a : all) argv.push_back(a.c_str());
        host::RunOptions options;
        std::string error;
        if (!host::ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &options, &error))
            throw std::runtime_error(error);
        run = std::make_unique<host::ScenarioRun>(options, host::ScenarioRun::Observer{});
    }
    bool Load(std::string *error) { return run->Load(error); }
    bool Run(std::string *error) { return run->Load(error) && run->Run(error); }
    host::Simulation &Sim() { return run->Sim(); }
    const host::DeploymentFigures &Figures() { return run->Watch()->Figures(); }

    std::unique_ptr<host::ScenarioRun> run;
};

class ReferenceDeployment : public ::testing::Test {
protected:
    testing_support::ScratchDirectory scratch;  // the working folder, for the saved scenarios
};

TEST_F(ReferenceDeployment, HangsEachSatelliteMirrorToItsNeighbourWithItsArrayTowardTheStacksCentrePlane) {
    MainJob job({});
    std::string error;
    ASSERT_TRUE(job.Load(&error)) << error;
    const host::SimVessel *stack = job.Sim().FindVessel("Stack");
    ASSERT_NE(stack, nullptr);
    ASSERT_EQ(stack->Parent(), job.Sim().FindVessel("Launcher"));
    const MATRIX3 &frame = stack->Attitude().Matrix();
    auto inStack = [&](const VECTOR3 &global) { return host::Mul(frame, global); };
    for (int i = 0; i < 60; ++i) {
        const host::SimVessel &sat = *job.Sim().Vessels()[2 + i];
        ASSERT_EQ(sat.Parent(), stack) << sat.Name();
        EXPECT_EQ(sat.ParentLink()->mate, stack->AttachmentAt(false, i)) << sat.Name();
        EXPECT_EQ(sat.ClassName(), i % 2 == 0 ? "quorvane_odd" : "quorvane_even") << sat.Name();
        // The array's first hinge, in the stack's frame, lies nearer the centre plane x = 0 than the satellite.
        const host::Affine hinge = sat.GroupTransform(0, 0);
        const VECTOR3 hingeG = sat.RelPos() + host::TMul(sat.Attitude().Matrix(), hinge.Apply(_V(-0.83, 0.102, 0)));
        const VECTOR3 hingeS = inStack(hingeG - stack->RelPos()), centreS = inStack(sat.RelPos() - stack->RelPos());
        EXPECT_LT(std::fabs(hingeS.x), std::fabs(centreS.x)) << sat.Name();
        // Mirror to the neighbour across the plane: the body x axes point away from it, each on its side.
        const double side = i % 2 == 0 ? 1.0 : -1.0;
        EXPECT_NEAR(inStack(host::Row(sat.Attitude().Matrix(), 0)).x, side, 1e-12) << sat.Name();
        EXPECT_NEAR(centreS.x, 0.938 * side, 1e-9) << sat.Name();
    }
}

TEST_F(ReferenceDeployment, GoesTheRoadFromTheLaunchVehicleToSixtyPointingSatellites) {
    MainJob job({"--dt", kStep});
    std::string error;
    ASSERT_TRUE(job.Run(&error)) << error;
    const host::DeploymentFigures &f = job.Figures();

    // The stack: let go at 10 s, releases in the next step, removed exactly one step later.
    ASSERT_EQ(f.stacks.size(), 1u);
    const host::StackRecord &stack = f.stacks[0];
    EXPECT_EQ(stack.carrier, "Launcher");
    ASSERT_TRUE(stack.letGo.seen && stack.release.seen && stack.removal.seen);
    EXPECT_EQ(stack.letGo.time, 10.0);
    EXPECT_EQ(stack.release.step, stack.letGo.step) << "released in the first step without a carrier";
    EXPECT_EQ(stack.removal.step, stack.release.step + 1);
    EXPECT_EQ(stack.satellitesReleased, 60);
    EXPECT_EQ(job.Sim().FindVessel("Stack"), nullptr);

    ASSERT_EQ(f.satellites.size(), 60u);
    ASSERT_EQ(f.releaseOrder.size(), 60u);
    for (size_t i = 0; i < 60; ++i) {
        const host::SatelliteRecord &sat = f.satellites[i];
        SCOPED_TRACE(sat.name);
        EXPECT_EQ(f.releaseOrder[i], i) << "set free in the order of the points";
        EXPECT_EQ(sat.releasedBy, "Stack");
        EXPECT_EQ(sat.release.step, stack.release.step);
        const host::SimVessel *v = job.Sim().FindVessel(sat.name);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->Parent(), nullptr) << "free";
        // Base speed 0.59 - 0.01 i and a random part below 0.005.
        EXPECT_GE(sat.separationSpeed, 0.59 - 0.01 * static_cast<double>(i) - 1e-9);
        EXPECT_LT(sat.separationSpeed, 0.59 - 0.01 * static_cast<double>(i) + 0.005);
        // Counting starts the step after the release is noticed; the first step that takes the count past
        // 2000 s activates the satellite, and the array is out 20 s later.
        ASSERT_TRUE(sat.activation.seen && sat.deployment.seen);
        const double counted = static_cast<double>(sat.activation.step - sat.release.step) * kStepLength;
        EXPECT_GT(counted, 2000.0);
        EXPECT_LE(counted - kStepLength, 2000.0);
        EXPECT_NEAR(sat.deployment.time - sat.activation.time, 20.0, 1e-9);
    }

    // At the end the group lies in the order of the separation speeds: the faster, the farther from the slowest.
    std::vector<size_t> bySpeed(60);
    for (size_t i = 0; i < 60; ++i) bySpeed[i] = i;
    std::sort(bySpeed.begin(), bySpeed.end(),
              [&](size_t a, size_t b) { return f.satellites[a].separationSpeed < f.satellites[b].separationSpeed; });
    const VECTOR3 slowest = job.Sim().FindVessel(f.satellites[bySpeed[0]].name)->RelPos();
    double previous = 0;
    for (size_t k = 1; k < 60; ++k) {
        const std::string &name = f.satellites[bySpeed[k]].name;
        const double d = length(job.Sim().FindVessel(name)->RelPos() - slowest);
        EXPECT_GT(d, previous) << name;
        previous = d;
    }
    ASSERT_TRUE(f.hasSpread);
    EXPECT_NEAR(f.spread, previous, 1e-6) << "the first and the last set free are the group's ends";
    // No two ever come closer than they stood on the stack (0.24 m apart along it).
    ASSERT_TRUE(f.hasClosest);
    EXPECT_GT(f.closestDistance, 0.24);

    // Nadir: exact right after the pre-step; at the end of a step off by the turn of the orbit in that step
    // (a little more where the separation has made the orbit faster: a tenth of a percent covers it).
    ASSERT_TRUE(f.hasPointing);
    EXPECT_LT(f.nadirErrorAfterPreStep, 1e-9);
    const double orbitRate = std::sqrt(kMu / (kOrbitRadius * kOrbitRadius * kOrbitRadius));  // [rad/s]
    EXPECT_LE(f.nadirErrorAtStepEnd, orbitRate * kStepLength * 1.001);
    EXPECT_GT(f.nadirErrorAtStepEnd, orbitRate * kStepLength * 0.999);
}

// ---- saved on the way and resumed ----

struct Block {
    std::map<std::string, std::string> lines;  // key: value
};

std::map<std::string, Block> Ships(const std::string &path) {
    std::ifstream in(path);
    std::map<std::string, Block> ships;
    std::string line, current;
    bool inShips = false;
    while (std::getline(in, line)) {
        if (line == "BEGIN_SHIPS") inShips = true;
        if (line == "END_SHIPS") inShips = false;
        if (!inShips || line == "BEGIN_SHIPS") continue;
        if (line == "END") {
            current.clear();
        } else if (current.empty()) {
            current = line.substr(0, line.find(':'));
            ships[current];
        } else {
            std::istringstream words(line);
            std::string key, value;
            words >> key;
            std::getline(words, value);
            ships[current].lines[key] = value;
        }
    }
    return ships;
}

VECTOR3 Position(const Block &b) {
    std::istringstream in(b.lines.at("RPOS"));
    VECTOR3 p;
    in >> p.x >> p.y >> p.z;
    return p;
}

struct SavePoint {
    const char *name;
    const char *time;  // [s]
};
void PrintTo(const SavePoint &p, std::ostream *os) { *os << p.name; }

class ResumedDeployment : public ReferenceDeployment, public ::testing::WithParamInterface<SavePoint> {};

TEST_P(ResumedDeployment, EndsAsTheUninterruptedRun) {
    const SavePoint &p = GetParam();
    std::string error;
    MainJob whole({"--dt", kStep, "--event", std::string(p.time) + " save half.scn"});
    ASSERT_TRUE(whole.Run(&error)) << error;
    MainJob resumed({"half.scn", "--report", "--dt", kStep, "--save", "resumed.scn"});
    ASSERT_TRUE(resumed.Run(&error)) << error;
    EXPECT_NEAR(resumed.Sim().Mjd(), whole.Sim().Mjd(), 1e-9) << "both end with the last array out";

    const std::map<std::string, Block> a = Ships(host::kReferenceScenarioSave), b = Ships("resumed.scn");
    ASSERT_EQ(a.size(), 61u);
    ASSERT_EQ(b.size(), a.size());
    for (const auto &[name, block] : a) {
        SCOPED_TRACE(name);
        ASSERT_EQ(b.count(name), 1u);
        const Block &other = b.at(name);
        for (const char *key : {"SOLP", "DPLY", "PRPLEVEL"}) {
            EXPECT_EQ(other.lines.count(key), block.lines.count(key)) << key;
            if (block.lines.count(key) != 0 && other.lines.count(key) != 0) {
                EXPECT_EQ(other.lines.at(key), block.lines.at(key)) << key;
            }
        }
        EXPECT_LT(length(Position(other) - Position(block)), 0.01);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ResumedDeployment,
                         ::testing::Values(SavePoint{"stack_let_go_not_yet_released", "10"},
                                           SavePoint{"between_release_and_removal", "10.5"},
                                           SavePoint{"counting", "1000"}, SavePoint{"arrays_unfolding", "2021"}),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
