// The clear of the scene look: opaque, fogged and fading clears, what the
// fill switch and empty rectangles do, and the publishing of the options.
#include "tests/scene/SceneLookTestSupport.h"
#include "tests/view/ViewStateTestSupport.h"

#include "detail/GUI_DetailLook.h"
#include "host/GR/GR_CommonDispOption.h"
#include "host/OP/OP_Director.h"
#include "host/UT/SYS_Time.h"
#include "scene/GUI_FadeClock.h"
#include "scene/GUI_SceneLook.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using vantrel_test::journalArgs;
using vantrel_test::journalIndex;
using vantrel_test::journalLines;

namespace
{
SYS_TimeVal theFakeNow;
void fakeTime(SYS_TimeVal *tv) { *tv = theFakeNow; }
void advanceMs(long ms)
{
    long us = theFakeNow.tv_usec + ms * 1000;
    theFakeNow.tv_sec += us / 1000000;
    theFakeNow.tv_usec = us % 1000000;
}

// The alpha of the box a fading clear painted last.
float lastBoxAlpha(const RE_Render &r)
{
    auto colors = journalLines(r, "setColor");
    return colors.empty() ? -1.0f : float(journalArgs(colors.back()).at(3));
}

struct SceneLookClear : ::testing::Test
{
    void SetUp() override
    {
        r.setJournal(true);
        look.getViewStateRef().getDisplayOptionRef().common().color(GR_COLOR_BACKGROUND) =
            UT_Color(UT_RGB, 0.2f, 0.4f, 0.6f);
    }
    RE_Render r;
    GUI_SceneLook look{nullptr, nullptr};
    GUI_ViewParameter &view() { return look.getViewStateRef().getViewParameterRef(); }
};
}

TEST_F(SceneLookClear, FullAmountFillsTheRectangleOpaquelyWithTheDepthTestOff)
{
    r.enableZbuffer(1);
    r.clearJournal();
    look.renderBackground(&r, 10, 20, 30, 40);

    EXPECT_EQ(journalLines(r, "copyToBack").size(), 0u);
    EXPECT_EQ(journalLines(r, "blendAlpha").size(), 0u);
    auto boxes = journalLines(r, "boxf2DS");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(journalArgs(boxes[0]), (std::vector<double>{10, 20, 39, 59}));
    auto color = journalArgs(journalLines(r, "setColor").at(0));
    EXPECT_NEAR(color[0], 0.2, 1e-6);
    EXPECT_NEAR(color[2], 0.6, 1e-6);
    EXPECT_EQ(color[3], 1.0);
    // Off while painting, back on after.
    int off = journalIndex(r, "enableZbuffer 0 0");
    ASSERT_GE(off, 0);
    EXPECT_LT(off, journalIndex(r, "boxf2DS"));
    EXPECT_GT(journalIndex(r, "enableZbuffer 1 0", off), journalIndex(r, "boxf2DS"));
    EXPECT_EQ(r.isZbuffer(), 1);

    r.enableZbuffer(0);
    look.renderBackground(&r, 0, 0, 8, 8);
    EXPECT_EQ(r.isZbuffer(), 0);
}

TEST_F(SceneLookClear, FogWeightBlendsTheBackgroundTowardTheFogColour)
{
    view().setFogSwitch(1);
    view().setFogColor(0.9f, 0.1f, 0.3f);
    view().setFogWeight(1.0f);
    look.renderBackground(&r, 0, 0, 4, 4);
    auto fog = journalArgs(journalLines(r, "setColor").back());
    EXPECT_NEAR(fog[0], 0.9, 1e-6);
    EXPECT_NEAR(fog[1], 0.1, 1e-6);
    EXPECT_NEAR(fog[2], 0.3, 1e-6);

    view().setFogWeight(0.0f);
    look.renderBackground(&r, 0, 0, 4, 4);
    float c[3];
    look.getBG().getColor().getRGB(&c[0], &c[1], &c[2]);
    EXPECT_EQ(c[0], 0.2f);
    EXPECT_EQ(c[2], 0.6f);

    view().setFogWeight(0.5f);
    look.renderBackground(&r, 0, 0, 4, 4);
    look.getBG().getColor().getRGB(&c[0], &c[1], &c[2]);
    EXPECT_NEAR(c[0], 0.55f, 1e-6);
    EXPECT_NEAR(c[1], 0.25f, 1e-6);

    // Fog off again: the plain background, whatever the weight.
    view().setFogSwitch(0);
    look.renderBackground(&r, 0, 0, 4, 4);
    look.getBG().getColor().getRGB(&c[0], &c[1], &c[2]);
    EXPECT_EQ(c[1], 0.4f);
}

