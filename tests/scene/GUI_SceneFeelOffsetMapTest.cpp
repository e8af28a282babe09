// Mapping between window positions and the world in a viewport that lies
// away from its window's corner and is twice as wide as high, so that the
// viewport's x and y corners and its width and height all differ.
#include "tests/support/VantrelExpect.h"

#include "host/RE/RE_Render.h"
#include "host/UI/BM_SceneManager.h"
#include "host/UT/UT_Matrix3.h"
#include "scene/GUI_SceneFeel.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <gtest/gtest.h>

using vantrel_test::expectNear;

namespace
{
// The viewport (30, 10) 200 x 100 of a record-only render context, with a
// feel placed at its corner; the camera looks down -z from (tx, ty, tz)
// without a turn.
struct OffsetFeel : ::testing::Test
{
    OffsetFeel() : look(nullptr, nullptr), feel(manager, "persp1")
    {
        feel.setLook(&look);
        feel.setRender(&r);
        feel.setSize(200, 100);
        feel.setPosition(30, 10);
    }
    GUI_ViewParameter &cam() { return look.getViewStateRef().getViewParameterRef(); }
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
    RE_Render r;
    BM_SceneManager manager;
    GUI_SceneLook look;
    GUI_SceneFeel feel;
};
} // namespace

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
