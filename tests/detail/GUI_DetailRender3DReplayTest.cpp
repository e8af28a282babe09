// Objects replayed from their cached drawing look exactly as when drawn
// directly, side by side with objects in other states: nothing one
// object's drawing set in GL may reach the next.
#include "Render3DTestSupport.h"

#include "tests/support/VantrelTestContext.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace vantrel_test;

namespace
{
class Render3DReplayTest : public DetailPixelTest
{
protected:
    void setUpScene() override
    {
        global().common().backgroundColor().setRGB(0.1f, 0.1f, 0.3f);
        global().common().defaultWireColor().setRGB(0.0f, 0.8f, 1.0f);
        global().common().selectedWireColor().setRGB(1.0f, 1.0f, 0.0f);
        render()->enableZbuffer(1, 1);
        setThreeQuarterCamera(render(), 3.0f);
    }
    void tearDownScene() override { render()->setDisplayObjectSuppression(0); }

    // Four boxes in a row: plain, selected, ghosted, templated.
    void makeScene()
    {
        for (int i = 0; i < 4; ++i)
        {
            UT_Matrix4 m;
            m.translate(-2.25f + 1.5f * float(i), 0.0f, 0.0f);
            looks.push_back(std::make_unique<GUI_DetailLook>(&handle));
            looks.back()->setXform(m);
        }
        looks[1]->setObjSelection(1);
        looks[2]->setObjGhost(1);
        looks[3]->setTemplate(1);
    }

    std::vector<uint8_t> frame()
    {
        RE_Render *r = render();
        r->clear();
        for (auto &look : looks)
            look->render(r, 0, 0, 0, 0, nullptr);
        return context()->readPixels();
    }

    GU_DetailHandle handle{makeBox(0.5f)};
    std::vector<std::unique_ptr<GUI_DetailLook>> looks;
};
} // namespace

TEST_F(Render3DReplayTest, ReplayedFramesMatchDirectFramesInEveryShading)
{
    makeScene();
    RE_Render *r = render();
    const int threshold = GUI_DetailRender3D::getDisplayListThreshold();
    for (GR_ShadingMode mode : {GR_SHADE_SMOOTH, GR_SHADE_FLAT_WIRE, GR_SHADE_WIRE})
    {
        GUI_DisplayOption &g = GUI_DetailLook::globalDispOption();
        g[GUI_NON_SELECTED].shadingMode(mode);
        g[GUI_SELECTED].shadingMode(mode);

        r->setDisplayObjectSuppression(1);
        const std::vector<uint8_t> direct = frame();
        EXPECT_GT(countNotColor(direct, 26, 26, 77, 3), 400) << "mode " << int(mode);
        r->setDisplayObjectSuppression(0);
        const long replaysBefore = r->getFrameStats().cachedReplays;
        for (int f = 0; f <= threshold + 1; ++f)
            frame();
        // Replayed twice in a row, then direct once more between replays.
        const std::vector<uint8_t> replayed = frame();
        EXPECT_GT(r->getFrameStats().cachedReplays, replaysBefore) << "mode " << int(mode);
        EXPECT_EQ(countDifferent(direct, replayed, 2), 0) << "mode " << int(mode);
        EXPECT_EQ(countDifferent(direct, frame(), 2), 0) << "mode " << int(mode);
        r->setDisplayObjectSuppression(1);
        EXPECT_EQ(countDifferent(direct, frame(), 2), 0) << "mode " << int(mode);
        r->setDisplayObjectSuppression(0);
    }
}
