// The scene feel: its objects, the camera operations on all three cameras,
// the no-camera clipping limits, and mapping window positions to the world
// and back (through a render context that keeps its record only: the
// mapping is arithmetic and needs no GL).
#include "tests/support/VantrelExpect.h"
#include "tests/view/ViewStateTestSupport.h"

#include "detail/GUI_DetailFeel.h"
#include "host/RE/RE_Render.h"
#include "host/UI/BM_SceneManager.h"
#include "host/UI/UI_Event.h"
#include "host/UI/UI_Value.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Matrix3.h"
#include "host/UT/UT_Plane.h"
#include "scene/GUI_MapRetry.h"
#include "scene/GUI_SceneFeel.h"
#include "scene/GUI_SceneLook.h"

#include <gtest/gtest.h>

#include <cmath>

using vantrel_test::expectFloats;
using vantrel_test::expectNear;

namespace
{
// A feel over a scene look, drawing through a record-only render context.
struct SceneFeelMapping : ::testing::Test
{
    SceneFeelMapping() : look(nullptr, nullptr), feel(manager, "persp1")
    {
        feel.setLook(&look);
        feel.setRender(&r);
    }
    GUI_ViewParameter &cam() { return look.getViewStateRef().getViewParameterRef(); }

    RE_Render r;
    BM_SceneManager manager;
    GUI_SceneLook look;
    GUI_SceneFeel feel;
};

// A 100 x 80 viewport homed onto the cube from -1 to 1, looking down -z.
struct FeelFixture : SceneFeelMapping
{
    FeelFixture()
    {
        feel.setSize(100, 80);
        load();
        UT_BoundingBox box(-1, 1, -1, 1, -1, 1);
        feel.doHome(box, nullptr, false, false);
        load();
    }
    void load()
    {
        cam().setViewport(&r, 0, 0, 100, 80);
        cam().setView(0, 0, 100, 80);
        cam().setProjection(&r);
    }
};

// The viewport (30, 10) 200 x 100, away from the window's corner and twice
// as wide as high, with a feel placed at its corner; the camera looks down
// -z from (tx, ty, tz) without a turn.
struct OffsetFeel : SceneFeelMapping
{
    OffsetFeel()
    {
        feel.setSize(200, 100);
        feel.setPosition(30, 10);
    }
    void load(bool ortho)
    {
        cam().setRotateMatrix(UT_Matrix3(1.0f));
        cam().setOrthoFlag(ortho);
        cam().setOrthoWidth(4.0f);
        cam().setFocalLength(50.0f);
        cam().setAperture(40.0f);
        cam().setLimits(near, 100.0f);
        cam().setWindow(0.0f, 0.0f, 1.0f, 1.0f);
        cam().setTx(t.x());
        cam().setTy(t.y());
        cam().setTz(t.z());
        cam().setViewport(&r, 30, 10, 200, 100);
        cam().setView(30, 10, 200, 100);
        cam().setProjection(&r);
    }

    const float near = 0.5f;
    const UT_Vector3 t{0.3f, -0.2f, 5.0f};
};

// Distance of p from the line orig + t dir (dir a unit vector).
float
distanceFromRay(const UT_Vector3 &p, const UT_Vector3 &orig, const UT_Vector3 &dir)
{
    UT_Vector3 d = p - orig;
    return (d - dir * d.dot(dir)).length();
}
} // namespace

