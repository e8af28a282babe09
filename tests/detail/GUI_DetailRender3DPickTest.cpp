// Picking, bounds and axes of the 3D renderer.
#include "Render3DTestSupport.h"

#include "host/UT/UT_Matrix3.h"
#include "tests/support/VantrelExpect.h"
#include "tests/support/VantrelTestContext.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace vantrel_test;

namespace
{
// The names of one pick record: the look, the handle, the primitive.
using PickRecord = std::vector<unsigned>;

class Render3DPickTest : public DetailPixelTest
{
protected:
    void setUpScene() override { setThreeQuarterCamera(render(), 3.0f); }

    // Picks a 5x5 region centred on the window position of world point p
    // through each look in turn (under its index as a pick id); with simple,
    // through the 3D renderer's full draw instead.
    std::vector<PickRecord> pickAt(const std::vector<GUI_DetailLook *> &looks,
                                   const UT_Vector3 &p, bool simple = false)
    {
        RE_Render *r = render();
        float sx = 0, sy = 0;
        windowPoint(p, sx, sy);
        unsigned int buffer[4096];
        r->pushMatrix();
        r->beginPicking(buffer, 4096, short(sx) - 2, short(sy) - 2, 5, 5);
        for (size_t i = 0; i < looks.size(); ++i)
        {
            r->pushPickId(int(i));
            if (simple)
                looks[i]->getRender3D()->pickRenderSimple(r, 0, 0, 0, 0, nullptr);
            else
                looks[i]->pickRender(r, 0, 0, 0, 0, nullptr);
            r->popPickId();
        }
        const int count = r->endPicking(buffer);
        r->popMatrix();
        return pickNames(buffer, count);
    }
};
} // namespace

TEST_F(Render3DPickTest, PickingFindsTheObjectAndPrimitiveUnderThePoint)
{
    struct Item
    {
        GU_Detail *gdp;
        UT_Vector3 where;
    };
    GU_Detail *torus = new GU_Detail;
    torus->buildTorus(0.5f, 0.2f, 8, 16);
    const Item items[] = {{makeBox(), UT_Vector3(-1.6f, 0.5f, 0.0f)},
                          {makeSphere(0.6f, 8, 12), UT_Vector3(0.0f, 0.6f, 0.0f)},
                          {torus, UT_Vector3(1.6f, 0.5f, 0.0f)}};
    std::vector<std::unique_ptr<GU_DetailHandle>> handles;
    std::vector<std::unique_ptr<GUI_DetailLook>> owned;
    std::vector<GUI_DetailLook *> looks;
    for (const Item &item : items)
    {
        handles.push_back(std::make_unique<GU_DetailHandle>(item.gdp));
        owned.push_back(std::make_unique<GUI_DetailLook>(handles.back().get()));
        owned.back()->setXform(placed(item.where.x(), item.where.y(), item.where.z()));
        looks.push_back(owned.back().get());
    }

    RE_Render *r = render();
    short vx1, vx2, vy1, vy2;
    r->getViewport2DS(vx1, vx2, vy1, vy2);
    const UT_Matrix4 projection = r->getAMatrix(RE_MATRIX_PROJECTION);
    const UT_Matrix4 viewing = r->getAMatrix(RE_MATRIX_VIEWING);
    r->blend(0);

    // The box and sphere are picked at their centres; the torus beside its
    // hole, on the ring.
    const UT_Vector3 centres[] = {items[0].where, items[1].where,
                                  items[2].where + UT_Vector3(0.0f, 0.0f, 0.5f)};
    for (int i = 0; i < 3; ++i)
    {
        const std::vector<PickRecord> records = pickAt(looks, centres[i]);
        ASSERT_FALSE(records.empty()) << "object " << i;
        for (const PickRecord &rec : records)
        {
            ASSERT_EQ(rec.size(), 3u);
            EXPECT_EQ(rec[0], unsigned(i));
            EXPECT_EQ(rec[1], 0u);
        }
    }
    // The primitive named is the one under the point: at the middle of each
    // face of the box that shows (the box's faces are -x, +x, -y, +y, -z, +z
    // in order), that face is picked and the other two that show are not.
    const std::pair<UT_Vector3, unsigned> faces[] = {
        {UT_Vector3(0.5f, 0, 0), 1u}, {UT_Vector3(0, 0.5f, 0), 3u}, {UT_Vector3(0, 0, 0.5f), 5u}};
    for (const auto &[offset, face] : faces)
    {
        std::set<unsigned> prims;
        for (const PickRecord &rec : pickAt(looks, items[0].where + offset))
            prims.insert(rec.at(2));
        for (const auto &other : faces)
            EXPECT_EQ(prims.count(other.second), other.second == face ? 1u : 0u)
                << "face " << face << ", count of " << other.second;
    }
    // Empty background picks nothing, and picking leaves the context's
    // viewport, matrices and blending as they were.
    EXPECT_TRUE(pickAt(looks, UT_Vector3(0.0f, -2.5f, 0.0f)).empty());
    short x1, x2, y1, y2;
    r->getViewport2DS(x1, x2, y1, y2);
    EXPECT_EQ((std::vector<int>{x1, x2, y1, y2}), (std::vector<int>{vx1, vx2, vy1, vy2}));
    EXPECT_EQ(r->getAMatrix(RE_MATRIX_PROJECTION), projection);
    EXPECT_EQ(r->getAMatrix(RE_MATRIX_VIEWING), viewing);
    EXPECT_FALSE(r->isBlending());

    // A look that is not pickable gives nothing.
    looks[0]->setPicking(0);
    EXPECT_TRUE(pickAt(looks, centres[0]).empty());
}

