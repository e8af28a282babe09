#pragma once

// Shared by the decoration tests: a view state framed on a cube in the
// shared offscreen context with every decoration switched off, projection
// of world points to pixels, pixel scans, journal counts and background
// image files.

#include "tests/support/VantrelExpect.h"
#include "tests/support/VantrelScratch.h"
#include "tests/support/VantrelTestContext.h"

#include "decor/GUI_ViewRender3D.h"
#include "host/RE/RE_PNG.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Matrix3.h"
#include "view/GUI_ViewState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace decor_test
{
// Before the first view state: built-in defaults whatever the home
// directory holds.
struct EmptyPrefsEnvironment : ::testing::Environment
{
    void SetUp() override { setenv("VANTREL_PATH", myDir.path().c_str(), 1); }
    vantrel_test::ScratchDir myDir;
};
inline ::testing::Environment *const theEmptyPrefs =
    ::testing::AddGlobalTestEnvironment(new EmptyPrefsEnvironment);

const int S = vantrel_test::theContextSize;

class DecorTest : public vantrel_test::PixelTest
{
protected:
    void setUpScene() override
    {
        myState = std::make_unique<GUI_ViewState>();
        GUI_DisplayOption &o = options();
        o.drawOrigin(false);
        o.drawStickyOrigin(false);
        o.drawBackgrounds(false);
    }

    GUI_ViewState &state() { return *myState; }
    GUI_DisplayOption &options() { return myState->getDisplayOptionRef(); }
    GUI_ViewParameter &camera() { return myState->getViewParameterRef(); }
    GR_CommonDispOption &common() { return options().common(); }

    // Homes onto the cube of half-size half from a home axis, in a view of
    // w x h pixels at the lower left of the context, and loads the camera.
    void frame(float half, GUI_ViewParameter::axis axis, short w = S, short h = S)
    {
        RE_Render *r = render();
        state().setViewport(r, 0, 0, w, h);
        camera().setView(0, 0, w, h);
        UT_Matrix3 rot;
        camera().homeRotation(axis, rot);
        UT_BoundingBox box(-half, half, -half, half, -half, half);
        state().homeToBox(w, h, box, &rot, false, false);
        state().setProjection(r);
    }

    // The columns (or, with rows set, the rows) at which the scan lines at
    // the given positions meet the colour.
    std::set<int> litAcross(const std::vector<int> &lines, bool rows, int red, int green,
                            int blue)
    {
        const std::vector<uint8_t> image = context()->readPixels();
        std::set<int> found;
        for (int line : lines)
            for (int i = 0; i < S; ++i)
            {
                const int x = rows ? line : i, y = rows ? i : line;
                // The image comes top row first.
                if (vantrel_test::isNear(&image[(static_cast<size_t>(S - 1 - y) * S + x) * 4], red, green,
                                         blue, 3))
                    found.insert(i);
            }
        return found;
    }

    std::unique_ptr<GUI_ViewState> myState;
};

// Every position of ticks expected at fractions of [lo, hi] of S pixels
// has a lit pixel within one, and every lit one is within one of some tick.
inline void
expectTicks(const std::set<int> &lit, const std::vector<float> &fractions)
{
    std::vector<float> pixels;
    for (float f : fractions)
        pixels.push_back(f * S);
    for (float p : pixels)
    {
        if (p < 1.0f || p > S - 2)
            continue; // on the view's edge: GL may leave it out
        bool seen = false;
        for (int i : lit)
            seen = seen || std::fabs(i + 0.5f - p) <= 1.01f;
        EXPECT_TRUE(seen) << "nothing drawn at pixel " << p;
    }
    for (int i : lit)
    {
        bool expected = false;
        for (float p : pixels)
            expected = expected || std::fabs(i + 0.5f - p) <= 1.01f;
        EXPECT_TRUE(expected) << "stray line at pixel " << i;
    }
}

// A w x h image of four quadrants: red lower left, green lower right,
// blue upper left, white upper right; written as a PNG to path.
inline void
writeQuadrants(const std::string &path, int w, int h)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            uint8_t *p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            const bool right = x >= w / 2, top = y >= h / 2;
            p[0] = top == right ? 255 : 0;
            p[1] = right ? 255 : 0;
            p[2] = top ? 255 : 0;
            p[3] = 255;
        }
    ASSERT_TRUE(REwritePNG(path.c_str(), w, h, rgba.data(), true));
}
} // namespace decor_test
