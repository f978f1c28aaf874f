// Attachments: where a child is held, how it leaves, and what the host refuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "world/rotation.h"
#include "world/sim_vessel.h"
#include "world/simulation.h"

namespace {

std::shared_ptr<const host::VesselClass> GenericClass(const std::string &name, std::string *) {
    auto cls = std::make_shared<host::VesselClass>();
    cls->name = name;
    cls->generic.hasMass = true;
    cls->generic.mass = 1000;
    if (name == "carrier") {
        cls->generic.attachments.push_back({false, _V(1, 0.5, 2), _V(0, 0, 1), _V(0, 1, 0), "C0"});
        cls->generic.attachments.push_back({false, _V(-1, 0, 0), _V(-1, 0, 0), _V(0, 0, 1), "C1"});
        cls->generic.attachments.push_back({true, _V(0, 0, -3), _V(0, 0, -1), _V(0, 1, 0), "P"});
    } else if (name == "payload") {
        cls->generic.attachments.push_back({true, _V(0.2, -0.1, 0.4), _V(0, -1, 0), _V(1, 0, 0), "EVEN"});
        cls->generic.attachments.push_back({false, _V(0, 1, 0), _V(0, 1, 0), _V(1, 0, 0), "TOP"});
    } else {
        return nullptr;
    }
    return cls;
}

class Attachments : public ::testing::Test {
protected:
    void SetUp() override {
        sim.SetClassResolver(GenericClass);
        carrier = Make("Carrier", "carrier");
        payload = Make("Payload", "payload");
        carrier->SetRelPos(_V(7.0e6, 1.0e5, -2.0e5));
        carrier->SetRelVel(_V(-100, 7500, 30));
        carrier->SetAttitudeAngles(_V(0.4, -0.7, 2.1));
        carrier->SetAngularVel(_V(0.01, -0.02, 0.03));
    }
    host::SimVessel *Make(const std::string &name, const std::string &cls) {
        std::string error;
        host::SimVessel *v = sim.CreateVessel(name, cls, nullptr, &error);
        EXPECT_NE(v, nullptr) << error;
        return v;
    }
    VECTOR3 GlobalPoint(const host::SimVessel &v, const host::Attachment &a) {
        return v.RelPos() + host::TMul(v.Attitude().Matrix(), a.pos);
    }
    VECTOR3 GlobalDir(const host::SimVessel &v, const VECTOR3 &d) { return host::TMul(v.Attitude().Matrix(), d); }