TEST(SceneFeel, ConstructionTakesTheDefaultLimitsAndTheLimitSettersClamp)
{
    BM_SceneManager manager;
    GUI_SceneLook look(nullptr, nullptr);
    GUI_SceneFeel feel(manager, "persp1");
    feel.setLook(&look);
    EXPECT_EQ(manager.getViewport(0), &feel);

    float n, f, dn, df;
    feel.getNoCamNearFarLimits(n, f);
    GUI_ViewState::getDefaultNearFarLimits(dn, df);
    EXPECT_EQ(n, dn);
    EXPECT_EQ(f, df);

    feel.setNoCamNearFarLimits(0.0f, 0.0f);
    feel.getNoCamNearFarLimits(n, f);
    expectFloats({n, f}, {0.001f, 1000.0f});
    GUI_ViewParameter &cam = look.getViewStateRef().getViewParameterRef();
    cam.setLimits(0.5f, 50.0f);
    EXPECT_TRUE(feel.useNoCamNearFarLimits());
    expectFloats({cam.getNear(), cam.getFar()}, {0.001f, 1000.0f});
    EXPECT_FALSE(feel.useNoCamNearFarLimits());
    // Within 0.00001 counts as already there; further off does not.
    cam.setLimits(0.001f + 0.000005f, 1000.0f);
    EXPECT_FALSE(feel.useNoCamNearFarLimits());
    cam.setLimits(0.001f, 1000.01f);
    EXPECT_TRUE(feel.useNoCamNearFarLimits());

    feel.setNoCamNearFarLimits(-3.0f, -1.0f);
    feel.getNoCamNearFarLimits(n, f);
    expectFloats({n, f}, {0.001f, 1000.0f});
    feel.setNoCamNearFarLimits(0.25f, 400.0f);
    feel.getNoCamNearFarLimits(n, f);
    expectFloats({n, f}, {0.25f, 400.0f});
}

TEST(SceneFeel, DetailFeelsStillListedAreDeletedWithTheSceneFeel)
{
    BM_SceneManager manager;
    GUI_DetailFeel *kept = new GUI_DetailFeel;
    GUI_DetailFeel stranger;
    {
        GUI_SceneFeel feel(manager, "persp1");
        EXPECT_EQ(feel.removeDetailFeel(&stranger), 0);
        feel.addDetailFeel(new GUI_DetailFeel);
        feel.addDetailFeel(kept);
        feel.addDetailFeel(new GUI_DetailFeel);
        feel.addDetailFeel(nullptr); // a null entry is skipped at the end
        EXPECT_EQ(feel.removeDetailFeel(kept), 1);
        EXPECT_EQ(feel.removeDetailFeel(kept), 0);
        EXPECT_EQ(feel.getDetails().entries(), 3);
        EXPECT_EQ(manager.getNumViewports(), 1);
    }
    // The removed feel is still ours: the sanitizer run sees a use after
    // free here, or a leak of the two still listed, if the scene feel got
    // either wrong.
    kept->setCurrent2D();
    EXPECT_EQ(kept->getCurrentRender(), nullptr);
    delete kept;
    EXPECT_EQ(manager.getNumViewports(), 0);
}

TEST_F(FeelFixture, CameraOperationsMoveAllThreeCamerasAndHomeResetsTheLens)
{
    GUI_ViewState &state = look.getViewStateRef();
    state.syncViewsWithMain();
    auto translation = [&](GUI_ViewState::GUI_ViewType t) {
        const GUI_ViewParameter &v = state.getViewParameter(t);
        return UT_Vector3(v.getTx(), v.getTy(), v.getTz());
    };
    const UT_Vector3 before = translation(GUI_ViewState::GUI_VIEW_MAIN);
    feel.doDolly(2.0f);
    const UT_Vector3 after = translation(GUI_ViewState::GUI_VIEW_MAIN);
    EXPECT_GT((after - before).length(), 0.0f);
    expectNear(translation(GUI_ViewState::GUI_VIEW_SECOND), after);
    expectNear(translation(GUI_ViewState::GUI_VIEW_THIRD), after);

    feel.doRotate(UT_Axis3::YAXIS, 30.0f);
    const UT_Matrix4 rot = state.getViewParameter(GUI_ViewState::GUI_VIEW_MAIN).getRotateMatrix();
    vantrel_test::expectMatrixNear(
        state.getViewParameter(GUI_ViewState::GUI_VIEW_THIRD).getRotateMatrix(), rot);

    // Homing puts the lens back and, with adjust limits on, the near and
    // far homing chose become the no-camera limits.
    cam().setFocalLength(20.0f);
    cam().setAdjustLimits(true);
    UT_BoundingBox box(-5, 5, -5, 5, -5, 5);
    feel.doHome(box, nullptr, false, false);
    EXPECT_FLOAT_EQ(cam().getFocalLength(), 50.0f);
    float n, f;
    feel.getNoCamNearFarLimits(n, f);
    EXPECT_EQ(n, cam().getNear());
    EXPECT_EQ(f, cam().getFar());
}

