// The stack's class set-up, through the real module.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "stack_fixture.h"

using ::testing::ElementsAreArray;

namespace {

using StackDefinition = stack_testing::StackTest;

// The recorded set-up, one call a line, written out independently of the
// module from the stack's definition.
std::vector<std::string> GoldenSetUp() {
    std::ifstream in(QUORVANE_STACK_GOLDEN_SET_UP);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

TEST_F(StackDefinition, SetUpMakesTheseHostCallsInThisOrder) {
    const std::vector<std::string> golden = GoldenSetUp();
    ASSERT_EQ(golden.size(), 71u) << "golden journal " << QUORVANE_STACK_GOLDEN_SET_UP;
    const size_t start = JournalSize();
    Create("S", "quorvane_stack");
    EXPECT_THAT(CallsOf("S", start), ElementsAreArray(golden));
    // Nothing beyond the vessel's own definition: no random draw, no deletion.
    EXPECT_TRUE(sim->Journal()->Matching("oapiRand").empty());
    EXPECT_TRUE(sim->Journal()->Matching("oapiDeleteVessel").empty());
}

TEST_F(StackDefinition, DefinitionReachesTheHost) {
    host::SimVessel &s = Create("S", "quorvane_stack");
    EXPECT_EQ(s.emptyMass, 16620.0);
    EXPECT_EQ(s.Mass(), 16620.0) << "no propellant";
    EXPECT_EQ(s.size, 5.0);
    EXPECT_EQ(s.pmi.z, 2.0);
    for (double cw : s.cw) EXPECT_EQ(cw, 1.0);
    ASSERT_EQ(s.touchdown.size(), 3u);
    for (const TOUCHDOWNVTX &t : s.touchdown) {
        EXPECT_EQ(length(t.pos), 0.0) << "every point at the origin";
        EXPECT_EQ(t.stiffness, 60000);
        EXPECT_EQ(t.damping, 2000);
        EXPECT_EQ(t.mu, 3.0);
        EXPECT_EQ(t.mu_lng, 0.2);
    }
    ASSERT_EQ(s.airfoils.size(), 2u);
    EXPECT_EQ(s.airfoils[0]->orientation, LIFT_VERTICAL);
    EXPECT_EQ(s.airfoils[1]->orientation, LIFT_HORIZONTAL);
    EXPECT_NE(s.airfoils[0]->coeff, nullptr);
    EXPECT_NE(s.airfoils[0]->coeff, s.airfoils[1]->coeff) << "each orientation has its own function";
    // A body with attachment points and nothing else.
    EXPECT_TRUE(s.meshes.empty());
    EXPECT_TRUE(s.thrusters.empty());
    EXPECT_TRUE(s.thrusterGroups.empty());
    EXPECT_TRUE(s.propellants.empty());
    EXPECT_TRUE(s.animations.empty());
}

TEST_F(StackDefinition, OnePointToTheCarrierThenSixtyToTheSatellitesWithoutLeadingZeros) {
    host::SimVessel &s = Create("S", "quorvane_stack");
    ASSERT_EQ(s.attachments.size(), 61u);
    EXPECT_EQ(s.AttachmentCount(true), 1);
    EXPECT_EQ(s.AttachmentCount(false), 60);
    EXPECT_TRUE(s.attachments[0]->toParent);
    EXPECT_EQ(s.attachments[0]->id, "K7");
    for (int i = 0; i < 60; ++i) {
        const host::Attachment &a = *s.attachments[1 + i];
        EXPECT_FALSE(a.toParent) << i;
        EXPECT_EQ(a.id, "QV" + std::to_string(i)) << "created in index order";
        EXPECT_EQ(s.AttachmentAt(false, i), &a) << "child point i is QV" << i;
    }
    EXPECT_EQ(s.attachments[8]->id, "QV7");
}

// The Part's table of child positions, z to two decimals.
struct ChildPoint {
    int index;
    double x, z;  // [m]
};

const ChildPoint kChildPoints[] = {
    {0, 0.938, 7.53},  {1, -0.938, 7.53},  {2, 0.938, 7.29},  {3, -0.938, 7.29},  {4, 0.938, 7.05},
    {5, -0.938, 7.05}, {6, 0.938, 6.81},   {7, -0.938, 6.81}, {8, 0.938, 6.57},   {9, -0.938, 6.57},
    {28, 0.938, 4.17}, {29, -0.938, 4.17}, {30, 0.938, 3.93}, {31, -0.938, 3.93}, {56, 0.938, 0.81},
    {57, -0.938, 0.81}, {58, 0.938, 0.57}, {59, -0.938, 0.57},
};

TEST_F(StackDefinition, ChildPointsFormTwoColumnsOfPairs) {
    host::SimVessel &s = Create("S", "quorvane_stack");
    for (const ChildPoint &c : kChildPoints) {
        const host::Attachment &a = *s.AttachmentAt(false, c.index);
        EXPECT_EQ(a.pos.x, c.x) << "QV" << c.index;
        EXPECT_EQ(a.pos.y, 0.0) << "QV" << c.index;
        EXPECT_NEAR(a.pos.z, c.z, 1e-12) << "QV" << c.index;
    }
    for (int i = 0; i < 60; ++i) {
        const host::Attachment &a = *s.AttachmentAt(false, i);
        EXPECT_EQ(a.pos.x, i % 2 == 0 ? 0.938 : -0.938) << "even indices at +x, odd at -x: QV" << i;
        EXPECT_EQ(a.dir.x, 0.0);
        EXPECT_EQ(a.dir.y, 0.0);
        EXPECT_EQ(a.dir.z, 1.0);
        EXPECT_EQ(a.rot.x, -1.0);
        EXPECT_EQ(a.rot.y, 0.0);
        EXPECT_EQ(a.rot.z, 0.0);
        if (i % 2 == 1) {
            EXPECT_EQ(a.pos.z, s.AttachmentAt(false, i - 1)->pos.z) << "a pair shares one z: QV" << i;
        }
        if (i >= 2) {
            EXPECT_NEAR(s.AttachmentAt(false, i - 2)->pos.z - a.pos.z, 0.24, 1e-12) << "a pair 0.24 m below: QV" << i;
        }
    }
    const host::Attachment &k7 = *s.attachments[0];
    EXPECT_EQ(length(k7.pos), 0.0);
    EXPECT_EQ(k7.dir.z, -1.0);
    EXPECT_EQ(k7.rot.y, 1.0);
}

TEST_F(StackDefinition, SetUpStartsHoldingWhateverTheObjectHeld) {
    host::SimVessel &s = Create("S", "quorvane_stack", {"DPLY 7"});
    ASSERT_EQ(SavedLine(s, "DPLY"), "DPLY 7");
    s.Callbacks()->clbkSetClassCaps(nullptr);
    EXPECT_EQ(SavedLine(s, "DPLY"), "DPLY 0");
}

}  // namespace
