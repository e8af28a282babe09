// The 3D renderer in the passes a frame may be drawn in (high-quality
// passes, the second pass, texture layers), and what keeps it from
// recording an object into a cached display object or drops one.
#include "Render3DTestSupport.h"

#include "host/RE/RE_Light.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vantrel_test;

namespace
{
class Render3DPassTest : public DrawProbeTest
{
protected:
    // Display objects recorded over enough frames to record a still one.
    int recordings(GUI_DetailLook &look)
    {
        int n = 0;
        for (int f = 0; f < GUI_DetailRender3D::getDisplayListThreshold() + 2; ++f)
        {
            journalFrame(render(), look);
            n += journalCount(*render(), "startSmartObjectDefine");
        }
        return n;
    }
};
} // namespace

TEST_F(Render3DPassTest, HighQualityPassesLightTheChosenLightsAndLeaveOutUnlitObjects)
{
    RE_Render *r = render();
    shading(GR_SHADE_FLAT);
    RE_Light own("own"), other("other"), foreign("foreign");
    RE_Light *lights[2] = {&other, &own};
    UT_PtrArray<RE_Light *> chosen;
    chosen.append(&foreign);
    chosen.append(&own);
    GUI_DetailRender3D::setGlobalHighQualityLights(chosen);

    ProbeLook look;
    look.add(makeBox(), placed(0.5f, 0.3f, 0.0f));
    look.setLightArray(lights, 2);
    std::vector<bool> seen;
    look.probe = [&] {
        seen = {r->isLightOn(&own), r->isLightOn(&other), r->isLightOn(&foreign),
                r->isLightOn(GUI_DetailRender3D::getHeadlight())};
    };
    GUI_DetailRender3D::setGlobalHighQualityPass(GR_HQ_PASS_1);
    journalFrame(r, look);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, false, false}));
    EXPECT_FALSE(r->isLightOn(&own));

    // With none of its lights chosen, a lit object sits out passes 2 and 3
    // unless depth was laid down first; the specular switch is put back
    // either way.
    look.setLightArray(lights, 1);
    global().drawSpecular(false);
    struct Row
    {
        GR_HighQualityPass pass;
        bool depthInit, drawn;
    };
    const Row rows[] = {{GR_HQ_PASS_1, false, true},  {GR_HQ_PASS_2, false, false},
                        {GR_HQ_PASS_3, false, false}, {GR_HQ_PASS_2, true, true},
                        {GR_HQ_PASS_3, true, true}};
    for (const Row &row : rows)
    {
        SCOPED_TRACE(testing::Message() << "pass " << row.pass << " init " << row.depthInit);
        GUI_DetailRender3D::setGlobalHighQualityPass(row.pass);
        GUI_DetailRender3D::setGlobalHighQualityDepthInit(row.depthInit);
        r->setSpecular(true);
        journalFrame(r, look);
        EXPECT_EQ(!journalLines(*r, {"drawArrays"}).empty(), row.drawn);
        EXPECT_TRUE(r->isSpecular());
    }
    for (RE_Light *l : {&own, &other, &foreign})
        r->undefineLight(l);
}

TEST_F(Render3DPassTest, DepthPassWritesDepthButNoColourUnderTheOffsetThenRestoresIt)
{
    RE_Render *r = render();
    shading(GR_SHADE_FLAT);
    GR_CommonDispOption &common = global().common();
    MultiLook small;
    small.add(makeBox(), placed(-0.6f, 0.4f, 0.0f));
    small.setObjSelection(1);
    r->setOffsetAmount(5.0f, 6.0f);
    GUI_DetailRender3D::setGlobalHighQualityPass(GR_HQ_DEPTH);
    r->clear();
    journalFrame(r, small);
    // A selected object is highlighted: its offset takes the extras.
    std::ostringstream amounts;
    amounts << "setOffsetAmount " << common.getOffsetAmount(0) + common.getHighlightOffset(0)
            << " " << common.getOffsetAmount(1) + common.getHighlightOffset(1);
    const std::vector<std::string> expected = {"polygonOffset 1", amounts.str(),
                                               "setColorMask 0 0 0 0", "setColorMask 1 1 1 1",
                                               "polygonOffset 0", "setOffsetAmount 5 6"};
    EXPECT_EQ(journalLines(*r, {"polygonOffset", "setOffsetAmount", "setColorMask"}), expected);
    EXPECT_EQ(r->isPolygonOffset(), 0);
    EXPECT_EQ(countNotColor(context()->readPixels(), 0, 0, 0), 0);

    // A wall behind it, drawn normally, is hidden where the depth is.
    GUI_DetailRender3D::setGlobalHighQualityPass(GR_HQ_NONE);
    MultiLook wall;
    wall.add(makeBox(3.0f), placed(0.0f, 0.0f, -3.0f));
    wall.render(r, 0, 0, 0, 0, nullptr);
    EXPECT_EQ(brightnessAt(UT_Vector3(-0.6f, 0.4f, 0.5f)), 0);
    EXPECT_GT(brightnessAt(UT_Vector3(0.6f, -0.4f, -1.5f)), 100);
}