// A position (x, y) is the fraction (x / 200, y / 100) across the view,
// which shows w x w/2 world units at the near plane around (tx, ty): w is
// the ortho width, or aperture / focal x near in perspective. The ray
// leaves the near plane toward the eye; a point on it maps back to (x, y).
TEST_F(OffsetFeel, PositionsMapThroughTheViewportsOwnCornerAndSize)
{
    const float positions[][2] = {{50, 25}, {170, 90}, {0, 0}, {199, 5}};
    for (bool ortho : {true, false})
    {
        load(ortho);
        const float hw = (ortho ? 4.0f : 40.0f / 50.0f * near) * 0.5f, hh = hw * 0.5f;
        for (const auto &xy : positions)
        {
            const float nx = 2.0f * xy[0] / 200.0f - 1.0f, ny = 2.0f * xy[1] / 100.0f - 1.0f;
            UT_Vector3 dir, orig;
            feel.mapToWorld(xy[0], xy[1], dir, orig);
            SCOPED_TRACE(::testing::Message() << "ortho " << ortho << " at " << xy[0] << ","
                                              << xy[1]);
            expectNear(orig, t + UT_Vector3(nx * hw, ny * hh, -near), 1e-4f);
            UT_Vector3 want = ortho ? UT_Vector3(0, 0, 1) : UT_Vector3(-nx * hw, -ny * hh, near);
            want.normalize();
            expectNear(dir, want, 1e-4f);

            float sx = 0, sy = 0;
            feel.mapToScreen(orig + dir * 3.0f, sx, sy);
            EXPECT_NEAR(sx, xy[0], 0.01f);
            EXPECT_NEAR(sy, xy[1], 0.01f);
        }
    }
}

TEST_F(FeelFixture, MappingHitsPlanesLinesAndSegmentsUnderThePosition)
{
    // The world point of a position lies 10 units along its ray.
    UT_Vector3 dir, orig, p;
    feel.mapToWorld(50.0f, 40.0f, dir, orig);
    feel.mapToWorldPoint(50.0f, 40.0f, p);
    expectNear(p, orig + dir * 10.0f);

    UT_Vector3 hit;
    EXPECT_EQ(feel.mapToPlane(50.0f, 40.0f, UT_Plane(UT_Vector3(0, 0, 0.5f), UT_Vector3(0, 0, 1)), hit), 0);
    expectNear(hit, UT_Vector3(0, 0, 0.5f), 1e-4f);

    // The line y = 0.25 along x is closest to the centre ray at x = 0.
    UT_Vector3 res;
    EXPECT_EQ(feel.mapToLine(50.0f, 40.0f, UT_Vector3(3, 0.25f, 0), UT_Vector3(1, 0, 0), res), 0);
    expectNear(res, UT_Vector3(0, 0.25f, 0), 1e-4f);

    // Segments across the ray, ending before it (clamped to a, or to b),
    // and one running along it.
    const UT_Vector3 a(-1, 0, 0), b(1, 0, 0);
    EXPECT_EQ(feel.mapToSegment(50.0f, 40.0f, a, b, res), 0);
    expectNear(res, UT_Vector3(0, 0, 0), 1e-4f);
    EXPECT_EQ(feel.mapToSegment(50.0f, 40.0f, UT_Vector3(1, 0, 0), UT_Vector3(2, 0, 0), res), 1);
    expectNear(res, UT_Vector3(1, 0, 0));
    EXPECT_EQ(feel.mapToSegment(50.0f, 40.0f, UT_Vector3(-2, 0, 0), UT_Vector3(-1, 0, 0), res), 2);
    expectNear(res, UT_Vector3(-1, 0, 0));
    EXPECT_EQ(feel.mapToSegment(50.0f, 40.0f, UT_Vector3(0, 0, -1), UT_Vector3(0, 0, 1), res), -1);
}

