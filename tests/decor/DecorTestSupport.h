#pragma once

// Shared by the decoration tests: a view state framed on a cube in the
// shared offscreen context with every decoration switched off, projection
// of world points to pixels, journal counts and background image files.

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

    // Homes onto the box from a home axis, in a view of w x h pixels at the
    // lower left of the context, and loads the camera.
    void frameBox(UT_BoundingBox box, GUI_ViewParameter::axis axis, short w, short h)
    {
        RE_Render *r = render();
        state().setViewport(r, 0, 0, w, h);
        camera().setView(0, 0, w, h);
        UT_Matrix3 rot;
        camera().homeRotation(axis, rot);
        state().homeToBox(w, h, box, &rot, false, false);
        state().setProjection(r);
    }
    // The same onto the cube of half-size half.
    void frame(float half, GUI_ViewParameter::axis axis, short w = S, short h = S)
    {
        frameBox(UT_BoundingBox(-half, half, -half, half, -half, half), axis, w, h);
    }

    std::unique_ptr<GUI_ViewState> myState;
};

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
