// The 2D renderer's cached drawing, attribute choice and bounds, read from
// the render context's journal.
#include "Render2DTestSupport.h"
#include "tests/support/VantrelExpect.h"

#include <algorithm>
#include <string>

using namespace vantrel_test;

namespace
{
class Render2DCacheTest : public Render2DTest
{
protected:
    // Draws one frame through the 2D renderer with the journal on.
    void journalDraw(GUI_DetailLook &look)
    {
        RE_Render *r = render();
        r->clearJournal();
        r->setJournal(true);
        look.getRender2D()->render(r, 0, 0, 0, 0, nullptr);
        r->setJournal(false);
    }
    // Draws enough frames for a still object to be cached.
    void settle(GUI_DetailLook &look)
    {
        for (int f = 0; f <= GUI_DetailRender2D::getDisplayListThreshold() + 1; ++f)
            journalDraw(look);
    }
    // The cached object of either kind, or -1.
    int cached(GUI_DetailLook &look)
    {
        const GUI_DetailRender2D *r2d = look.getRender2D();
        return std::max(r2d->getCacheId(0), r2d->getCacheId(1));
    }
};

// A still object is drawn directly until the threshold, then recorded once
// and replayed; an edit releases the recording.
TEST_F(Render2DCacheTest, StillGeometryIsRecordedOnceThenReplayed)
{
    ASSERT_FALSE(GUI_DetailRender2D::isCachingDisabled());
    GU_Detail *gdp = makeUVGrid(2, false);
    GU_DetailHandle handle(gdp);
    GUI_DetailLook look(&handle);
    int recorded = 0;
    for (int f = 0; f < GUI_DetailRender2D::getDisplayListThreshold(); ++f)
    {
        journalDraw(look);
        recorded += journalCount(*render(), "startObjectDefine");
        EXPECT_GT(journalCount(*render(), "drawArrays"), 0) << "frame " << f;
    }
    EXPECT_EQ(recorded, 0);
    journalDraw(look);
    EXPECT_EQ(journalCount(*render(), "startObjectDefine"), 1);
    ASSERT_GE(cached(look), 0);
    journalDraw(look);
    EXPECT_EQ(journalCount(*render(), "startObjectDefine"), 0);
    EXPECT_EQ(journalCount(*render(), "drawArrays"), 0);
    EXPECT_EQ(journalCount(*render(), "drawObject"), 1);

    gdp->setPos(0, UT_Vector3(0.1f, 0.0f, 0.0f));
    journalDraw(look);
    EXPECT_EQ(journalCount(*render(), "deleteObject"), 1);
    EXPECT_EQ(cached(look), -1);
}

// Wire-only records cache in kind 0, others in kind 1; going back to a
// kind whose object was released builds it again.
TEST_F(Render2DCacheTest, CacheKindFollowsDrawCategory)
{
    GU_DetailHandle handle(makeUVGrid(2, false));
    GUI_DetailLook look(&handle);
    const GUI_DetailRender2D *r2d = look.getRender2D();
    shading(GR_SHADE_WIRE);
    settle(look);
    EXPECT_GE(r2d->getCacheId(0), 0);
    EXPECT_EQ(r2d->getCacheId(1), -1);
    shading(GR_SHADE_SMOOTH);
    settle(look);
    EXPECT_EQ(r2d->getCacheId(0), -1) << "the option change released it";
    EXPECT_GE(r2d->getCacheId(1), 0);
    global()[GUI_SELECTED].shadingMode(GR_SHADE_WIRE);
    journalDraw(look);
    EXPECT_GE(r2d->getCacheId(1), 0) << "mixed categories use kind 1";
}

// Handle 1 may not cache; finding handle 0's object it releases it, so a
// look of two handles never keeps one.
TEST_F(Render2DCacheTest, TwoHandlesNeverKeepACachedObject)
{
    MultiLook look;
    look.add(makeUVGrid(2, false));
    look.add(makeUVGrid(3, false));
    // The same geometry twice: nothing tells the handles apart but their
    // index.
    MultiLook same;
    same.add(makeUVGrid(2, false));
    same.handles.push_back(same.handles[0]);
    same.xforms.push_back(UT_Matrix4());
    for (int f = 0; f < GUI_DetailRender2D::getDisplayListThreshold() + 4; ++f)
    {
        journalDraw(look);
        EXPECT_EQ(cached(look), -1) << "frame " << f;
        journalDraw(same);
        EXPECT_EQ(cached(same), -1) << "frame " << f;
    }
}

// Switching between point and vertex uvs releases the cached object at the
// next draw, which then draws the other attribute.
TEST_F(Render2DCacheTest, SwitchingUVKindReleasesTheCachedObject)
{
    GU_Detail *gdp = makeUVGrid(2, false);
    GB_Attribute *vuv = gdp->addFloatAttrib(GB_ATTRIB_VERTEX, "uv", 2);
    for (int v = 0; v < gdp->getNumVertices(); ++v)
        vuv->setF(v, 0, 0.5f * v / gdp->getNumVertices());
    GU_DetailHandle handle(gdp);
    GUI_DetailLook look(&handle);
    settle(look);
    const int id = cached(look);
    ASSERT_GE(id, 0);

    global().drawVertexAttrib2D(true);
    journalDraw(look);
    const std::vector<std::string> &journal = render()->getJournal();
    EXPECT_NE(std::find(journal.begin(), journal.end(), "deleteObject " + std::to_string(id)),
              journal.end());
    EXPECT_NE(cached(look), id);
    EXPECT_GT(journalCount(*render(), "drawArrays"), 0) << "drawn directly from the vertex uvs";

    settle(look);
    ASSERT_GE(cached(look), 0);
    global().drawVertexAttrib2D(false);
    journalDraw(look);
    EXPECT_EQ(journalCount(*render(), "deleteObject"), 1);
}

// A change of a geometry option releases the object; while picking an
// existing object is replayed but none is built.
TEST_F(Render2DCacheTest, OptionChangeReleasesAndPickingNeverBuilds)
{
    GU_DetailHandle handle(makeUVGrid(2, false));
    GUI_DetailLook look(&handle);
    settle(look);
    ASSERT_GE(cached(look), 0);
    global()[GUI_NON_SELECTED].setFlag(GR_FLAG_FILL_BACK_FACES, true);
    journalDraw(look);
    EXPECT_EQ(journalCount(*render(), "deleteObject"), 1);

    GUI_DetailLook fresh(&handle);
    unsigned int buffer[256];
    RE_Render *r = render();
    r->clearJournal();
    r->setJournal(true);
    r->beginPicking(buffer, 256, 60, 60, 3, 3);
    for (int f = 0; f < GUI_DetailRender2D::getDisplayListThreshold() + 3; ++f)
        fresh.getRender2D()->pickRenderSimple(r, 0, 0, 0, 0, nullptr);
    r->endPicking(buffer);
    r->setJournal(false);
    EXPECT_EQ(journalCount(*r, "startObjectDefine"), 0);
    EXPECT_EQ(fresh.getRender2D()->getCacheId(0), -1);
}

// Geometry without uvs of the chosen kind draws and picks nothing.
TEST_F(Render2DCacheTest, MissingUVsDrawAndPickNothing)
{
    for (bool vertex : {false, true})
    {
        SCOPED_TRACE(vertex ? "vertex uvs chosen" : "point uvs chosen");
        // Uvs only of the other kind.
        GU_DetailHandle handle(makeUVGrid(2, !vertex));
        GUI_DetailLook look(&handle);
        global().drawVertexAttrib2D(vertex);
        journalDraw(look);
        EXPECT_EQ(journalCount(*render(), "drawArrays"), 0);
        EXPECT_TRUE(pickAt(look, cellCentre(2, 0, 0)).empty());
    }
}

// Bounds over two handles of which only the second has uvs are that
// handle's uv box; a look that is not displayed has none.
TEST_F(Render2DCacheTest, BoundsTakeOnlyHandlesWithTheAttribute)
{
    MultiLook look;
    GU_Detail *bare = new GU_Detail;
    bare->buildGrid(5.0f, 5.0f, 2, 2);
    bare->editAttribs(GB_ATTRIB_POINT).clear();
    look.add(bare);
    GU_Detail *second = makeUVGrid(2, false);
    GB_Attribute *uv = second->editAttribs(GB_ATTRIB_POINT).find("uv");
    for (int p = 0; p < second->getNumPoints(); ++p)
        uv->setF(p, 0, 2.0f + uv->getF(p, 0));
    look.add(second);

    UT_BoundingBox box(-9, 9, -9, 9, -9, 9);
    ASSERT_EQ(look.getBoundingBox2D(box, "uv", 0), 1);
    expectFloats({box.xmin(), box.xmax(), box.ymin(), box.ymax()}, {2.0f, 3.0f, 0.0f, 1.0f});
    EXPECT_EQ(look.getRender2D()->getGeoIdx(), -1);

    EXPECT_EQ(look.getBoundingBox2D(box, "uv", 1), 0) << "no vertex uvs";
    EXPECT_EQ(look.getBoundingBox2D(box, nullptr, 0), 0);
    look.setDisplay(0);
    EXPECT_EQ(look.getBoundingBox2D(box, "uv", 0), 0);
}

// The 2D selection mask forces point markers and, on wire records, hulls
// while drawing, and puts both back.
TEST_F(Render2DCacheTest, SelectionMaskIsAppliedAndRestored)
{
    GU_DetailHandle handle(makeUVGrid(2, false));
    GUI_DetailLook look(&handle);
    global().applySelectMask(true);
    global().setSelectMask(0x1 | 0x10);
    GR_DisplayOption &primary = global()[GUI_NON_SELECTED];
    primary.setFlag(GR_FLAG_POINT_MARKERS, false);
    primary.setFlag(GR_FLAG_HULLS, false);
    journalDraw(look);
    EXPECT_EQ(journalCount(*render(), "pushPointSize"), 1) << "point markers drawn";
    EXPECT_FALSE(primary.getFlag(GR_FLAG_POINT_MARKERS));
    EXPECT_FALSE(primary.getFlag(GR_FLAG_HULLS));

    look.setTemplate(1);
    journalDraw(look);
    EXPECT_EQ(journalCount(*render(), "pushPointSize"), 0) << "templates take no mask";
}
} // namespace
