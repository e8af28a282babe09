// The four-view layout: each quarter of the headless frame shows its view
// as a frame of that view alone would, picks land in the view under them
// (none but the lower left view starts at pixel 0,0), and in the window
// input in one view moves that view only, picks there, and the saved frame
// equals the headless one.
#include "tests/support/VantrelSkip.h"
#include "tests/scene/GoldenFrame.h"
#include "tests/scene/ViewerWindowSupport.h"

#include "facade/QuadViews.h"
#include "host/TIL/TIL_ImageFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

using view_state_test::ChildRun;
using view_state_test::runViewer;
using viewer_window_test::runWindowed;
using vantrel_test::ScratchDir;
using vantrel_test::writeFile;

namespace
{
// Not square, and odd, so that the quarters differ in size.
const int theW = 321, theH = 241;

TIL_TextureMap
readImage(const std::string &path)
{
    TIL_TextureMap image;
    std::string error;
    EXPECT_TRUE(TILreadPNG(path.c_str(), image, error)) << error;
    return image;
}

// The view's rectangle cut out of the frame (both count rows from the
// bottom).
TIL_TextureMap
quarter(const TIL_TextureMap &frame, const vantrel::ViewRect &rect)
{
    TIL_TextureMap out(rect.w, rect.h);
    for (int row = 0; row < rect.h && frame.getPixels(); ++row)
        std::memcpy(out.getPixels() + 4 * row * rect.w,
                    frame.getPixels() + 4 * ((rect.y + row) * frame.getWidth() + rect.x),
                    size_t(4 * rect.w));
    return out;
}

// The frame of one view alone, with the arguments that give its camera.
std::string
singleArgs(int view)
{
    switch (view)
    {
    case vantrel::QUAD_TOP: return "--ortho --home top";
    case vantrel::QUAD_FRONT: return "--ortho --home front";
    case vantrel::QUAD_RIGHT: return "--ortho --home right";
    default: return "";
    }
}

// The object nearest the eye among the printed pick records; "" for none.
std::string
nearestPicked(const std::string &out)
{
    std::istringstream in(out);
    std::string line, best;
    double bestDepth = 2.0;
    while (std::getline(in, line))
    {
        const size_t at = line.find(" depth ");
        if (line.find(" handle ") == std::string::npos || at == std::string::npos)
            continue;
        const double depth = std::stod(line.substr(at + 7));
        if (depth < bestDepth)
            bestDepth = depth, best = line.substr(0, line.find(' '));
    }
    return best;
}

// Points inside a view, from its top left: on the objects and beside them.
const int thePoints[][2] = {{25, 60}, {80, 60}, {130, 60}};
} // namespace

TEST(QuadLayout, EachQuarterShowsItsViewAndPicksAtItsOwnOrigin)
{
    ScratchDir dir;
    const std::string &d = dir.path();
    const std::string size = std::to_string(theW) + "x" + std::to_string(theH);
    const ChildRun quad = runViewer("--layout quad --size " + size + " -o " + d + "/quad.png", d);
    ASSERT_EQ(quad.status, 0) << quad.err;
    const TIL_TextureMap frame = readImage(d + "/quad.png");

    for (int view = 0; view < vantrel::QUAD_VIEWS; ++view)
    {
        SCOPED_TRACE("view " + std::to_string(view));
        const vantrel::ViewRect rect = vantrel::quadRect(view, theW, theH);
        const std::string single = d + "/view" + std::to_string(view) + ".png";
        const std::string viewSize = std::to_string(rect.w) + "x" + std::to_string(rect.h);
        const ChildRun alone =
            runViewer(singleArgs(view) + " --size " + viewSize + " -o " + single, d);
        ASSERT_EQ(alone.status, 0) << alone.err;
        const golden::Comparison same =
            golden::compare(readImage(single), quarter(frame, rect), golden::Tolerance());
        EXPECT_TRUE(same.passes(golden::Tolerance()))
            << same.differing << " pixels differ of " << same.total;

        // The same object lies under the same point of the view.
        const int top = theH - (rect.y + rect.h);
        for (const auto &p : thePoints)
        {
            const ChildRun want = runViewer(singleArgs(view) + " --size " + viewSize + " -o " +
                                                single + " --pick " + std::to_string(p[0]) +
                                                "," + std::to_string(p[1]),
                                            d);
            const ChildRun got = runViewer(
                "--layout quad --size " + size + " -o " + d + "/quad.png --pick " +
                    std::to_string(rect.x + p[0]) + "," + std::to_string(top + p[1]),
                d);
            EXPECT_EQ(nearestPicked(got.out), nearestPicked(want.out))
                << "at " << p[0] << "," << p[1] << "\n" << got.out;
        }
    }
}

