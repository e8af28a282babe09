// Golden frames: the demo's frames compared with committed references,
// and the comparison itself.
#include "tests/scene/GoldenFrame.h"
#include "tests/support/VantrelScratch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace
{
const std::string theGoldenDir = std::string(VANTREL_SOURCE_DIR) + "/tests/scene/golden";

// Where failing comparisons leave their images: beside the test programs.
std::string
failureDir()
{
    return std::filesystem::path(VANTREL_VIEW_EXE).parent_path().string() + "/golden-failures";
}

std::vector<std::string>
caseNames()
{
    std::vector<std::string> names;
    std::ifstream in(theGoldenDir + "/cases.txt");
    for (std::string line; std::getline(in, line);)
    {
        std::istringstream words(line);
        std::string name;
        if (words >> name && name[0] != '#')
            names.push_back(name);
    }
    return names;
}

// Renders the cases (all, or one) into dir; true when the script ran well.
bool
renderCases(const std::string &dir, const std::string &only = "")
{
    const std::string cmd = "timeout 300 " + theGoldenDir + "/render.sh " + VANTREL_VIEW_EXE +
                            " " + dir + (only.empty() ? "" : " " + only);
    return std::system(cmd.c_str()) == 0;
}

TIL_TextureMap
filled(int w, int h, uint8_t v)
{
    TIL_TextureMap image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, v, v, v, 255);
    return image;
}
}

TEST(GoldenFrame, DemoFramesMatchTheirReferences)
{
    const std::vector<std::string> names = caseNames();
    ASSERT_GE(names.size(), 5u);
    vantrel_test::ScratchDir scratch;
    ASSERT_TRUE(renderCases(scratch.path()));
    for (const std::string &name : names)
    {
        const std::string why = golden::check(name, scratch.path() + "/" + name + ".png",
                                              theGoldenDir + "/" + name + ".png", failureDir());
        EXPECT_EQ(why, "") << name;
    }
}

// The default frame with one thing changed: the camera turned a little,
// the templated torus (faint against the background) gone, the sticky
// origin's few dozen pixels gone. Each must fail and leave its images.
TEST(GoldenFrame, AMovedOrVanishedObjectFailsAndLeavesItsImages)
{
    const struct
    {
        const char *name;
        const char *args;
    } changes[] = {{"moved", "--tumble 12,0"},
                   {"no-torus", "--display-flag showtemplates=0"},
                   {"no-tripod", "--no-sticky-origin"}};
    vantrel_test::ScratchDir scratch;
    const std::string out = scratch.path() + "/failures";
    for (const auto &change : changes)
    {
        const std::string frame = scratch.path() + "/" + change.name + ".png";
        const std::string cmd = "cd " + std::string(VANTREL_SOURCE_DIR) + " && HOME=" +
                                scratch.path() + " VANTREL_PATH=" + scratch.path() +
                                " timeout 60 " + VANTREL_VIEW_EXE + " --size 160x120 " +
                                change.args + " -o " + frame + " >/dev/null";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << change.name;
        const std::string why =
            golden::check(change.name, frame, theGoldenDir + "/default.png", out);
        EXPECT_NE(why.find("pixels differ"), std::string::npos) << change.name << ": " << why;
        EXPECT_TRUE(std::filesystem::exists(out + "/" + change.name + ".actual.png"));
        EXPECT_TRUE(std::filesystem::exists(out + "/" + change.name + ".diff.png"));
    }

    // A missing reference names the command that renders them.
    const std::string missing = golden::check("none", scratch.path() + "/moved.png",
                                              scratch.path() + "/none.png", out);
    EXPECT_NE(missing.find(golden::theRegenerateCommand), std::string::npos) << missing;
    EXPECT_FALSE(std::filesystem::exists(out + "/none.actual.png"));
}

TEST(GoldenFrame, ToleranceTakesDriverRoundingButNotChangedPixels)
{
    const golden::Tolerance tol; // 3 per channel, 24 pixels
    const TIL_TextureMap ref = filled(100, 50, 100);

    // Every pixel off by the tolerance: rounding. One unit more is not.
    EXPECT_TRUE(golden::compare(ref, filled(100, 50, 103), tol).passes(tol));
    EXPECT_EQ(golden::compare(ref, filled(100, 50, 96), tol).differing, 100 * 50);
    // A few pixels along an edge: the budget passes, one more fails.
    TIL_TextureMap edge = ref;
    for (int i = 0; i < tol.pixels; ++i)
        edge.setPixel(i, 0, 110, 100, 100, 255);
    EXPECT_TRUE(golden::compare(ref, edge, tol).passes(tol));
    edge.setPixel(0, 1, 100, 100, 96, 255);
    TIL_TextureMap diff;
    const golden::Comparison c = golden::compare(ref, edge, tol, &diff);
    EXPECT_EQ(c.differing, tol.pixels + 1);
    EXPECT_FALSE(c.passes(tol));
    // The diff marks exactly the differing pixels.
    const uint8_t *d = diff.getPixels();
    EXPECT_EQ(d[0], 255);
    EXPECT_EQ(d[1], 0);
    EXPECT_EQ(d[4 * 60], 33);
    EXPECT_EQ(d[4 * 100], 255); // the pixel on the second row
    // Alpha counts too, and frames of another size never pass.
    TIL_TextureMap clear = ref;
    clear.setPixel(3, 3, 100, 100, 100, 0);
    EXPECT_EQ(golden::compare(ref, clear, tol).differing, 1);
    EXPECT_FALSE(golden::compare(ref, filled(50, 100, 100), tol).passes(tol));
    EXPECT_FALSE(golden::compare(ref, TIL_TextureMap(), tol).passes(tol));
}
