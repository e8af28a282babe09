// The demo's frame composition from the command line: the pick pass over a
// region, and bad arguments.
#include "tests/view/ViewStateTestSupport.h"

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
