// The add-on's meshes: well-formed, the same geometry in both variants (their
// array animations are the same), and the solar array unfolding into one
// continuous wing above the bus.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "files/mesh_file.h"
#include "support/host_fixture.h"

using ::testing::HasSubstr;
using testing_support::BuildRoot;

namespace {

host::MeshFile LoadMesh(const std::string &variant) {
    std::string error;
    auto mesh = host::MeshFile::Load(BuildRoot() + "/Meshes/quorvane/quorvane_" + variant + ".msh", &error);
    if (!mesh) ADD_FAILURE() << error;
    return mesh.value_or(host::MeshFile{});
}

VECTOR3 Centroid(const host::MeshGroup &g) {
    VECTOR3 c = _V(0, 0, 0);
    for (const host::MeshVertex &v : g.vertices) c = c + v.pos;
    return c / static_cast<double>(g.vertices.size());
}

TEST(AddonMeshes, HaveTheSixPanelGroupsFirstAndFaceOutward) {
    for (const char *variant : {"odd", "even"}) {
        const host::MeshFile mesh = LoadMesh(variant);
        ASSERT_GE(mesh.groups.size(), 7u) << variant;
        for (int k = 0; k < 6; ++k) EXPECT_EQ(mesh.groups[k].label, "panel" + std::to_string(k)) << variant;
        for (const host::MeshGroup &g : mesh.groups) {
            for (size_t t = 0; t < g.triangles.size(); t += 3) {
                const host::MeshVertex &a = g.vertices[g.triangles[t]], &b = g.vertices[g.triangles[t + 1]],
                                       &c = g.vertices[g.triangles[t + 2]];
                // The visible side: the plain cross product points along the normal.
                EXPECT_GT(dotp(crossp(b.pos - a.pos, c.pos - a.pos), a.normal), 0) << variant << " " << g.label;
            }
        }
    }
}

TEST(AddonMeshes, BothVariantsShareTheirGeometry) {
    // The even variant's mirroring comes from how it hangs on the carrier;
    // its panels must lie on the same hinge lines as the odd one's.
    const host::MeshFile odd = LoadMesh("odd"), even = LoadMesh("even");
    ASSERT_EQ(odd.groups.size(), even.groups.size());
    for (size_t g = 0; g < odd.groups.size(); ++g) {
        ASSERT_EQ(odd.groups[g].vertices.size(), even.groups[g].vertices.size());
        for (size_t i = 0; i < odd.groups[g].vertices.size(); ++i) {
            const VECTOR3 p = odd.groups[g].vertices[i].pos, q = even.groups[g].vertices[i].pos;
            EXPECT_EQ(length(q - p), 0.0) << g << " " << i;
        }
        EXPECT_EQ(odd.groups[g].triangles, even.groups[g].triangles);
    }
}

class DeployedArray : public testing_support::HostTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(DeployedArray, UnfoldsIntoOneWingStandingOnTheBus) {
    const host::MeshFile mesh = LoadMesh(GetParam());
    host::SimVessel &sat = Create("Q1", std::string("quorvane_") + GetParam());
    ASSERT_TRUE(sat.SetAnimation(0, 1.0));
    std::vector<std::vector<VECTOR3>> deployed(6);
    for (UINT k = 0; k < 6; ++k) {
        const host::Affine t = sat.GroupTransform(0, k);
        for (const host::MeshVertex &v : mesh.groups[k].vertices) deployed[k].push_back(t.Apply(v.pos));
    }
    // Every panel stands upright (along body y) above the bus, in one line.
    double top = 0;
    for (int k = 0; k < 6; ++k) {
        for (const VECTOR3 &p : deployed[k]) {
            EXPECT_GT(p.y, 0.1) << "panel " << k << " stays clear of the bus";
            EXPECT_NEAR(p.x, -0.83, 0.03) << "panel " << k;
            top = std::max(top, p.y);
        }
    }
    EXPECT_GT(top, 6.0) << "six panels end to end";
    // Neighbours meet: the gap between panel k's highest point and panel
    // k + 1's lowest is less than a centimetre.
    for (int k = 0; k + 1 < 6; ++k) {
        double high = -1e9, low = 1e9;
        for (const VECTOR3 &p : deployed[k]) high = std::max(high, p.y);
        for (const VECTOR3 &p : deployed[k + 1]) low = std::min(low, p.y);
        EXPECT_NEAR(high, low, 0.01) << "panels " << k << " and " << k + 1;
    }
    // Stowed, the panels lie flat on the bus.
    ASSERT_TRUE(sat.SetAnimation(0, 0.0));
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(sat.GroupTransform(0, k).Apply(Centroid(mesh.groups[k])).y, 0.1, 0.03);
}

INSTANTIATE_TEST_SUITE_P(Variants, DeployedArray, ::testing::Values("odd", "even"));

struct BadMesh {
    const char *name;
    const char *text;
    const char *message;
};

class MeshParsing : public ::testing::TestWithParam<BadMesh> {};

TEST_P(MeshParsing, NamesTheLineOfTheFault) {
    std::string error;
    EXPECT_FALSE(host::MeshFile::Parse("bad.msh", GetParam().text, &error).has_value());
    EXPECT_THAT(error, HasSubstr(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Table, MeshParsing,
    ::testing::Values(BadMesh{"no_header", "GROUPS 0\n", "bad.msh:1: a mesh file starts with MSHX1"},
                      BadMesh{"no_geom", "MSHX1\nGROUPS 1\nLABEL a\n", "group 0 has no GEOM line"},
                      BadMesh{"index_out_of_range", "MSHX1\nGROUPS 1\nGEOM 3 1\n0 0 0 0 1 0\n1 0 0 0 1 0\n0 0 1 0 1 0\n0 1 3\n",
                              "bad.msh:7: expected three vertex indices below 3"},
                      BadMesh{"bad_vertex", "MSHX1\nGROUPS 1\nGEOM 1 0\n0 0 zero 0 1 0\n", "bad.msh:4: expected a vertex"},
                      BadMesh{"unknown_material", "MSHX1\nGROUPS 1\nMATERIAL 2\nGEOM 0 0\nMATERIALS 0\nTEXTURES 0\n",
                              "names material 2"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
