// Environment settings of the 3D renderer, each tried in a fresh process:
// they are read once per process, so only a new process sees a new value.
#include "Render3DTestSupport.h"

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
// environment; exits 0 when nothing was ever recorded and the message came
// exactly once.
void
drawWithCachingDisabled()
{
    testing::internal::CaptureStderr();
    setenv("VANTREL_DISABLE_DISPLAYLIST", "1", 1);
    RE_Render *r = offscreen()->getRender();
    offscreen()->makeCurrent();
    setThreeQuarterCamera(r);
    GU_DetailHandle handle(makeBox());
    GUI_DetailLook look(&handle);
    int recorded = 0, replayed = 0;
    for (int f = 0; f < 10; ++f)
    {
        journalFrame(r, look);
        recorded += countCalls(*r, "startSmartObjectDefine");
        replayed += countCalls(*r, "drawObject");
    }
    const bool disabled = GUI_DetailRender3D::isCachingDisabled();
    const bool once = occurrences(testing::internal::GetCapturedStderr(), theDisableMessage) == 1;
    std::exit(recorded == 0 && replayed == 0 && disabled && once ? 0 : 1);
}

// Switches the zero-transform check on, off and on again while setting
// transforms; exits 0 when each answer was right and each change of state
// was announced once.
void
switchTheTransformCheck()
{
    testing::internal::CaptureStderr();
    GUI_DetailRender3D render;
    UT_Matrix4 tiny(0.0005f);
    tiny(3, 3) = 1.0f;
    bool ok = render.setXform(tiny);  // unset: no check
    setenv("VANTREL_CHECK_XFORM", "0.001", 1);
    ok = ok && !render.setXform(tiny) && !render.setXform(tiny);
    setenv("VANTREL_CHECK_XFORM", "0", 1);
    ok = ok && render.setXform(tiny) && render.setXform(tiny);
    setenv("VANTREL_CHECK_XFORM", "0.01", 1);
    ok = ok && !render.setXform(tiny);
    const std::string said = testing::internal::GetCapturedStderr();
    const char *hint = " (setenv VANTREL_CHECK_XFORM)\n";
    ok = ok && said == std::string("checking zero xforms 0.001.") + hint +
                           "disabling checking zero xforms." + hint +
                           "checking zero xforms 0.01." + hint;
    std::exit(ok ? 0 : 1);
}
} // namespace

TEST(GUI_DetailRender3DEnv, DisabledCachingNeverRecordsAndSaysSoOnce)
{
    if (!offscreen())
        GTEST_SKIP() << "no offscreen GL context: " << offscreenError();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(drawWithCachingDisabled(), testing::ExitedWithCode(0), "");
}

TEST(GUI_DetailRender3DEnv, TransformCheckMessagesFollowEachChangeWhileRunning)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(switchTheTransformCheck(), testing::ExitedWithCode(0), "");
}
