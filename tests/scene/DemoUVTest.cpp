// The demo's texture-space view: the objects' uvs through a 2D viewport,
// picking by uvs and scenes without the uvs asked for.
#include "tests/view/ViewStateTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using view_state_test::runViewer;

namespace
{
int
countLines(const std::string &text, const std::string &prefix)
{
    std::istringstream in(text);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        n += line.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
    return n;
}
}

// At the middle of the unit square lie the box's faces (each covers the
// square) and the sphere's cells; the templated torus is not pickable. The
// 160 x 120 frame's left edge is beyond the square and holds nothing.
TEST(DemoUV, PicksByUVsInTheUnitSquare)
{
    vantrel_test::ScratchDir dir;
    view_state_test::ScopedSearchPath path(dir.path());
    const std::string out = " -o " + dir.path() + "/uv.png --size 160x120";
    const auto centre = runViewer("--uv --pick 78,58,4,4" + out, dir.path());
    ASSERT_EQ(centre.status, 0) << centre.err;
    EXPECT_EQ(countLines(centre.out, "box handle 0 primitive "), 6);
    EXPECT_GE(countLines(centre.out, "sphere handle 0 primitive "), 1);
    EXPECT_EQ(countLines(centre.out, "torus "), 0);
    EXPECT_TRUE(centre.err.empty()) << centre.err;

    const auto edge = runViewer("--uv --pick 0,50,4,4" + out, dir.path());
    ASSERT_EQ(edge.status, 0) << edge.err;
    EXPECT_EQ(countLines(edge.out, "box "), 0);
    EXPECT_EQ(countLines(edge.out, "sphere "), 0);
}

// The builders put uvs on vertices: asking for point uvs says there are
// none and draws none; the bunny has no uvs at all.
TEST(DemoUV, SaysWhenTheSceneHasNoSuchUVs)
{
    vantrel_test::ScratchDir dir;
    view_state_test::ScopedSearchPath path(dir.path());
    const std::string out = " -o " + dir.path() + "/uv.png --size 96x96";
    const auto point = runViewer("--uv --uv-attrib point --pick 40,40,16,16" + out, dir.path());
    ASSERT_EQ(point.status, 0) << point.err;
    EXPECT_NE(point.err.find("no object of the scene has point uvs"), std::string::npos)
        << point.err;
    EXPECT_EQ(countLines(point.out, "box "), 0);

    const auto bunny = runViewer(std::string("--uv --mesh ") + VANTREL_SOURCE_DIR +
                                     "/examples/data/bunny.obj" + out,
                                 dir.path());
    ASSERT_EQ(bunny.status, 0) << bunny.err;
    EXPECT_NE(bunny.err.find("no object of the scene has vertex uvs"), std::string::npos)
        << bunny.err;

    const auto bad = runViewer("--uv --uv-attrib corner" + out, dir.path());
    EXPECT_NE(bad.status, 0);
    EXPECT_FALSE(bad.err.empty());
}
