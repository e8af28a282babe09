// What the 3D renderer changes for the length of one object's draw, seen
// while it draws and checked to be undone afterwards: highlights, the
// selection mask, the object's own lights, the polygon offset of a filled
// component selection, ghosting without fog coordinates.
#include "Render3DTestSupport.h"
#include "tests/support/VantrelExpect.h"

#include "host/RE/RE_Light.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vantrel_test;
using Render3DStateTest = DrawProbeTest;

TEST_F(Render3DStateTest, HighlightsDrawWideAndDashedAsAskedThenPutEverythingBack)
{
    RE_Render *r = render();
    GR_CommonDispOption &common = global().common();
    struct Row
    {
        const char *name;
        void (GUI_DetailLook::*set)(int);
        bool dashed;
    };
    const Row rows[] = {{"secondary", &GUI_DetailLook::setSecondarySelection, true},
                        {"selected", &GUI_DetailLook::setObjSelection, false},
                        {"hint", &GUI_DetailLook::setObjSelectionHint, true}};
    for (GR_ShadingMode mode : {GR_SHADE_WIRE, GR_SHADE_FLAT})
        for (const Row &row : rows)
        {
            SCOPED_TRACE(std::string(row.name) + (mode == GR_SHADE_WIRE ? " wire" : " flat"));
            GU_DetailHandle handle(makeBox());
            GUI_DetailLook look(&handle);
            (look.*row.set)(1);
            shading(mode);
            common.setWireWidth(1.5f);
            r->pushLineStyle(RE_LINE_DOTTED);
            r->pushLineWidth(3.0f);
            const RecordState before(*r);
            journalFrame(r, look);
            EXPECT_EQ(journalCount(*r, "pushLineStyle 3") > 0, row.dashed);
            // The edges (over the fill for a shaded object) in width 2.
            EXPECT_GT(journalCount(*r, "pushLineWidth 2"), 0);
            before.expectSame(RecordState(*r));
            r->popLineWidth();
            r->popLineStyle();
        }
}

TEST_F(Render3DStateTest, SelectionMaskShowsMarkersOnSelectableObjectsAndIsPutBack)
{
    RE_Render *r = render();
    shading(GR_SHADE_WIRE);
    global().showTemplates(true);
    global().showGuides(true);
    global().applySelectMask(true);
    global().setSelectMask(0x1 | 0x4 | 0x200 | 0x10);
    const RecordState before(*r);

    // Point markers (mask bit 0x1) are drawn only for objects the user
    // can select components of.
    struct Row
    {
        const char *name;
        std::function<void(MultiLook &)> set;
        bool markers;
    };
    const Row rows[] = {
        {"selectable", [](MultiLook &) {}, true},
        {"not pickable", [](MultiLook &l) { l.setPicking(0); }, false},
        {"templated", [](MultiLook &l) { l.setTemplate(1); }, false},
        {"ignores selection", [](MultiLook &l) { l.setIgnoreSelection(1); }, false},
        {"guide", [](MultiLook &l) { l.guide = true; }, false},
    };
    for (const Row &row : rows)
    {
        SCOPED_TRACE(row.name);
        MultiLook look;
        look.add(makeBox());
        row.set(look);
        journalFrame(r, look);
        EXPECT_GT(journalCount(*r, "pushLineWidth 1"), 0) << "the object is drawn";
        EXPECT_EQ(journalCount(*r, "pushPointSize 3") > 0, row.markers);
        before.expectSame(RecordState(*r));

        unsigned buffer[512];
        r->beginPicking(buffer, 512, 0, 0, theContextSize, theContextSize);
        look.pickRender(r, 0, 0, 0, 0, nullptr);
        r->endPicking(buffer);
        SCOPED_TRACE("after picking");
        before.expectSame(RecordState(*r));
    }
}