    host::Simulation sim;
    host::SimVessel *carrier = nullptr;
    host::SimVessel *payload = nullptr;
};

void ExpectNear(const VECTOR3 &a, const VECTOR3 &b, double tol) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

TEST_F(Attachments, ChildIsHeldPointOnPointFacingTheParentWithReferencesAligned) {
    host::Attachment *pp = carrier->AttachmentAt(false, 0);
    host::Attachment *cp = payload->AttachmentAt(true, 0);
    std::string error;
    ASSERT_TRUE(sim.Attach(pp, cp, &error)) << error;
    ExpectNear(GlobalPoint(*payload, *cp), GlobalPoint(*carrier, *pp), 1e-6);
    ExpectNear(GlobalDir(*payload, cp->dir), -GlobalDir(*carrier, pp->dir), 1e-12);
    ExpectNear(GlobalDir(*payload, cp->rot), GlobalDir(*carrier, pp->rot), 1e-12);
    // Rigid motion: the child moves with its place on the turning parent.
    const VECTOR3 omega = GlobalDir(*carrier, carrier->AngularVel());
    ExpectNear(payload->RelVel(), carrier->RelVel() + crossp(omega, payload->RelPos() - carrier->RelPos()), 1e-9);
    EXPECT_EQ(payload->Parent(), carrier);
    EXPECT_EQ(payload->AttachedAt(cp), carrier);
    EXPECT_EQ(carrier->AttachedAt(pp), payload);
}

TEST_F(Attachments, ChildStaysOnItsPointWhileTheParentFliesAndTurns) {
    ASSERT_TRUE(sim.Attach(carrier->AttachmentAt(false, 1), payload->AttachmentAt(true, 0), nullptr));
    for (int i = 0; i < 50; ++i) sim.Step(0.5);
    ExpectNear(GlobalPoint(*payload, *payload->AttachmentAt(true, 0)), GlobalPoint(*carrier, *carrier->AttachmentAt(false, 1)),
               1e-6);
    ExpectNear(GlobalDir(*payload, _V(0, -1, 0)), -GlobalDir(*carrier, _V(-1, 0, 0)), 1e-12);
}

TEST_F(Attachments, DetachGivesTheChildThePointsVelocityAndItsSpeedAndTheParentNoRecoil) {
    host::Attachment *pp = carrier->AttachmentAt(false, 0);
    ASSERT_TRUE(sim.Attach(pp, payload->AttachmentAt(true, 0), nullptr));
    const VECTOR3 parentVel = carrier->RelVel();
    // The velocity of the attachment point on the turning carrier.
    const VECTOR3 omega = GlobalDir(*carrier, carrier->AngularVel());
    const VECTOR3 atPoint = parentVel + crossp(omega, GlobalPoint(*carrier, *pp) - carrier->RelPos());
    ASSERT_TRUE(sim.DetachChild(pp, 0.59));
    ExpectNear(payload->RelVel() - atPoint, GlobalDir(*carrier, pp->dir) * 0.59, 1e-9);
    EXPECT_EQ(carrier->RelVel().x, parentVel.x);
    EXPECT_EQ(carrier->RelVel().y, parentVel.y);
    EXPECT_EQ(carrier->RelVel().z, parentVel.z);
    EXPECT_EQ(payload->Parent(), nullptr);
    EXPECT_EQ(carrier->AttachedAt(pp), nullptr);
    EXPECT_FALSE(sim.DetachChild(pp, 1.0)) << "nothing left to detach";
}

TEST_F(Attachments, RefusesWhatCannotBe) {
    host::SimVessel *other = Make("Other", "payload");
    host::Attachment *c0 = carrier->AttachmentAt(false, 0);
    host::Attachment *c1 = carrier->AttachmentAt(false, 1);
    host::Attachment *payloadUp = payload->AttachmentAt(true, 0);
    std::string error;
    EXPECT_FALSE(sim.Attach(payloadUp, c0, &error)) << "kinds swapped";
    EXPECT_FALSE(sim.Attach(c0, nullptr, &error));
    ASSERT_TRUE(sim.Attach(c0, payloadUp, &error)) << error;
    EXPECT_FALSE(sim.Attach(c0, other->AttachmentAt(true, 0), &error)) << "point taken";
    EXPECT_THAT(error, ::testing::HasSubstr("already holds Payload"));
    EXPECT_FALSE(sim.Attach(c1, payloadUp, &error)) << "child already attached";
    // The carrier below its own payload would make a loop.
    EXPECT_FALSE(sim.Attach(payload->AttachmentAt(false, 0), carrier->AttachmentAt(true, 0), &error));
    EXPECT_THAT(error, ::testing::HasSubstr("below itself"));
}

TEST_F(Attachments, DestroyingAParentSetsItsChildrenFree) {
    ASSERT_TRUE(sim.Attach(carrier->AttachmentAt(false, 0), payload->AttachmentAt(true, 0), nullptr));
    sim.DestroyVessel(carrier);
    EXPECT_EQ(payload->Parent(), nullptr);
    EXPECT_EQ(sim.Vessels().size(), 1u);
    sim.Step(1.0);  // flies on by itself
}

TEST_F(Attachments, ADeletedVesselGoesAtTheEndOfTheStep) {
    ASSERT_TRUE(sim.Attach(carrier->AttachmentAt(false, 0), payload->AttachmentAt(true, 0), nullptr));
    carrier->MarkForDeletion();
    EXPECT_EQ(sim.Vessels().size(), 2u);
    sim.Step(0.1);
    EXPECT_EQ(sim.Vessels().size(), 1u);
    EXPECT_EQ(sim.FindVessel("Carrier"), nullptr);
    EXPECT_EQ(payload->Parent(), nullptr);
}

TEST_F(Attachments, ScenarioLinksAreResolvedByNameAndIndex) {
    std::vector<host::ScenarioLine> lines = {{3, "STATUS Orbiting Earth"}, {4, "ATTACHED 0:1,Carrier"}};
    host::ScenarioBlockReader block("links.scn", lines);
    std::string error;
    host::SimVessel *p2 = sim.CreateVessel("Payload2", "payload", &block, &error);
    ASSERT_NE(p2, nullptr) << error;
    ASSERT_TRUE(sim.FinishCreation(&error)) << error;
    EXPECT_EQ(p2->Parent(), carrier);
    EXPECT_EQ(carrier->AttachedAt(carrier->AttachmentAt(false, 1)), p2);

    std::vector<host::ScenarioLine> bad = {{9, "ATTACHED 0:0,Nobody"}};
    host::ScenarioBlockReader badBlock("links.scn", bad);
    ASSERT_NE(sim.CreateVessel("Payload3", "payload", &badBlock, &error), nullptr);
    EXPECT_FALSE(sim.FinishCreation(&error));
    EXPECT_EQ(error, "links.scn:9: Payload3 is attached to unknown vessel Nobody");
}

}  // namespace
