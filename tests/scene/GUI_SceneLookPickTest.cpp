// Pick passes through the scene look on a real context: the records found,
// the context put back, and the blending state re-read after cached
// drawing.
#include "tests/detail/Render3DTestSupport.h"
#include "tests/scene/SceneLookTestSupport.h"
#include "tests/support/VantrelExpect.h"
#include "tests/support/VantrelTestContext.h"
#include "tests/view/ViewStateTestSupport.h"

#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailRender3D.h"
#include "host/GU/GU_Detail.h"
#include "host/UT/UT_BoundingBox.h"
#include "scene/GUI_SceneLook.h"

#include <GL/gl.h>

namespace
{
using vantrel_test::makeBox;
using vantrel_test::makeSphere;

class SceneLookPick : public vantrel_test::PixelTest
{
protected:
    void setUpScene() override
    {
        GUI_ViewParameter &cam = look.getViewStateRef().getViewParameterRef();
        cam.setView(0, 0, S, S);
        UT_BoundingBox box(-1, 1, -1, 1, -1, 1);
        cam.homeToBox(S, S, box, nullptr, true, true);
    }

    // A quad at z = 0 over [x0, x1] x [y0, y1] under pick id, as a detail
    // look's renderer would draw it.
    void quad(int id, float x0, float y0, float x1, float y1)
    {
        RE_Render *r = render();
        r->pushPickId(id);
        r->beginPolygon();
        r->vertex3DW(x0, y0, 0);
        r->vertex3DW(x1, y0, 0);
        r->vertex3DW(x1, y1, 0);
        r->vertex3DW(x0, y1, 0);
        r->endPolygon();
        r->popPickId();
    }

    // One pass with the pick region (px, py, pw, ph); the ids of the hits.
    std::vector<unsigned> pick(short px, short py, short pw, short ph, int *count)
    {
        RE_Render *r = render();
        look.beginPicking(r, buffer, 256, 0, 0, S, S, px, py, pw, ph);
        look.pickRender(r, 0, 0, S, S, nullptr);
        quad(1, -1.0f, -1.0f, -0.2f, -0.2f); // lower left
        quad(2, 0.2f, 0.2f, 1.0f, 1.0f);     // upper right
        *count = look.endPicking(r, buffer);
        std::vector<unsigned> ids;
        for (const std::vector<unsigned> &names : vantrel_test::pickNames(buffer, *count))
            ids.push_back(names.back());
        return ids;
    }

    const short S = vantrel_test::theContextSize;
    GUI_SceneLook look{new scene_test::RecordingViewRender, nullptr};
    unsigned int buffer[256];
};
}

TEST_F(SceneLookPick, FindsWhatLiesUnderTheRegionAndPutsTheContextBack)
{
    RE_Render *r = render();
    r->viewport2DS(3, 60, 4, 50);
    r->matrixMode(RE_MATRIX_PROJECTION);
    r->ortho2DW(0, 7, 0, 9);
    const UT_Matrix4 projection = r->getAMatrix(0);
    const int depth = r->getLockDepth();

    int count = -1;
    EXPECT_EQ(pick(S / 4 - 2, S / 4 - 2, 4, 4, &count), (std::vector<unsigned>{1}));
    EXPECT_EQ(pick(3 * S / 4 - 2, 3 * S / 4 - 2, 4, 4, &count), (std::vector<unsigned>{2}));
    EXPECT_EQ(pick(0, 0, S, S, &count).size(), 2u);
    // Between the two quads, and wholly outside the viewport.
    EXPECT_TRUE(pick(S / 2 - 1, S / 2 - 1, 2, 2, &count).empty());
    EXPECT_TRUE(pick(S + 40, S + 40, 5, 5, &count).empty());

    short x1, x2, y1, y2;
    r->getViewport2DS(x1, x2, y1, y2);
    EXPECT_EQ(std::vector<int>({x1, x2, y1, y2}), std::vector<int>({3, 60, 4, 50}));
    vantrel_test::expectMatrixNear(r->getAMatrix(0), projection, 0.0f);
    EXPECT_EQ(r->getLockDepth(), depth);
    EXPECT_FALSE(r->isPicking());
    // The pass drew nothing into the frame.
    EXPECT_EQ(vantrel_test::countNotColor(context()->readPixels(), 0, 0, 0), 0);
}