TEST_F(FeelFixture, MapEventReplacesThePositionOnlyWhenTheRayHits)
{
    UI_Value value(50.0f, 40.0f);
    UI_Event ev(&value, UI_Event::UI_EVENT_MOUSE_DOWN);
    // A plane the centre ray runs along: no hit, the position stays.
    EXPECT_EQ(feel.mapEvent(&ev, UT_Plane(UT_Vector3(0, 0, 0), UT_Vector3(1, 0, 0))), nullptr);
    float buf[3] = {-1, -1, -1};
    value.getValue(buf, 3);
    EXPECT_EQ(value.getSize(), 2);
    EXPECT_EQ(buf[0], 50.0f);
    EXPECT_EQ(buf[1], 40.0f);

    EXPECT_EQ(feel.mapEvent(&ev, UT_Plane(UT_Vector3(0, 0, 0), UT_Vector3(0, 0, 1))), &ev);
    EXPECT_EQ(value.getSize(), 3);
    value.getValue(buf, 3);
    expectNear(UT_Vector3(buf[0], buf[1], buf[2]), UT_Vector3(0, 0, 0), 1e-4f);

    // The line form: a line along the ray cannot be met.
    UI_Value onLine(50.0f, 40.0f);
    UI_Event lineEv(&onLine);
    EXPECT_EQ(feel.mapEvent(&lineEv, UT_Vector3(0, 0, 0), UT_Vector3(0, 0, 1)), nullptr);
    EXPECT_EQ(onLine.getSize(), 2);
    EXPECT_EQ(feel.mapEvent(&lineEv, UT_Vector3(0, 0.5f, 0), UT_Vector3(1, 0, 0)), &lineEv);
    onLine.getValue(buf, 3);
    expectNear(UT_Vector3(buf[0], buf[1], buf[2]), UT_Vector3(0, 0.5f, 0), 1e-4f);
    EXPECT_EQ(feel.mapEvent(nullptr, UT_Plane()), nullptr);
}

TEST_F(FeelFixture, CachedMatricesHoldTheMappingWhileTheCameraMoves)
{
    UT_Vector3 p0, p1, p2;
    feel.mapToWorldPoint(30.0f, 20.0f, p0);
    feel.cacheViewMatrices();
    EXPECT_FALSE(feel.usesViewMatrices());
    feel.doTrackball(25.0f, -10.0f, 1);
    feel.doDolly(1.5f);
    feel.mapToWorldPoint(30.0f, 20.0f, p1);
    expectNear(p1, p0, 0.0f);
    float sx, sy;
    feel.mapToScreen(p0, sx, sy);
    expectFloats({sx, sy}, {30.0f, 20.0f}, 0.1f);

    feel.flushViewMatrices();
    feel.mapToWorldPoint(30.0f, 20.0f, p2);
    EXPECT_GT((p2 - p0).length(), 0.01f);
}

TEST_F(FeelFixture, WorldPointsMapToTheScreenAndBackOntoTheirRays)
{
    const UT_Vector3 points[] = {UT_Vector3(0, 0, 0), UT_Vector3(0.7f, -0.3f, 0.9f),
                                 UT_Vector3(-1, 1, -1), UT_Vector3(0.2f, 0.8f, -0.6f)};
    for (int ortho = 0; ortho < 2; ++ortho)
    {
        feel.setOrthoFlag(ortho);
        feel.doTrackball(15.0f, 10.0f, 1);
        load();
        for (const UT_Vector3 &p : points)
        {
            float sx, sy;
            feel.mapToScreen(p, sx, sy);
            UT_Vector3 dir, orig;
            feel.mapToWorld(sx, sy, dir, orig);
            EXPECT_NEAR(dir.length(), 1.0f, 1e-5f);
            // Another point of the ray goes back to the same pixel.
            float bx, by;
            feel.mapToScreen(orig + dir * 3.0f, bx, by);
            EXPECT_NEAR(bx, sx, 0.1f) << "ortho " << ortho;
            EXPECT_NEAR(by, sy, 0.1f) << "ortho " << ortho;
            EXPECT_LT(distanceFromRay(p, orig, dir), 1e-3f) << "ortho " << ortho;
        }
    }
    // A feel placed away from the window's corner answers in its own pixels.
    float sx, sy, ox, oy;
    feel.mapToScreen(UT_Vector3(0, 0, 0), sx, sy);
    feel.setPosition(10, 5);
    feel.mapToScreen(UT_Vector3(0, 0, 0), ox, oy);
    expectFloats({ox, oy}, {sx - 10.0f, sy - 5.0f});
}