TEST_F(SceneLookClear, FillSwitchOffPaintsNothingButStillPublishes)
{
    look.fillsBackground(false);
    look.drawsBorder(true);
    GUI_DisplayOption &opts = look.getViewStateRef().getDisplayOptionRef();
    opts.common().color(GR_COLOR_BACKGROUND) = UT_Color(UT_RGB, 0.7f, 0.0f, 0.0f);
    r.clearJournal();
    look.renderBackground(&r, 0, 0, 16, 16);
    EXPECT_TRUE(r.getJournal().empty());
    EXPECT_TRUE(GUI_DetailLook::globalDispOption().common().color(GR_COLOR_BACKGROUND) ==
                UT_Color(UT_RGB, 0.7f, 0.0f, 0.0f));
}

TEST_F(SceneLookClear, EmptyRectanglesNeitherClearNorPublish)
{
    GUI_DisplayOption &opts = look.getViewStateRef().getDisplayOptionRef();
    look.renderBackground(&r, 0, 0, 4, 4);
    opts.common().color(GR_COLOR_BACKGROUND) = UT_Color(UT_RGB, 0.0f, 0.9f, 0.0f);
    for (short w : {0, -5, 4})
    {
        const short h = w == 4 ? short(0) : short(4);
        r.clearJournal();
        look.renderBackground(&r, 0, 0, w, h);
        EXPECT_TRUE(r.getJournal().empty()) << w << "x" << h;
        EXPECT_FALSE(GUI_DetailLook::globalDispOption().common().color(GR_COLOR_BACKGROUND) ==
                     opts.common().color(GR_COLOR_BACKGROUND));
    }
    look.pickRender(&r, 0, 0, 0, 0, nullptr);
    EXPECT_TRUE(GUI_DetailLook::globalDispOption().common().color(GR_COLOR_BACKGROUND) ==
                opts.common().color(GR_COLOR_BACKGROUND));
}

TEST_F(SceneLookClear, ZeroAmountKeepsThePreviousFrameOfADoubleBufferedContext)
{
    view().setClearAmount(0.0f);
    look.setMargin(2);
    look.renderBackground(&r, 10, 10, 20, 30);
    auto copies = journalLines(r, "copyToBack");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(journalArgs(copies[0]), (std::vector<double>{12, 12, 16, 26}));
    EXPECT_EQ(journalLines(r, "boxf2DS").size(), 0u);

    // A margin that leaves no inner box still asks for the copy (the
    // context refuses the empty box itself).
    look.setMargin(12);
    r.clearJournal();
    look.renderBackground(&r, 10, 10, 20, 30);
    copies = journalLines(r, "copyToBack");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(journalArgs(copies[0]), (std::vector<double>{22, 22, -4, 6}));
    look.setMargin(2);

    r.setMode(RE_MODE_RGB | RE_MODE_ZBUFFER);
    r.clearJournal();
    look.renderBackground(&r, 10, 10, 20, 30);
    EXPECT_TRUE(journalLines(r, "copyToBack").empty());

    // The border is the whole rectangle's, margin or not.
    look.drawsBorder(true);
    r.clearJournal();
    look.renderBackground(&r, 10, 10, 20, 30);
    auto boxes = journalLines(r, "boxf2DS");
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(journalArgs(boxes[0]), (std::vector<double>{10, 39, 29, 39}));
}

