// The demo's frame composition from the command line: the pick pass over a
// region, copies drawn together, and bad arguments.
#include "tests/scene/GoldenFrame.h"
#include "tests/view/ViewStateTestSupport.h"

#include "host/TIL/TIL_ImageFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

TEST(DemoCompose, SamplesSmoothTheFrameButNotThePickOrTheCounts)
{
    const view_state_test::DemoRuns demo("f.png", "170x110");
    // The statistics' last field is the time; the counts before it must match.
    const auto counts = [](const std::string &out) {
        const std::string stats = view_state_test::lineAfter(out, "objects drawn");
        return stats.substr(0, stats.rfind(','));
    };
    const auto hard = demo.run("--stats --pick 60,40,30,25");
    ASSERT_EQ(hard.status, 0) << hard.err;
    const auto soft = demo.run("--samples 8 --stats --pick 60,40,30,25");
    ASSERT_EQ(soft.status, 0) << soft.err;
    EXPECT_FALSE(counts(hard.out).empty());
    EXPECT_EQ(counts(hard.out), counts(soft.out));
    EXPECT_GT(countLines(soft.out, "sphere "), 0);
    EXPECT_EQ(hard.out.substr(hard.out.find('\n')), soft.out.substr(soft.out.find('\n')));
    for (const char *bad : {"--samples 3", "--samples 0", "--samples 16", "--samples x"})
        EXPECT_EQ(demo.run(bad).status, 2) << bad;
}

// A mesh file of several parts shows each as an object of its own, homed
// onto together, and the pick names the part under the pointer.
TEST(DemoCompose, PickNamesThePartOfAMeshFile)
{
    const view_state_test::DemoRuns demo("parts.png", "160x120");
    const std::string mesh = std::string(" --mesh ") + VANTREL_SOURCE_DIR + "/examples/data/table.glb";
    // The cup stands on the table top right of the middle.
    const auto cup = demo.run("--pick 88,53" + mesh);
    ASSERT_EQ(cup.status, 0) << cup.err;
    EXPECT_GE(countLines(cup.out, "cup "), 1) << cup.out;
    EXPECT_EQ(countLines(cup.out, "leg "), 0) << cup.out;
    // The front leg reaches down to the lower right.
    const auto leg = demo.run("--pick 92,97" + mesh);
    ASSERT_EQ(leg.status, 0) << leg.err;
    EXPECT_GE(countLines(leg.out, "leg 3 "), 1) << leg.out;
    EXPECT_EQ(countLines(leg.out, "cup "), 0) << leg.out;
    EXPECT_EQ(countLines(leg.out, "table top "), 0) << leg.out;
}

// A grid of copies of the scene drawn over several frames: once the looks
// are cached and still, most objects are drawn together, and the frame is
// the one drawing each object alone gives.
TEST(DemoCompose, RepeatedObjectsDrawTogetherAfterAFewFramesAsTheyDrawAlone)
{
    const view_state_test::DemoRuns demo("grid.png", "240x150");
    const auto together = [](const std::string &out) {
        const std::string stats = view_state_test::lineAfter(out, "objects drawn");
        const size_t at = stats.find("drawn together ");
        return at == std::string::npos ? -1 : std::atoi(stats.c_str() + at + 15);
    };
    const auto first = demo.run("--repeat 5x4 --stats");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("objects drawn 60,"), std::string::npos) << first.out;
    EXPECT_EQ(together(first.out), 0);
    TIL_TextureMap alone, grouped;
    std::string error;
    ASSERT_TRUE(TILreadPNG(demo.framePath().c_str(), alone, error)) << error;

    const auto later = demo.run("--repeat 5x4 --frames 8 --stats");
    ASSERT_EQ(later.status, 0) << later.err;
    // All but the three originals: the selected sphere and the see-through
    // templated torus draw otherwise, and cut the original box off from
    // the copies that follow.
    EXPECT_EQ(together(later.out), 57) << later.out;
    ASSERT_TRUE(TILreadPNG(demo.framePath().c_str(), grouped, error)) << error;
    const golden::Comparison same = golden::compare(alone, grouped, golden::Tolerance());
    EXPECT_TRUE(same.passes(golden::Tolerance())) << same.differing << " pixels differ";

    for (const char *bad : {"--repeat 0x3", "--repeat 3", "--repeat 2x2x", "--frames 0",
                            "--frames 1001"})
    {
        const auto run = demo.run(bad);
        EXPECT_NE(run.status, 0) << bad;
        EXPECT_FALSE(run.err.empty()) << bad;
    }
}