TEST_F(Render3DPickTest, HandlesNumberFromZeroAndHiddenPrimitivesAreNeverPicked)
{
    MultiLook look;
    GU_Detail *near = makeBox();
    look.add(makeBox(), placed(-1.0f, 0.0f, 0.0f));
    look.add(near, placed(1.0f, 0.0f, 0.0f));
    std::vector<PickRecord> records = pickAt({&look}, UT_Vector3(1.0f, 0.0f, 0.0f));
    ASSERT_FALSE(records.empty());
    std::vector<bool> seen(near->getNumPrimitives(), false);
    for (const PickRecord &rec : records)
    {
        ASSERT_EQ(rec.size(), 3u);
        EXPECT_EQ(rec[1], 1u);
        seen[rec[2]] = true;
    }
    // The full draw while picking names the handles the same way, and
    // leaves no handle's selection-list instance published.
    look.selectionListInstance(1) = 2;
    const std::vector<PickRecord> drawn = pickAt({&look}, UT_Vector3(1.0f, 0.0f, 0.0f), true);
    ASSERT_FALSE(drawn.empty());
    for (const PickRecord &rec : drawn)
        EXPECT_EQ(rec.at(1), 1u);
    EXPECT_EQ(global().common().getSelectionInstance(), -1);
    EXPECT_EQ(look.getRender3D()->getGeoIdx(), -1);

    // Hide every primitive the pick went through: nothing is left to hit.
    GB_PrimitiveGroup *hidden = near->newPrimitiveGroup("3d_hidden_primitives");
    for (int prim = 0; prim < int(seen.size()); ++prim)
        if (seen[prim])
            hidden->add(prim);
    records = pickAt({&look}, UT_Vector3(1.0f, 0.0f, 0.0f));
    for (const PickRecord &rec : records)
        EXPECT_FALSE(seen[rec[2]]) << "hidden primitive " << rec[2] << " picked";
    EXPECT_FALSE(pickAt({&look}, UT_Vector3(-1.0f, 0.0f, 0.0f)).empty());
}

TEST_F(Render3DPickTest, BoundsJoinHandlesUnderTheirTransformsAndGuidesOnlyWhenShown)
{
    MultiLook look;
    look.add(makeBox(), placed(-2.0f, 0.0f, 0.0f));
    UT_Matrix4 scaled;
    scaled.scale(1.0f, 4.0f, 1.0f);
    scaled.translate(3.0f, 0.0f, 0.0f);
    look.add(makeBox(), scaled);
    UT_BoundingBox box;
    ASSERT_EQ(look.getBoundingBox3D(box, nullptr), 1);
    vantrel_test::expectFloats({box.xmin(), box.xmax(), box.ymin(), box.ymax()}, {-2.5f, 3.5f, -2.0f, 2.0f});
    EXPECT_EQ(look.getRender3D()->getGeoIdx(), -1);

    // Under a quarter turn about z the tall box lies along x.
    UT_Matrix3 turn;
    turn.rotate(UT_Axis3::ZAXIS, float(M_PI / 2));
    ASSERT_EQ(look.getBoundingBox3D(box, &turn), 1);
    EXPECT_NEAR(box.ymax() - box.ymin(), 6.0f, 1e-4f);

    // Hidden primitives do not count.
    GU_Detail *first = look.handles[0].writeLock();
    GB_PrimitiveGroup *hidden = first->newPrimitiveGroup("3d_hidden_primitives");
    for (int prim = 0; prim < first->getNumPrimitives(); ++prim)
        hidden->add(prim);
    look.handles[0].unlock(first);
    ASSERT_EQ(look.getBoundingBox3D(box, nullptr), 1);
    EXPECT_FLOAT_EQ(box.xmin(), 2.5f);

    look.guide = true;
    global().showGuides(false);
    box = UT_BoundingBox(-1, 1, -1, 1, -1, 1);
    EXPECT_EQ(look.getBoundingBox3D(box, nullptr), 0);
    EXPECT_FLOAT_EQ(box.xmin(), -1.0f);  // untouched
    global().showGuides(true);
    EXPECT_EQ(look.getBoundingBox3D(box, nullptr), 1);
    look.guide = false;
    look.setDisplay(0);
    EXPECT_EQ(look.getBoundingBox3D(box, nullptr), 0);
}

TEST_F(Render3DPickTest, AxesFollowTheBoxButNeverShorterThanHalfAUnit)
{
    RE_Render *r = render();
    auto axisEnds = [&](float size) {
        GU_DetailHandle handle(makeBox(size));
        GUI_DetailLook look(&handle);
        look.setShowAxes(1);
        shading(GR_SHADE_WIRE);
        journalFrame(r, look);
        std::vector<std::string> ends;
        const std::vector<std::string> &j = r->getJournal();
        for (size_t k = 0; k + 2 < j.size(); ++k)
            if (j[k] == "beginLine" && j[k + 1] == "vertex3DW 0 0 0")
                ends.push_back(j[k + 2]);
        return ends;
    };
    EXPECT_EQ(axisEnds(0.01f), (std::vector<std::string>{
                                   "vertex3DW 0.5 0 0", "vertex3DW 0 0.5 0", "vertex3DW 0 0 0.5"}));
    EXPECT_EQ(axisEnds(40.0f), (std::vector<std::string>{
                                   "vertex3DW 5 0 0", "vertex3DW 0 5 0", "vertex3DW 0 0 5"}));
}