// The fade clock is process-wide and its first use can happen only once,
// so this runs in a fresh process of its own.
static void
fadingClearsAccumulateMissedFrames()
{
    SYSsetTimeSource(fakeTime);
    theFakeNow.tv_sec = 1000;
    theFakeNow.tv_usec = 900000;
    OPgetDirector()->setFrameRate(24);

    RE_Render r;
    r.setJournal(true);
    GUI_SceneLook look(nullptr, nullptr);
    look.getViewStateRef().getViewParameterRef().setClearAmount(0.5f);
    look.getViewStateRef().getDisplayOptionRef().common().color(GR_COLOR_BACKGROUND) =
        UT_Color(UT_RGB, 1.0f, 1.0f, 1.0f);
    if (!GUI_FadeClock::theClock().isFirstUse())
        std::exit(2);

    look.renderBackground(&r, 0, 0, 10, 10);
    const float first = lastBoxAlpha(r);
    // Blending just for the box, the previous frame copied first.
    const bool blended = journalIndex(r, "pushBlendState") < journalIndex(r, "blendAlpha 1 0") &&
                         journalIndex(r, "blendAlpha 1 0") < journalIndex(r, "boxf2DS") &&
                         journalIndex(r, "boxf2DS") < journalIndex(r, "popBlendState") &&
                         journalIndex(r, "copyToBack") >= 0;
    // The fading box is painted with the shaded background.
    const float red = float(journalArgs(journalLines(r, "setColor").back()).at(0));

    advanceMs(125); // three frames at 24 per second
    look.renderBackground(&r, 0, 0, 10, 10);
    const float third = lastBoxAlpha(r);
    advanceMs(41); // within one frame: rounds up to one
    look.renderBackground(&r, 0, 0, 10, 10);
    const float one = lastBoxAlpha(r);
    r.clearJournal();
    look.renderBackground(&r, 0, 0, 10, 10); // no time passed: nothing painted
    const bool none = journalLines(r, "boxf2DS").empty() && !journalLines(r, "copyToBack").empty();

    const float a = 0.0625f;
    const bool ok = std::fabs(first - a) < 1e-6f &&
                    std::fabs(third - (a + a * a + a * a * a)) < 1e-6f &&
                    std::fabs(one - a) < 1e-6f && blended && none && red < 1.0f && red > 0.5f;
    SYSsetTimeSource(nullptr);
    std::exit(ok ? 0 : 1);
}

TEST(SceneLookFade, FadingClearsAccumulateMissedFrames)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(fadingClearsAccumulateMissedFrames(), ::testing::ExitedWithCode(0), "");
}

TEST(SceneLookFade, ClockSumsThePowersOfTheFramesElapsed)
{
    SYSsetTimeSource(fakeTime);
    theFakeNow.tv_sec = 50;
    theFakeNow.tv_usec = 999000;
    GUI_FadeClock clock;
    EXPECT_FLOAT_EQ(clock.accumulate(0.5f, 10), 0.5f);
    EXPECT_FALSE(clock.isFirstUse());
    advanceMs(250); // 2.5 frames at 10 per second: three
    EXPECT_FLOAT_EQ(clock.accumulate(0.5f, 10), 0.875f);
    theFakeNow.tv_sec -= 1; // the clock went back
    EXPECT_EQ(clock.accumulate(0.5f, 10), 0.0f);
    advanceMs(1000 * 3600); // an hour: the sum has long stopped growing
    EXPECT_NEAR(clock.accumulate(0.5f, 24), 1.0f, 1e-6);
    advanceMs(100);
    EXPECT_EQ(clock.accumulate(1.0f, 24), 1.0f);
    SYSsetTimeSource(nullptr);

    // Back on the system clock: the time moves on by itself.
    SYS_TimeVal a, b;
    SYSgettimeofday(&a);
    EXPECT_GT(a.tv_sec, 1000000000L);
    SYSgettimeofday(&b);
    EXPECT_GE(b.tv_sec * 1000000L + b.tv_usec, a.tv_sec * 1000000L + a.tv_usec);
}
