// What the renderers do with process-wide state, each tried in a fresh
// process: environment settings are read once per process, and the main
// render context is the first one made.
#include "tests/support/VantrelSkip.h"
#include "Render3DTestSupport.h"

#include "detail/GUI_DetailRender2D.h"

#include "tests/support/VantrelTestContext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace vantrel_test;

namespace
{
int
occurrences(const std::string &text, const std::string &what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

const char theDisableMessage[] =
    "Vantrel. Avoiding caching object display (VANTREL_DISABLE_DISPLAYLIST)\n";

// Draws a still object for many frames with caching switched off in the
// environment, then an object that could never be cached in 2D; exits 0
// when nothing was ever recorded and each renderer class said so once on
// its first draw, whatever it drew.
void
drawWithCachingDisabled()
{
    testing::internal::CaptureStderr();
    setenv("VANTREL_DISABLE_DISPLAYLIST", "1", 1);
    RE_Render *r = offscreen()->getRender();
    offscreen()->makeCurrent();
    setThreeQuarterCamera(r);
    GU_Detail *uncacheable = makeBox();
    uncacheable->setCacheable(0);
    GU_DetailHandle handle(uncacheable);
    GUI_DetailLook look(&handle);
    journalFrame(r, look);
    const bool saidIn3D =
        occurrences(testing::internal::GetCapturedStderr(), theDisableMessage) == 1;

    testing::internal::CaptureStderr();
    uncacheable->setCacheable(1);
    int recorded = 0, replayed = 0;
    for (int f = 0; f < 10; ++f)
    {
        journalFrame(r, look);
        r->setJournal(true);
        look.getRender2D()->render(r, 0, 0, 0, 0, nullptr);
        r->setJournal(false);
        recorded += journalCount(*r, "startSmartObjectDefine");
        replayed += journalCount(*r, "drawObject");
    }
    const bool saidIn2DOnly =
        occurrences(testing::internal::GetCapturedStderr(), theDisableMessage) == 1;
    std::exit(recorded == 0 && replayed == 0 && saidIn3D && saidIn2DOnly ? 0 : 1);
}

// With a main render context that has no GL behind it, cached objects
// cannot be released outside a draw: an assignment must keep them recorded
// and release them on the next draw, not forget them for ever. Exits 0
// when the drawing context holds no display object after that draw.
void
assignWithNothingToReleaseThrough()
{
    RE_Render main;
    RE_OffscreenContext context(64, 48);
    RE_Render *r = context.getRender();
    if (!r || !context.makeCurrent())
        std::exit(3);
    setThreeQuarterCamera(r);
    GUI_DetailLook::setGlobalDispOption(GUI_DisplayOption());
    GU_DetailHandle handle(makeBox());
    GUI_DetailLook look(&handle);
    for (int f = 0; f < 4; ++f)
        look.render(r, 0, 0, 0, 0, nullptr);
    const int cached = r->getNumLiveObjects();
    GUI_DetailRender3D &render = *look.getRender3D();
    render = GUI_DetailRender3D(render);
    look.render(r, 0, 0, 0, 0, nullptr);
    std::exit(cached > 0 && r->getNumLiveObjects() == 0 ? 0 : 1);
}

} // namespace

TEST(GUI_DetailRender3DEnv, DisabledCachingNeverRecordsAndSaysSoOnce)
{
    if (!offscreen())
        VANTREL_CANNOT_RUN() << "no offscreen GL context: " << offscreenError();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(drawWithCachingDisabled(), testing::ExitedWithCode(0), "");
}

TEST(GUI_DetailRender3DEnv, AssignmentKeepsCachedObjectsItCannotRelease)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(assignWithNothingToReleaseThrough(), testing::ExitedWithCode(0), "");
}
