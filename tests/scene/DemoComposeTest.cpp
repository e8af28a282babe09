// The demo's frame composition from the command line: the pick pass over a
// region, the fogged clear, and bad arguments.
#include "tests/view/ViewStateTestSupport.h"

#include "host/TIL/TIL_ImageFile.h"
#include "host/TIL/TIL_TextureMap.h"

#include <gtest/gtest.h>

using view_state_test::countLines;

TEST(DemoCompose, PickRegionsGoThroughTheScenePickPass)
{
    const view_state_test::DemoRuns demo("f.png", "160x120");
    // The selected sphere sits in the middle of the default frame.
    const auto one = demo.run("--pick 80,60");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_GE(countLines(one.out, "sphere "), 1);
    const auto region = demo.run("--pick 70,50,20,20");
    ASSERT_EQ(region.status, 0) << region.err;
    EXPECT_GT(countLines(region.out, "sphere "), countLines(one.out, "sphere "));
    // The top left corner holds nothing.
    const auto corner = demo.run("--pick 0,0,4,4");
    ASSERT_EQ(corner.status, 0) << corner.err;
    EXPECT_EQ(countLines(corner.out, "sphere "), 0);
    EXPECT_EQ(countLines(corner.out, "box "), 0);

    for (const char *bad : {"--pick 10,10,0,5", "--pick 10,10,5", "--pick 10,10x", "--pick 200,5",
                            "--clear 1.5"})
    {
        const auto run = demo.run(bad);
        EXPECT_NE(run.status, 0) << bad;
        EXPECT_FALSE(run.err.empty()) << bad;
    }
}

TEST(DemoCompose, FullFogClearsToTheFogColour)
{
    const view_state_test::DemoRuns demo("fog.png", "64x48");
    const auto run = demo.run("--fog --fog-weight 1 --background 0.9,0.2,0.2");
    ASSERT_EQ(run.status, 0) << run.err;
    TIL_TextureMap image;
    std::string error;
    ASSERT_TRUE(TILreadPNG(demo.framePath().c_str(), image, error)) << error;
    // The camera's fog colour is a dark grey (0.1); the red background is gone.
    const uint8_t *p = image.getPixels() + 4 * (image.getWidth() * (image.getHeight() - 1) + 60);
    EXPECT_NEAR(p[0], 26, 2);
    EXPECT_NEAR(p[1], 26, 2);
    EXPECT_NEAR(p[2], 26, 2);
}
