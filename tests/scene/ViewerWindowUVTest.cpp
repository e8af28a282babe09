// The viewer window's texture-space view under a virtual X server: drags
// pan and zoom without turning the flat view, the wheel and right drag zoom
// about the pointer, homing gives back the headless --uv frame and camera,
// a click picks the primitive the headless --uv pick finds there, and
// wild input leaves finite numbers. Skipped, saying why, where no virtual
// X server can run.
#include "tests/scene/GoldenFrame.h"
#include "tests/scene/ViewerWindowSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

using view_state_test::ChildRun;
using view_state_test::runViewer;
using vantrel_test::readFile;
using vantrel_test::ScratchDir;
using vantrel_test::writeFile;
using namespace viewer_window_test;

namespace
{
const std::string theArgs = "--uv --samples 1 --size 160x120";

// Drags with all three buttons, the wheel and a box zoom: the view pans
// and zooms away from home; the 3D homes' keys do nothing here.
const char *const theNavigation = "key 3\nkey 0\ndown 80 60\nmove 90 60\nmove 100 70\nup 100 70\n"
                                  "down 30 30 middle\nmove 40 50\nup 40 50 middle\n"
                                  "wheel 70 50 2\n"
                                  "down 100 100 right\nmove 110 90\nup 110 90 right\n"
                                  "down 20 20 left shift\nmove 60 50\nup 60 50 left\n";

// The rest of every line of text that starts with prefix, in order.
std::vector<std::string>
linesAfter(const std::string &text, const std::string &prefix)
{
    std::vector<std::string> found;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, prefix.size(), prefix) == 0)
            found.push_back(line.substr(prefix.size()));
    return found;
}

// What the window's clicks picked, in order.
std::vector<std::string>
picks(const std::string &out)
{
    return linesAfter(out, "picked ");
}

// The sphere primitive a headless pick of the pixel finds; "" unless
// exactly one.
std::string
sphereUnder(const std::string &xy, const std::string &dir)
{
    const ChildRun probe = runViewer(theArgs + " -o " + dir + "/probe.png --pick " + xy, dir);
    std::vector<std::string> prims = linesAfter(probe.out, "sphere handle 0 primitive ");
    if (prims.size() != 1)
        return "";
    // "N depth D"
    return "sphere primitive " + prims[0].substr(0, prims[0].find(' '));
}

// The window and the headless frame draw with the same GL driver here: a
// few pixels of difference are a real one.
golden::Tolerance
exact()
{
    golden::Tolerance tol;
    tol.pixels = 0;
    return tol;
}

void
expectSameNumbers(const std::vector<double> &actual, const std::vector<double> &expected,
                  const char *what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-3 * (1.0 + std::fabs(expected[i])))
            << what << " number " << i;
}
} // namespace

TEST(ViewerWindowUV, NavigationIsFlatAndHomeGivesBackTheHeadlessFrameAndPicks)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();
    const ChildRun headless =
        runViewer(theArgs + " -o " + d + "/headless.png --save-camera " + d + "/headless.cam", d);
    ASSERT_EQ(headless.status, 0) << headless.err;
    const std::string reference = readFile(d + "/headless.cam");
    // Inside one cell of the sphere's uvs, over the box's faces.
    const std::string expected = sphereUnder("60,40", d);
    ASSERT_FALSE(expected.empty());

    // Navigation alone moves and zooms the view but never turns it.
    writeFile(d + "/moved.events", std::string(theNavigation) + "key escape\n");
    ChildRun run = runWindowed(theArgs + " --events " + d + "/moved.events --save-camera " + d +
                                   "/moved.cam",
                               d);
    VANTREL_SKIP_IF_VIRTUAL_X_FAILED(run);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string moved = readFile(d + "/moved.cam");
    expectSameNumbers(cameraEntry(moved, "rotation"), cameraEntry(reference, "rotation"),
                      "rotation");
    const std::vector<double> t0 = cameraEntry(reference, "txyz"), t1 = cameraEntry(moved, "txyz");
    ASSERT_EQ(t1.size(), 3u);
    EXPECT_GT(std::fabs(t1[0] - t0[0]) + std::fabs(t1[1] - t0[1]), 0.05);
    EXPECT_NEAR(t1[2], t0[2], 1e-4);
    EXPECT_NE(cameraEntry(moved, "window"), cameraEntry(reference, "window"));

    // The same, then home, a click, the frame saved.
    writeFile(d + "/session.events",
              std::string(theNavigation) + "key h\ndown 60 40\nup 60 40\nkey s\nkey q\n");
    run = runWindowed(theArgs + " --events " + d + "/session.events -o " + d +
                          "/window.png --save-camera " + d + "/window.cam",
                      d);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(picks(run.out), std::vector<std::string>{expected}) << run.out;
    expectSameNumbers(cameraNumbers(readFile(d + "/window.cam")), cameraNumbers(reference),
                      "camera");
    const std::string why =
        golden::check("uv-window", d + "/window.png", d + "/headless.png", d, exact());
    EXPECT_TRUE(why.empty()) << why;
}