TEST_F(Render3DStateTest, EveryOwnLightIsOnWhileDrawnAndMayFollowTheGlobalLightTransform)
{
    RE_Render *r = render();
    shading(GR_SHADE_FLAT);
    // Only the last light shines, straight down -z onto the front face.
    RE_Light lights[3];
    RE_Light *array[3] = {&lights[0], &lights[1], &lights[2]};
    for (RE_Light &l : lights)
    {
        l.setFlag(RE_Light::RE_LIGHT_INFINITE, true);
        l.setDirection(UT_Vector3(0.0f, 0.0f, -1.0f));
        l.setColor(0.0f, 0.0f, 0.0f);
    }
    lights[2].setColor(1.0f, 1.0f, 1.0f);
    ProbeLook look;
    look.add(makeBox(), placed(0.4f, -0.3f, 0.0f));
    look.setLightArray(array, 3);
    std::vector<bool> seen;
    look.probe = [&] {
        seen = {r->isLightOn(array[0]), r->isLightOn(array[1]), r->isLightOn(array[2]),
                r->isLightOn(GUI_DetailRender3D::getHeadlight())};
    };
    auto frontBrightness = [&] {
        r->clear();
        look.render(r, 0, 0, 0, 0, nullptr);
        return brightnessAt(UT_Vector3(0.5f, -0.2f, 0.5f));
    };
    const int lit = frontBrightness();
    EXPECT_EQ(seen, (std::vector<bool>{true, true, true, false}));
    EXPECT_FALSE(r->isLightOn(array[2]));

    // Turned half way round, the light reaches the back face instead; an
    // object that does not follow the global light transform ignores it.
    UT_Matrix4 turn;
    turn.rotate(UT_Axis3::YAXIS, float(M_PI));
    GUI_DetailRender3D::setGlobalLightXform(turn);
    look.getRender3D()->setUseGlobalLightXform(true);
    const int turned = frontBrightness();
    look.getRender3D()->setUseGlobalLightXform(false);
    const int ignored = frontBrightness();
    for (RE_Light *l : array)
        r->undefineLight(l);

    // The full light adds the diffuse 0.75 grey of the surface per channel.
    EXPECT_NEAR(lit - turned, 3 * 191, 12);
    EXPECT_EQ(ignored, lit);
}

TEST_F(Render3DStateTest, FilledComponentSelectionLeavesThePolygonOffsetAsFound)
{
    RE_Render *r = render();
    shading(GR_SHADE_FLAT);
    GU_Detail *gdp = makeBox();
    gdp->newSelection(GU_SELECT_PRIMITIVES)->add(gdp->getNumPrimitives() - 1);
    GU_DetailHandle handle(gdp);
    GUI_DetailLook look(&handle);
    for (int on : {0, 1})
    {
        SCOPED_TRACE(on);
        r->polygonOffset(on);
        r->setOffsetAmount(3.0f, 4.0f);
        journalFrame(r, look);
        EXPECT_GT(journalCount(*r, "setOffsetAmount -1 -2"), 0);
        EXPECT_EQ(r->isPolygonOffset(), on);
        float factor = 0, units = 0;
        r->getOffsetAmount(factor, units);
        expectFloats({factor, units}, {3.0f, 4.0f});
    }
    r->polygonOffset(0);
}

// A context with no GL has no fog coordinates: ghosts are drawn in the
// ghost colours instead.
TEST(GUI_DetailRender3DGhost, WithoutFogCoordinatesGhostsTakeTheGhostColours)
{
    RE_Render r;
    ASSERT_FALSE(r.hasGLExtension(RE_EXT_FOG_COORD));
    GUI_DetailLook::setGlobalDispOption(GUI_DisplayOption());
    GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    GR_CommonDispOption &common = global.common();
    common.templateWireColor().setRGB(0.1f, 0.6f, 0.3f);
    common.selectedWireColor().setRGB(0.9f, 0.2f, 0.7f);
    const UT_Color ghostShading = common.ghostShadingColor();
    const UT_Color wire = common.wireColor();

    for (GR_ShadingMode mode : {GR_SHADE_SMOOTH, GR_SHADE_WIRE})
        for (bool selected : {false, true})
        {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " selected " << selected);
            global[GUI_NON_SELECTED].shadingMode(mode);
            const unsigned flags = global[GUI_NON_SELECTED].getFlags();
            ProbeLook look;
            look.add(makeBox());
            look.setObjGhost(1);
            look.setObjSelection(selected);
            bool probed = false;
            look.probe = [&] {
                const GR_DisplayOption &p = global[GUI_NON_SELECTED];
                if (!p.ghosted())
                    return;
                probed = true;
                EXPECT_EQ(p.shadingMode(), GR_SHADE_FLAT);
                EXPECT_EQ(common.ghostShadingColor(), UT_Color(UT_RGB, 0.92f, 0.87f, 0.59f));
                EXPECT_EQ(common.wireColor(), selected ? common.selectedWireColor()
                                                       : UT_Color(UT_RGB, 1.0f, 0.93f, 0.48f));
            };
            journalFrame(&r, look);
            EXPECT_EQ(probed, mode != GR_SHADE_WIRE);
            EXPECT_EQ(journalCount(r, "enableFog"), 0);
            // Wire edges take the template colour unless the ghost is selected.
            EXPECT_EQ(journalCount(r, "setColor 0.1 0.6 0.3 1") > 0, mode == GR_SHADE_WIRE && !selected);
            EXPECT_EQ(global[GUI_NON_SELECTED].shadingMode(), mode);
            EXPECT_EQ(global[GUI_NON_SELECTED].getFlags(), flags);
            EXPECT_EQ(common.ghostShadingColor(), ghostShading);
            EXPECT_EQ(common.wireColor(), wire);
        }
    GUI_DetailLook::setGlobalDispOption(GUI_DisplayOption());
}