TEST_F(SceneFeelMapping, WithoutARenderContextEverythingMapsToTheFixedPoints)
{
    feel.setRender(nullptr);
    UT_Vector3 dir, orig;
    feel.mapToWorld(12.0f, 34.0f, dir, orig);
    expectNear(dir, UT_Vector3(0, 0, 1), 0.0f);
    expectNear(orig, UT_Vector3(0, 0, 1), 0.0f);
    float sx = 7, sy = 7;
    feel.mapToScreen(UT_Vector3(1, 2, 3), sx, sy);
    EXPECT_EQ(sx, 0.0f);
    EXPECT_EQ(sy, 0.0f);
}

TEST_F(FeelFixture, DegenerateCamerasAndPositionsGiveFiniteOrFixedResults)
{
    // Positions far outside the window still give finite rays.
    const float far_away[][2] = {{-5000, -5000}, {1e6f, 40}, {50, -1e6f}};
    for (const auto &xy : far_away)
    {
        UT_Vector3 dir, orig;
        feel.mapToWorld(xy[0], xy[1], dir, orig);
        EXPECT_TRUE(std::isfinite(dir.x()) && std::isfinite(dir.y()) && std::isfinite(dir.z()));
        EXPECT_TRUE(std::isfinite(orig.x()) && std::isfinite(orig.y()) && std::isfinite(orig.z()));
    }
    // A flattened camera cannot be inverted, jittered or not: every try
    // fails and the fixed failure points come back.
    UT_Matrix3 flat;
    flat.zero();
    feel.setRotateMatrix(flat);
    UT_Vector3 dir, orig;
    feel.mapToWorld(50.0f, 40.0f, dir, orig);
    expectNear(dir, UT_Vector3(0, 0, 1), 0.0f);
    expectNear(orig, UT_Vector3(0, 0, 1), 0.0f);
    // The way back needs no inverse: every point lands on one pixel.
    float sx = 3, sy = 3;
    feel.mapToScreen(UT_Vector3(0.5f, 0.5f, 0.5f), sx, sy);
    EXPECT_TRUE(std::isfinite(sx) && std::isfinite(sy));
    EXPECT_EQ(r.getLockDepth(), 0);
}

TEST_F(SceneFeelMapping, RetriesJitterTheTransformInTheFixedOrder)
{
    const UT_Matrix4 start; // identity
    UT_Matrix4 m = start;
    GUIjitterMapTransform(0, start, m);
    expectNear(UT_Vector3(m(3, 0), m(3, 1), m(3, 2)), UT_Vector3(0, 0, -0.00001f), 1e-9f);
    // Tries 1 and 2 move by zero (k = 0); try 3 adds (0.00001, 0, 0).
    for (int i = 1; i <= 3; ++i)
        GUIjitterMapTransform(i, start, m);
    expectNear(UT_Vector3(m(3, 0), m(3, 1), m(3, 2)), UT_Vector3(0.00001f, 0, -0.00001f), 1e-9f);
    // Tries 4 and 5: (-k, k, 0) then (0, -k, k) with k = 1 step.
    GUIjitterMapTransform(4, start, m);
    GUIjitterMapTransform(5, start, m);
    expectNear(UT_Vector3(m(3, 0), m(3, 1), m(3, 2)), UT_Vector3(0, 0, 0), 1e-9f);

    // Try 150 starts again from the transform and turns about x.
    for (int i = 6; i <= 150; ++i)
        GUIjitterMapTransform(i, start, m);
    EXPECT_EQ(m(3, 0), 0.0f);
    EXPECT_EQ(m(3, 2), 0.0f);
    EXPECT_EQ(m(0, 0), 1.0f);
    EXPECT_NEAR(std::fabs(m(1, 2)), 0.00001f, 1e-9f);
    EXPECT_EQ(m(0, 1), 0.0f);
    // 200 about y, 250 about z, each from the start again.
    for (int i = 151; i <= 200; ++i)
        GUIjitterMapTransform(i, start, m);
    EXPECT_EQ(m(1, 1), 1.0f);
    EXPECT_NEAR(std::fabs(m(0, 2)), 0.00001f, 1e-9f);
    EXPECT_EQ(m(1, 2), 0.0f);
    for (int i = 201; i <= 251; ++i)
        GUIjitterMapTransform(i, start, m);
    EXPECT_EQ(m(2, 2), 1.0f);
    EXPECT_NEAR(std::fabs(m(0, 1)), 0.00002f, 1e-9f);
}