// What lies under the pointer stays there while the wheel or a right drag
// zooms: the same pixel picks the same primitive before and after.
TEST(ViewerWindowUV, ZoomKeepsWhatIsUnderThePointer)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();
    writeFile(d + "/zoom.events",
              "down 4 60\nup 4 60\n"
              "down 60 40\nup 60 40\nwheel 60 40 3\ndown 60 40\nup 60 40\n"
              "down 100 80\nup 100 80\n"
              "down 100 80 right\nmove 110 70\nmove 115 60\nup 115 60 right\n"
              "down 100 80\nup 100 80\nkey q\n");
    const ChildRun run = runWindowed(
        theArgs + " --events " + d + "/zoom.events --save-camera " + d + "/zoom.cam", d);
    VANTREL_SKIP_IF_VIRTUAL_X_FAILED(run);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> got = picks(run.out);
    ASSERT_EQ(got.size(), 5u) << run.out;
    // Left of the unit square lies nothing.
    EXPECT_EQ(got[0], "nothing");
    EXPECT_EQ(got[1], sphereUnder("60,40", d));
    EXPECT_EQ(got[2], got[1]);
    EXPECT_EQ(got[4], got[3]);
    EXPECT_NE(got[3], got[1]);
    const std::vector<double> window = cameraEntry(readFile(d + "/zoom.cam"), "window");
    ASSERT_EQ(window.size(), 4u);
    EXPECT_TRUE(window[1] < 0.5 || window[3] < 0.5) << readFile(d + "/zoom.cam");
}

TEST(ViewerWindowUV, WildInputKeepsTheViewFiniteAndHomeRecoversIt)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();
    const ChildRun headless = runViewer(theArgs + " -o " + d + "/headless.png --save-camera " +
                                            d + "/headless.cam",
                                        d);
    ASSERT_EQ(headless.status, 0) << headless.err;
    std::string events = "# far outside, huge drags and wheels, both ways, many times\n";
    for (int i = 0; i < 40; ++i)
        events += "wheel 80 60 -1e30\ndown -500 -500 right\nmove 3e37 -3e37\nup 3e37 -3e37 right\n"
                  "down 0 0\nmove 2e37 2e37\nup 2e37 2e37\n";
    for (int i = 0; i < 40; ++i)
        events += "wheel 159 0 1e30\ndown 10 10 middle\nmove -1e38 5\nup -1e38 5 middle\n";
    events += "key 3\nkey g\nkey w\nkey a\nkey f\nkey b\nkey t\nkey o\nkey v\nkey v\nkey o\n"
              "key t\nkey b\n";
    // Tiny and minimised windows only here: the window system resizes
    // while the script runs on, so no frame is compared after them.
    writeFile(d + "/wild.events", events +
                                      "resize 1 1\ndown 0 0 right\nmove 1 1\nup 1 1 right\n"
                                      "resize 0 0\nwheel 0 0 5\ndown 0 0\nup 0 0\nkey h\n"
                                      "resize 160 120\nkey escape\n");
    ChildRun run = runWindowed(theArgs + " --events " + d + "/wild.events --save-camera " + d +
                                   "/wild.cam",
                               d);
    VANTREL_SKIP_IF_VIRTUAL_X_FAILED(run);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string wild = readFile(d + "/wild.cam");
    // A "nan" or "inf" in the file reads as a number that is not finite.
    EXPECT_TRUE(allFinite(cameraNumbers(wild))) << wild;
    EXPECT_GT(cameraNumbers(wild).size(), 10u);

    // Home after all that gives back the headless view.
    writeFile(d + "/home.events", events + "key space\nkey s\nkey escape\n");
    run = runWindowed(theArgs + " --events " + d + "/home.events -o " + d +
                          "/home.png --save-camera " + d + "/home.cam",
                      d);
    ASSERT_EQ(run.status, 0) << run.err;
    expectSameNumbers(cameraNumbers(readFile(d + "/home.cam")),
                      cameraNumbers(readFile(d + "/headless.cam")), "camera");
    const std::string why =
        golden::check("uv-home", d + "/home.png", d + "/headless.png", d, exact());
    EXPECT_TRUE(why.empty()) << why;
}

// The origin, corner origin and uv kind keys change what the frame shows
// as the matching command-line flags do.
TEST(ViewerWindowUV, KeysToggleWhatTheFlatViewDraws)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();
    const ChildRun headless = runViewer(theArgs + " --no-origin --no-sticky-origin "
                                                  "--uv-attrib point -o " + d + "/flags.png",
                                        d);
    ASSERT_EQ(headless.status, 0) << headless.err;
    writeFile(d + "/keys.events", "key o\nkey t\nkey v\nkey g\nkey w\nkey s\nkey q\n");
    const ChildRun run =
        runWindowed(theArgs + " --events " + d + "/keys.events -o " + d + "/keys.png", d);
    VANTREL_SKIP_IF_VIRTUAL_X_FAILED(run);
    ASSERT_EQ(run.status, 0) << run.err;
    // The origins are a few dozen pixels: every pixel counts.
    const std::string why =
        golden::check("uv-keys", d + "/keys.png", d + "/flags.png", d, exact());
    EXPECT_TRUE(why.empty()) << why;
}