TEST_F(SceneLookPick, BlendingIsReReadOnlyAfterCachedDrawing)
{
    RE_Render *r = render();
    r->blend(0);
    const auto pass = [&](bool markCached) {
        look.beginPicking(r, buffer, 256, 0, 0, S, S, 0, 0, S, S);
        EXPECT_FALSE(GUI_DetailLook::getPickDisplayListUsedFlag());
        look.pickRender(r, 0, 0, S, S, nullptr);
        // What replaying a cached list can leave in GL behind the record.
        glEnable(GL_BLEND);
        if (markCached)
            GUI_DetailLook::setPickDisplayListUsedFlag(true);
        return look.endPicking(r, buffer);
    };
    EXPECT_EQ(pass(false), 0);
    EXPECT_FALSE(r->isBlending()); // left alone
    EXPECT_EQ(pass(true), 0);
    EXPECT_TRUE(r->isBlending()); // matches GL again
    // Re-read even when nothing changed.
    EXPECT_EQ(pass(true), 0);
    EXPECT_TRUE(r->isBlending());
    r->blend(0);
}

TEST_F(SceneLookPick, FindsWhatDetailLooksPickedDirectlyFind)
{
    RE_Render *r = render();
    GU_DetailHandle boxHandle(makeBox()), sphereHandle(makeSphere(0.5f, 8, 16));
    GUI_DetailLook box(&boxHandle), sphere(&sphereHandle);
    UT_Matrix4 left, right;
    left.translate(-1.2f, 0, 0);
    right.translate(1.2f, 0, 0);
    box.setXform(left);
    sphere.setXform(right);
    std::vector<GUI_DetailLook *> looks{&box, &sphere};

    GUI_ViewParameter &cam = look.getViewStateRef().getViewParameterRef();
    UT_BoundingBox all(-2, 2, -1, 1, -1, 1);
    cam.homeToBox(S, S, all, nullptr, true, false);
    // Enough unchanged frames first that the looks have cached drawing to
    // replay.
    for (int frame = 0; frame <= GUI_DetailRender3D::getDisplayListThreshold() + 1; ++frame)
    {
        look.setView(r, 0, 0, S, S);
        look.renderBackground(r, 0, 0, S, S);
        for (GUI_DetailLook *l : looks)
            l->render(r, 0, 0, S, S, nullptr);
    }

    // Whole objects (simple) replay cached drawing; components draw afresh.
    const auto throughSceneLook = [&](short px, short py, short pw, short ph,
                                      bool simple = false) {
        look.beginPicking(r, buffer, 256, 0, 0, S, S, px, py, pw, ph);
        look.pickRender(r, 0, 0, S, S, nullptr);
        for (size_t i = 0; i < looks.size(); ++i)
        {
            r->pushPickId(int(i));
            if (simple)
                looks[i]->pickRenderSimple(r, 0, 0, S, S, nullptr);
            else
                looks[i]->pickRender(r, 0, 0, S, S, nullptr);
            r->popPickId();
        }
        return vantrel_test::pickNames(buffer, look.endPicking(r, buffer));
    };
    const auto direct = [&](short px, short py, short pw, short ph) {
        look.setView(r, 0, 0, S, S);
        r->pushMatrix(0);
        r->beginPicking(buffer, 256, px, py, pw, ph);
        cam.setProjection(r);
        for (size_t i = 0; i < looks.size(); ++i)
        {
            r->pushPickId(int(i));
            looks[i]->pickRender(r, 0, 0, S, S, nullptr);
            r->popPickId();
        }
        const auto found = vantrel_test::pickNames(buffer, r->endPicking(buffer));
        r->popMatrix(0);
        return found;
    };

    const short third = S / 3;
    int objectsSeen = 0;
    for (short px : {short(0), short(third), short(2 * third)})
        for (short py : {short(0), short(third), short(2 * third)})
        {
            const auto viaLook = throughSceneLook(px, py, third, third);
            EXPECT_EQ(viaLook, direct(px, py, third, third)) << px << "," << py;
            for (const auto &rec : viaLook)
                objectsSeen |= 1 << rec.at(0);
        }
    EXPECT_EQ(objectsSeen, 3); // both objects were found somewhere
    EXPECT_TRUE(throughSceneLook(S / 2 - 1, S - 3, 2, 2).empty()); // above both
    // Whole-object picks replay the looks' cached drawing; the record of
    // blending agrees with GL afterwards.
    throughSceneLook(0, 0, S, S, true);
    EXPECT_TRUE(GUI_DetailLook::getPickDisplayListUsedFlag());
    EXPECT_EQ(r->isBlending(), glIsEnabled(GL_BLEND) == GL_TRUE);
}