TEST_F(Render3DPassTest, GhostsMarkTheStencilInPassesOneAndFiveOnly)
{
    RE_Render *r = render();
    shading(GR_SHADE_WIRE);
    GUI_DetailRender3D::setGlobalHighQualityDepthInit(true);
    MultiLook look;
    look.add(makeBox());
    for (bool ghost : {false, true})
        for (GR_HighQualityPass pass :
             {GR_HQ_NONE, GR_HQ_PASS_1, GR_HQ_PASS_2, GR_HQ_PASS_3, GR_HQ_PASS_5})
        {
            SCOPED_TRACE(testing::Message() << "pass " << pass << " ghost " << ghost);
            look.setObjGhost(ghost);
            GUI_DetailRender3D::setGlobalHighQualityPass(pass);
            journalFrame(r, look);
            const bool marks = ghost && (pass == GR_HQ_PASS_1 || pass == GR_HQ_PASS_5);
            const std::vector<std::string> want =
                marks ? std::vector<std::string>{"setSFunction 7 1 1", "setSFunction 7 0 1"}
                      : std::vector<std::string>{};
            EXPECT_EQ(journalLines(*r, {"setSFunction"}), want);
            EXPECT_FALSE(journalLines(*r, {"drawArrays"}).empty());
        }
}

TEST_F(Render3DPassTest, SecondPassLeavesOutObjectsThatDidNotAskForIt)
{
    RE_Render *r = render();
    shading(GR_SHADE_FLAT);
    MultiLook look;
    look.add(makeBox());
    GR_CommonDispOption &common = global().common();
    common.setDrawStateBit(GR_DRAWSTATE_SECOND_PASS, true);
    journalFrame(r, look);
    EXPECT_TRUE(journalLines(*r, {"drawArrays"}).empty());
    common.setDrawStateBit(GR_DRAWSTATE_SECOND_PASS, false);
    journalFrame(r, look);
    EXPECT_FALSE(journalLines(*r, {"drawArrays"}).empty());
}

TEST_F(Render3DPassTest, TextureLayersDrawInTurnAndPutBlendingBack)
{
    RE_Render *r = render();
    shading(GR_SHADE_FLAT);
    global().drawMultiTexture(true);
    GU_Detail *gdp = makeBox();
    gdp->setNumLayers(3);
    gdp->setLayerMerge(2, GEO_LayerMerge{0, 0x7, RE_SBLEND_SRC_ALPHA, RE_DBLEND_ONE});
    gdp->setLayerMerge(3, GEO_LayerMerge{0, 0x9, RE_SBLEND_DST_COLOR, RE_DBLEND_ZERO});
    gdp->setCurrentLayer(2);
    MultiLook look;
    look.add(gdp);
    for (bool blending : {false, true})
    {
        SCOPED_TRACE(blending);
        r->blend(blending);
        r->setBlendFunction(RE_SBLEND_ONE_MINUS_DST_ALPHA, RE_DBLEND_SRC_COLOR);
        journalFrame(r, look);
        // Blending goes on from the second layer, and off after, only when
        // it was off.
        std::vector<std::string> want = {"setColorMask 1 1 1 1", "setColorMask 1 1 1 0",
                                         "setColorMask 1 0 0 1", "setColorMask 1 1 1 1"};
        if (!blending)
        {
            want.insert(want.begin() + 2, "blend 1");
            want.insert(want.end() - 1, "blend 0");
        }
        EXPECT_EQ(journalLines(*r, {"setColorMask", "blend"}), want);
        EXPECT_EQ(journalLines(*r, {"setBlendFunction"}),
                  (std::vector<std::string>{"setBlendFunction 1 0", "setBlendFunction 3 1",
                                            "setBlendFunction 2 0", "setBlendFunction 7 2"}));
        EXPECT_EQ(journalLines(*r, {"setZFunction"}), std::vector<std::string>{"setZFunction 3"});
        EXPECT_EQ(r->isBlending(), blending);
        EXPECT_EQ(gdp->getCurrentLayer(), 2);
    }
    r->blend(0);
    r->setZFunction(RE_CMP_LESS);
}

TEST_F(Render3DPassTest, BlockersKeepAStillObjectFromBeingRecorded)
{
    // Each blocking counter counts only with its own option bit.
    struct Row
    {
        const char *name;
        unsigned options;
        int count0, count1;
        bool shaders, ownOpenCurves, tempSelected, recorded;
    };
    const unsigned first = GR_COMMON_BLOCK_CACHE_FIRST, second = GR_COMMON_BLOCK_CACHE_SECOND,
                   curves = GR_COMMON_SHADE_OPEN_CURVES;
    const Row rows[] = {
        {"nothing in the way", curves, 0, 0, false, false, false, true},
        {"first counter alone", 0, 1, 0, false, false, false, true},
        {"first bit, second counter", first, 0, 1, false, false, false, true},
        {"first bit and counter", first, 2, 0, false, false, false, false},
        {"second bit, first counter", second, 1, 0, false, false, false, true},
        {"second bit and counter", second, 0, 3, false, false, false, false},
        {"shaders asked for", 0, 0, 0, true, false, false, false},
        {"open curves shaded", curves, 0, 0, false, true, false, false},
        {"open curves allowed, not asked", 0, 0, 0, false, true, false, true},
        {"temporarily selected", 0, 0, 0, false, false, true, false},
    };
    for (const Row &row : rows)
    {
        SCOPED_TRACE(row.name);
        GUI_DetailLook::setGlobalDispOption(GUI_DisplayOption());
        shading(GR_SHADE_FLAT);
        global().common().setOptionWord(global().common().getOptionWord() | row.options);
        global()[GUI_SELECTED].useShaders(row.shaders);
        GU_Detail *gdp = makeBox();
        gdp->setCacheBlockCount(0, row.count0);
        gdp->setCacheBlockCount(1, row.count1);
        ProbeLook look;
        look.add(gdp);
        look.setAllowShadingOpenCurves(row.ownOpenCurves);
        look.tempSelected = row.tempSelected;
        EXPECT_EQ(recordings(look) > 0, row.recorded);
        EXPECT_FALSE(global().common().getDrawStateBit(GR_DRAWSTATE_SHADE_OPEN_CURVES));
    }
}
