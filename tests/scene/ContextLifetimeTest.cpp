// Library-wide display objects (the origin lists, cached drawings) must
// outlive the contexts they were built in: an application that closes its
// last viewport and opens another, or a script that makes a context per
// frame, sees the same picture every time. Runs in a fresh process, so the
// contexts made here are the only ones.
#include "decor/GUI_ViewRender3D.h"
#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailRender3D.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_OffscreenContext.h"
#include "host/RE/RE_Render.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
const int theWidth = 96, theHeight = 72;

// Three frames of the scene in a context of its own (the last replays the
// cached drawing); the last frame's pixels, empty on failure, and the
// display objects alive in the end.
std::vector<uint8_t>
frameInNewContext(GUI_ViewState &state, GUI_DetailLook &object, int &live)
{
    RE_OffscreenContext context(theWidth, theHeight);
    if (!context.isValid() || !context.makeCurrent())
        return {};
    RE_Render *r = context.getRender();
    GUI_SceneLook look(new GUI_ViewRender3D, &state);
    for (int frame = 0; frame < 3; ++frame)
    {
        look.setView(r, 0, 0, theWidth, theHeight);
        look.renderBackground(r, 0, 0, theWidth, theHeight);
        look.doPreRender(r, 0, 0, theWidth, theHeight, GUI_ViewParameter::GUI_HOME_THREE_QUARTER);
        object.render(r, 0, 0, theWidth, theHeight, nullptr);
        look.doPostRender(r, 0, 0, theWidth, theHeight, false);
    }
    live = r->getNumLiveObjects();
    return context.readPixels();
}

void
sameFrameAfterEveryContextClosed()
{
    GUI_ViewState state;
    GUI_DisplayOption &options = state.getDisplayOptionRef();
    options.drawOrigin(true);
    options.drawStickyOrigin(true);
    GUI_ViewParameter &camera = state.getViewParameterRef();
    camera.setView(0, 0, theWidth, theHeight);
    UT_BoundingBox box(-1.5f, 1.5f, -1.5f, 1.5f, -1.5f, 1.5f);
    camera.homeToBox(theWidth, theHeight, box, nullptr, true, true);

    GU_Detail *gdp = new GU_Detail;
    gdp->buildBox(UT_Vector3(1.0f, 0.6f, 0.8f));
    GU_DetailHandle handle(gdp);
    GUI_DetailLook object(&handle);
    UT_Matrix4 offCentre;
    offCentre.translate(0.4f, 0.2f, 0.0f);
    object.getRender3D()->setXform(offCentre);

    int live = 0;
    const std::vector<uint8_t> first = frameInNewContext(state, object, live);
    // The cached object and the two origin lists.
    if (first.empty() || live < 3)
        std::exit(2);
    // The sticky tripod in the lower left quarter (rows run top first),
    // which the box to the right of the centre leaves alone.
    const uint8_t *background = &first[0];
    int tripod = 0;
    for (int y = theHeight / 2; y < theHeight; ++y)
        for (int x = 0; x < theWidth / 3; ++x)
            tripod += std::memcmp(&first[4 * (y * theWidth + x)], background, 3) != 0;
    if (tripod < 10)
        std::exit(3);
    const std::vector<uint8_t> second = frameInNewContext(state, object, live);
    const std::vector<uint8_t> third = frameInNewContext(state, object, live);
    std::exit(second == first && third == first ? 0 : 1);
}
}

TEST(ContextLifetime, FramesAfterEveryContextClosedEqualTheFirst)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(sameFrameAfterEveryContextClosed(), testing::ExitedWithCode(0), "");
}
