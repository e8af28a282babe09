// What the 2D renderer puts on the screen and picks in texture space.
#include "Render2DTestSupport.h"

#include "host/GU/GB_PrimitiveGroup.h"

using namespace vantrel_test;

namespace
{
const int N = 4;

// Grid lines at u or v = k/4 are lit, cell centres are not; with vertex
// uvs the same cells come out.
TEST_F(Render2DTest, GridCellsDrawAtTheirUVs)
{
    for (bool vertex : {false, true})
    {
        SCOPED_TRACE(vertex ? "vertex uvs" : "point uvs");
        GU_DetailHandle handle(makeUVGrid(N, vertex));
        GUI_DetailLook look(&handle);
        global().drawVertexAttrib2D(vertex);
        draw(look);
        for (int k = 0; k <= N; ++k)
        {
            const float at = float(k) / N;
            EXPECT_TRUE(litNear(UT_Vector3(at, 0.375f, 0.0f))) << "u line " << k;
            EXPECT_TRUE(litNear(UT_Vector3(0.625f, at, 0.0f))) << "v line " << k;
        }
        for (int row = 0; row < N; ++row)
            for (int col = 0; col < N; ++col)
                EXPECT_TRUE(isNear(pixelAt(cellCentre(N, row, col)), 0, 0, 0, 10))
                    << "cell " << row << "," << col;
        EXPECT_FALSE(litNear(UT_Vector3(1.15f, 0.5f, 0.0f))) << "nothing beyond the unit square";
    }
}

// Only a cell whose uv winding is reversed fills, and only when the record
// asks for back faces.
TEST_F(Render2DTest, ReversedUVCellFillsInBackFaceColourWhenAsked)
{
    GU_Detail *gdp = makeUVGrid(N, true);
    flipCell(*gdp, 5);
    GU_DetailHandle handle(gdp);
    GUI_DetailLook look(&handle);
    global().drawVertexAttrib2D(true);
    global().common().backfaceColor().setRGB(1.0f, 0.0f, 0.0f);

    draw(look);
    EXPECT_TRUE(isNear(pixelAt(cellCentre(N, 1, 1)), 0, 0, 0, 10)) << "not asked";

    global()[GUI_NON_SELECTED].setFlag(GR_FLAG_FILL_BACK_FACES, true);
    draw(look);
    EXPECT_TRUE(isNear(pixelAt(cellCentre(N, 1, 1)), 255, 0, 0, 10));
    EXPECT_TRUE(isNear(pixelAt(cellCentre(N, 1, 2)), 0, 0, 0, 10)) << "a cell facing forward";
    EXPECT_TRUE(isNear(pixelAt(cellCentre(N, 2, 1)), 0, 0, 0, 10));
}

// With "2d_visible_primitives" present only its cells are drawn, picked
// and bounded.
TEST_F(Render2DTest, VisibleGroupRestrictsDrawingPickingAndBounds)
{
    GU_Detail *gdp = makeUVGrid(N, false);
    gdp->newPrimitiveGroup("2d_visible_primitives")->add(0);
    GU_DetailHandle handle(gdp);
    GUI_DetailLook look(&handle);
    draw(look);
    EXPECT_TRUE(litNear(UT_Vector3(0.25f, 0.125f, 0.0f))) << "the side of cell 0";
    EXPECT_FALSE(litNear(UT_Vector3(0.75f, 0.625f, 0.0f))) << "a line of other cells only";
    EXPECT_FALSE(litNear(UT_Vector3(0.5f, 0.875f, 0.0f)));

    EXPECT_TRUE(pickAt(look, cellCentre(N, 2, 2)).empty());
    EXPECT_EQ(pickAt(look, cellCentre(N, 0, 0)).size(), 1u);

    UT_BoundingBox box;
    ASSERT_TRUE(look.getBoundingBox2D(box, "uv", 0));
    EXPECT_FLOAT_EQ(box.xmax(), 0.25f);
    EXPECT_FLOAT_EQ(box.ymax(), 0.25f);
}

// A pick at a cell's centre gives one record naming the handle and that
// cell's primitive; outside the uvs nothing is picked.
TEST_F(Render2DTest, PickAtCellCentreNamesThatPrimitive)
{
    for (bool vertex : {false, true})
    {
        SCOPED_TRACE(vertex ? "vertex uvs" : "point uvs");
        GU_DetailHandle handle(makeUVGrid(N, vertex));
        GUI_DetailLook look(&handle);
        global().drawVertexAttrib2D(vertex);
        for (int prim : {0, 6, 13})
        {
            // One record: handle 0, then the primitive.
            EXPECT_EQ(pickAt(look, cellCentre(N, prim / N, prim % N)),
                      (std::vector<PickHit>{{0u, unsigned(prim)}}))
                << "prim " << prim;
        }
        EXPECT_TRUE(pickAt(look, UT_Vector3(1.15f, 1.15f, 0.0f)).empty());
    }
}

// The wire colour: the look's own when it asks, the template colour for a
// templated look whose record ghosts, the default otherwise.
TEST_F(Render2DTest, WireColourFollowsLookAndTemplateState)
{
    GR_CommonDispOption &common = global().common();
    common.defaultWireColor().setRGB(0.0f, 1.0f, 0.0f);
    common.templateWireColor().setRGB(0.0f, 0.0f, 1.0f);
    GU_DetailHandle handle(makeUVGrid(1, false));
    GUI_DetailLook look(&handle);
    const UT_Vector3 side(0.0f, 0.5f, 0.0f);
    auto sideColour = [&]() {
        draw(look);
        int x, y;
        toPixel(side, x, y);
        // The line may fall on either side of the pixel edge.
        std::vector<int> best = pixel(x, y);
        for (int dx = -1; dx <= 1; ++dx)
        {
            const std::vector<int> p = pixel(x + dx, y);
            if (p[0] + p[1] + p[2] > best[0] + best[1] + best[2])
                best = p;
        }
        return best;
    };
    EXPECT_TRUE(isNear(sideColour(), 0, 255, 0, 10));

    look.setTemplate(1);
    global()[GUI_TEMPLATE].ghosted(false);
    EXPECT_TRUE(isNear(sideColour(), 0, 255, 0, 10)) << "no ghost flag: default colour";
    global()[GUI_TEMPLATE].ghosted(true);
    const std::vector<int> ghost = sideColour();
    EXPECT_EQ(ghost[0], 0);
    EXPECT_EQ(ghost[1], 0);
    EXPECT_GT(ghost[2], 60) << "template colour, dimmed as a ghost";
    EXPECT_LT(ghost[2], 200);
    look.setTemplate(0);
    look.setWireColor(UT_Color(UT_RGB, 1.0f, 0.0f, 0.0f));
    look.setUseWireColor(1);
    EXPECT_TRUE(isNear(sideColour(), 255, 0, 0, 10)) << "the look's own colour";
    common.wireColor().setRGB(0.3f, 0.2f, 0.1f);
    draw(look);
    EXPECT_EQ(common.wireColor(), UT_Color(UT_RGB, 0.3f, 0.2f, 0.1f)) << "put back after the draw";
}

// Selected cells draw over the wire in the selected colour.
TEST_F(Render2DTest, SelectedCellOutlinedInSelectedColour)
{
    GU_Detail *gdp = makeUVGrid(N, false);
    gdp->newSelection(GU_SELECT_PRIMITIVES)->add(10);
    GU_DetailHandle handle(gdp);
    GUI_DetailLook look(&handle);
    look.setObjSelection(1);
    global().common().selectedWireColor().setRGB(1.0f, 1.0f, 0.0f);
    global().common().defaultWireColor().setRGB(0.0f, 0.0f, 1.0f);
    draw(look);
    // Cell 10 is row 2, column 2: its lower side at v = 0.5.
    int x, y;
    toPixel(UT_Vector3(0.625f, 0.5f, 0.0f), x, y);
    bool yellow = false;
    for (int dy = -1; dy <= 1; ++dy)
        yellow = yellow || isNear(pixel(x, y + dy), 255, 255, 0, 10);
    EXPECT_TRUE(yellow);
    toPixel(UT_Vector3(0.125f, 0.5f, 0.0f), x, y);
    for (int dy = -1; dy <= 1; ++dy)
        EXPECT_FALSE(isNear(pixel(x, y + dy), 255, 255, 0, 10)) << "an unselected side";
}

// NaN, huge and all-equal uvs: the sound cells still draw, nothing crashes
// and no GL error is left (checked by the fixture).
TEST_F(Render2DTest, BadUVsDrawWhatIsSound)
{
    GU_Detail *gdp = makeUVGrid(N, true);
    GB_Attribute *uv = gdp->editAttribs(GB_ATTRIB_VERTEX).find("uv");
    const float nan = std::nanf("");
    uv->setF(gdp->getPrimVertexOffset(15), 0, nan);   // cell 15 unsound
    uv->setF(gdp->getPrimVertexOffset(14), 1, 3e38f); // cell 14 huge
    GU_DetailHandle handle(gdp);
    GUI_DetailLook look(&handle);
    global().drawVertexAttrib2D(true);
    global()[GUI_NON_SELECTED].setFlag(GR_FLAG_FILL_BACK_FACES, true);
    draw(look);
    EXPECT_TRUE(litNear(UT_Vector3(0.25f, 0.125f, 0.0f))) << "a sound cell";
    EXPECT_TRUE(isNear(pixelAt(cellCentre(N, 0, 0)), 0, 0, 0, 10));
    EXPECT_FALSE(pickAt(look, cellCentre(N, 0, 1)).empty());
    for (const PickHit &hit : pickAt(look, cellCentre(N, 3, 3)))
        EXPECT_NE(hit.back(), 15u) << "a NaN cell is never picked";

    GU_Detail *flat = makeUVGrid(N, false);
    GB_Attribute *puv = flat->editAttribs(GB_ATTRIB_POINT).find("uv");
    for (int p = 0; p < flat->getNumPoints(); ++p)
    {
        puv->setF(p, 0, 0.5f);
        puv->setF(p, 1, 0.5f);
    }
    GU_DetailHandle flatHandle(flat);
    GUI_DetailLook flatLook(&flatHandle);
    global().drawVertexAttrib2D(false);
    draw(flatLook);
    pickAt(flatLook, UT_Vector3(0.5f, 0.5f, 0.0f));
    UT_BoundingBox box;
    ASSERT_TRUE(flatLook.getBoundingBox2D(box, "uv", 0));
    EXPECT_FLOAT_EQ(box.xmin(), 0.5f);
    EXPECT_FLOAT_EQ(box.xmax(), 0.5f);
}
} // namespace