TEST(QuadLayoutWindow, InputInEachViewMovesThatViewOnlyAndPicksThere)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();
    const std::string size = std::to_string(theW) + "x" + std::to_string(theH);
    const std::string args = "--layout quad --samples 1 --size " + size;
    ASSERT_EQ(runViewer(args + " -o " + d + "/headless.png", d).status, 0);

    writeFile(d + "/still.events", "key s\nkey q\n");
    ChildRun run = runWindowed(args + " --events " + d + "/still.events -o " + d + "/still.png", d);
    VANTREL_SKIP_IF_VIRTUAL_X_FAILED(run);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string why = golden::check("quad-window", d + "/still.png", d + "/headless.png", d);
    EXPECT_TRUE(why.empty()) << why;
    const TIL_TextureMap still = readImage(d + "/still.png");

    for (int view = 0; view < vantrel::QUAD_VIEWS; ++view)
    {
        SCOPED_TRACE("dragged in view " + std::to_string(view));
        const vantrel::ViewRect rect = vantrel::quadRect(view, theW, theH);
        const int x = rect.x + rect.w / 2, y = theH - (rect.y + rect.h) + rect.h / 2;
        std::ostringstream script;
        // The drag leaves its view: the view it started in keeps it.
        script << "down " << x << " " << y << "\nmove " << x + 20 << " " << y + 5 << "\nmove "
               << x + 40 << " " << y + 10 << "\nmove " << x + 120 << " " << y + 12 << "\nup "
               << x + 120 << " " << y + 12 << "\nkey s\nkey q\n";
        const std::string out = d + "/dragged" + std::to_string(view) + ".png";
        writeFile(d + "/drag.events", script.str());
        run = runWindowed(args + " --events " + d + "/drag.events -o " + out, d);
        ASSERT_EQ(run.status, 0) << run.err;
        const TIL_TextureMap dragged = readImage(out);
        for (int other = 0; other < vantrel::QUAD_VIEWS; ++other)
        {
            const vantrel::ViewRect r = vantrel::quadRect(other, theW, theH);
            const bool same = golden::compare(quarter(still, r), quarter(dragged, r),
                                              golden::Tolerance())
                                  .passes(golden::Tolerance());
            EXPECT_EQ(same, other != view) << "view " << other;
        }
    }

    // A click on each view picks what the headless frame has nearest there.
    std::ostringstream clicks;
    std::vector<std::string> expected;
    for (int view = 0; view < vantrel::QUAD_VIEWS; ++view)
    {
        const vantrel::ViewRect rect = vantrel::quadRect(view, theW, theH);
        const int top = theH - (rect.y + rect.h);
        for (const auto &p : thePoints)
        {
            const int x = rect.x + p[0], y = top + p[1];
            const ChildRun pick = runViewer(args + " -o " + d + "/p.png --pick " +
                                                std::to_string(x - 2) + "," +
                                                std::to_string(y - 2) + ",5,5",
                                            d);
            const std::string name = nearestPicked(pick.out);
            expected.push_back("picked " + (name.empty() ? std::string("nothing") : name));
            clicks << "down " << x << " " << y << "\nup " << x << " " << y << "\n";
        }
    }
    clicks << "key q\n";
    writeFile(d + "/clicks.events", clicks.str());
    run = runWindowed(args + " --events " + d + "/clicks.events -o " + d + "/c.png", d);
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream said(run.out);
    std::string line;
    size_t at = 0;
    while (std::getline(said, line))
        if (line.rfind("picked ", 0) == 0)
        {
            ASSERT_LT(at, expected.size()) << run.out;
            EXPECT_EQ(line, expected[at]) << "click " << at;
            ++at;
        }
    EXPECT_EQ(at, expected.size()) << run.out;
}
