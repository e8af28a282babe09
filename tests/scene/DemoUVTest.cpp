// The demo's texture-space view: the objects' uvs through a 2D viewport,
// picking by uvs and scenes without the uvs asked for.
#include "tests/view/ViewStateTestSupport.h"

#include <gtest/gtest.h>

using view_state_test::countLines;

// At the middle of the unit square lie the box's faces (each covers the
// square) and the sphere's cells; the templated torus is not pickable. The
// 160 x 120 frame's left edge is beyond the square and holds nothing.
TEST(DemoUV, PicksByUVsInTheUnitSquare)
{
    const view_state_test::DemoRuns demo("uv.png", "160x120");
    const auto centre = demo.run("--uv --pick 78,58,4,4");
    ASSERT_EQ(centre.status, 0) << centre.err;
    EXPECT_EQ(countLines(centre.out, "box handle 0 primitive "), 6);
    EXPECT_GE(countLines(centre.out, "sphere handle 0 primitive "), 1);
    EXPECT_EQ(countLines(centre.out, "torus "), 0);
    EXPECT_TRUE(centre.err.empty()) << centre.err;

    const auto edge = demo.run("--uv --pick 0,50,4,4");
    ASSERT_EQ(edge.status, 0) << edge.err;
    EXPECT_EQ(countLines(edge.out, "box "), 0);
    EXPECT_EQ(countLines(edge.out, "sphere "), 0);
}

// The builders put uvs on vertices: asking for point uvs says there are
// none and draws none; the bunny has no uvs at all.
TEST(DemoUV, SaysWhenTheSceneHasNoSuchUVs)
{
    const view_state_test::DemoRuns demo("uv.png", "96x96");
    const auto point = demo.run("--uv --uv-attrib point --pick 40,40,16,16");
    ASSERT_EQ(point.status, 0) << point.err;
    EXPECT_NE(point.err.find("no object of the scene has point uvs"), std::string::npos)
        << point.err;
    EXPECT_EQ(countLines(point.out, "box "), 0);

    const auto bunny =
        demo.run(std::string("--uv --mesh ") + VANTREL_SOURCE_DIR + "/examples/data/bunny.obj");
    ASSERT_EQ(bunny.status, 0) << bunny.err;
    EXPECT_NE(bunny.err.find("no object of the scene has vertex uvs"), std::string::npos)
        << bunny.err;

    const auto bad = demo.run("--uv --uv-attrib corner");
    EXPECT_NE(bad.status, 0);
    EXPECT_FALSE(bad.err.empty());
}
