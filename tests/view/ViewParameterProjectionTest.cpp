#include "view/GUI_ViewParameter.h"

#include "host/RE/RE_Render.h"
#include "host/UT/UT_IStream.h"

#include "tests/support/VantrelExpect.h"
#include "tests/support/VantrelTestContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using vantrel_test::expectFloats;

namespace
{
// The numbers of the last journal line for op are want.
void
expectCall(const RE_Render &r, const char *op, const std::vector<double> &want)
{
    const std::vector<std::string> calls = vantrel_test::journalLines(r, op);
    ASSERT_FALSE(calls.empty()) << op;
    const std::vector<double> got = vantrel_test::journalArgs(calls.back());
    ASSERT_EQ(got.size(), want.size()) << op;
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-5 * std::max(1.0, std::fabs(want[i]))) << op << " arg " << i;
}

UT_Vector3
toView(GUI_ViewParameter &cam, const UT_Vector3 &world)
{
    return world * cam.getTransformMatrix();
}
} // namespace

TEST(ViewParameterProjection, PerspectiveAndOrthoWithMargins)
{
    RE_Render r;
    r.setJournal(true);
    GUI_ViewParameter cam;

    // Default lens, view equal to the viewport: the frustum at the near
    // plane is aperture / focal * near wide.
    cam.setViewport(&r, 0, 0, 100, 100);
    cam.setView(0, 0, 100, 100);
    cam.setProjection(&r);
    const double half = 41.4214 / 50.0 * 0.1 / 2.0; // 0.0828428 / 2
    expectCall(r, "window3DW", {-half, half, -half, half, 0.1, 10000});
    float fw, fh;
    cam.getLastFrustumSize(fw, fh);
    EXPECT_NEAR(fw, 0.0828428f, 1e-6f);
    EXPECT_TRUE(cam.getProjectionMatrix().isEqual(r.getAMatrix(2)));
    EXPECT_TRUE(r.getAMatrix(1).isEqual(cam.getTransformMatrix()));

    // Orthographic, window shifted right and halved, in a 110 x 120
    // viewport whose view area leaves a 10-pixel left and 20-pixel top
    // margin: the view area shows exactly the window, the margins more.
    cam.setOrthoFlag(1);
    cam.setOrthoWidth(2.0f);
    cam.setWindow(0.25f, 0.0f, 0.5f, 0.5f);
    cam.setViewport(&r, 0, 0, 110, 120);
    cam.setView(10, 0, 100, 100);
    cam.setProjection(&r);
    // w = 2, h = 2: cx = 0.5, hw = hh = 0.5.
    expectCall(r, "ortho3DW", {0.0 - 2 * 0.5 * 10 / 100, 1.0, -0.5, 0.5 + 2 * 0.5 * 20 / 100, 0.1, 10000});
    float cx, cy, ww, wh;
    cam.getLastWindowCenter(cx, cy);
    cam.getLastWindowSize(ww, wh);
    expectFloats({cx, ww}, {0.5f, 1.0f});

    // The same widening applied to given bounds.
    float l = 0, rt = 1, b = 0, t = 1;
    cam.viewToViewportProjectionBounds(l, rt, b, t);
    expectFloats({l, rt, t}, {-0.1f, 1.0f, 1.2f});

    // While picking the context's projection is narrowed; the camera keeps
    // the last full one.
    const UT_Matrix4 full = cam.getProjectionMatrix();
    unsigned int buffer[64];
    r.beginPicking(buffer, 64, 50, 50, 3, 3);
    cam.setOrthoWidth(4.0f);
    cam.setProjection(&r);
    EXPECT_TRUE(cam.getProjectionMatrix() == full);
    r.endPicking(buffer);
}

TEST(ViewParameterProjection, LimitsAndWindowAreBounded)
{
    RE_Render r;
    r.setJournal(true);
    GUI_ViewParameter cam;
    float n, f;

    for (const auto &[near_in, far_in] : {std::make_pair(0.0f, 0.0f), std::make_pair(0.0005f, -1.0f)})
    {
        cam.setLimits(near_in, far_in);
        cam.getLimits(&n, &f);
        expectFloats({n, f}, {0.001f, 10000.0f});
    }

    // Stored limits the setter would refuse (a loaded camera) are made
    // usable for the projection only.
    UT_IStream in(std::string("nearfar ( 0 100 )"));
    ASSERT_TRUE(cam.load(in));
    cam.setProjection(&r);
    cam.getLastLimits(n, f);
    expectFloats({n, f}, {0.01f, 100.01f});
    EXPECT_EQ(cam.getNear(), 0.0f);

    cam.setLimits(5.0f, 5.001f);
    cam.setProjection(&r);
    cam.getLastLimits(n, f);
    EXPECT_FLOAT_EQ(f, 5.01f);

    cam.setWindow(0, 0, 0, -1);
    expectFloats({cam.getWinSizeX(), cam.getWinSizeY()}, {0.001f, 0.001f});
    cam.setWindow(0, 0, std::nanf(""), 2);
    EXPECT_FLOAT_EQ(cam.getWinSizeX(), 0.001f);

    float x, y, sx, sy;
    cam.setScreenWindow(0, 1, 0, 1);
    cam.getWindow(x, y, sx, sy);
    expectFloats({x, y, sx, sy}, {0, 0, 1, 1});
    float l, rt, b, t;
    GUI_ViewParameter::convertViewToScreenWindow(0.1f, -0.2f, 0.5f, 0.25f, l, rt, b, t);
    GUI_ViewParameter::convertScreenToViewWindow(l, rt, b, t, x, y, sx, sy);
    expectFloats({x, y, sx, sy}, {0.1f, -0.2f, 0.5f, 0.25f}, 1e-6f);

    // Degenerate input follows IEEE arithmetic instead of crashing.
    cam.setLimits(std::nanf(""), 10);
    EXPECT_TRUE(std::isnan(cam.getNear()));
    cam.setView(0, 0, 0, 0);
    cam.setProjection(&r);
    cam.setOrthoFlag(1);
    cam.setProjection(&r);
}

TEST(ViewParameterProjection, TransformFollowsPivotRotationAndTranslate)
{
    GUI_ViewParameter cam;
    // The default camera sits one unit in front of the origin.
    EXPECT_TRUE(toView(cam, UT_Vector3(0, 0, 0)).isEqual(UT_Vector3(0, 0, -1)));

    // (x - p) * R + p - t.
    cam.setPx(1);
    cam.setPy(2);
    cam.setTx(1);
    cam.setTy(2);
    cam.setTz(5);
    UT_Matrix3 rot;
    rot.rotate(UT_Axis3::YAXIS, 0.5f);
    cam.setRotateMatrix(rot);
    UT_Vector3 world(3, -1, 2);
    UT_Vector3 expected = (world - UT_Vector3(1, 2, 0)) * rot + UT_Vector3(1, 2, 0) - UT_Vector3(1, 2, 5);
    EXPECT_TRUE(toView(cam, world).isEqual(expected));
    EXPECT_TRUE((toView(cam, world) * cam.getItransformMatrix()).isEqual(world, 1e-4f));

    // The projection kind does not touch the transform.
    cam.getTransformMatrix();
    cam.setOrthoFlag(1);
    EXPECT_FALSE(cam.getFlag().xformStale());

    // A callback answers the timed query without touching the transform.
    const UT_Matrix4 before = cam.getTransformMatrix();
    cam.setTransformCallback([](UT_DMatrix4 &m, float time, void *) { m = double(time); }, nullptr);
    UT_DMatrix4 timed;
    cam.getTransformMatrix(timed, 3.0f);
    EXPECT_EQ(timed(0, 0), 3.0);
    EXPECT_TRUE(cam.getTransformMatrix() == before);
    cam.setTransformCallback(nullptr, nullptr);

    // A forced transform stays until t, p or the rotation change; a
    // singular one leaves an unusable inverse but no crash.
    UT_DMatrix4 forced(1.0);
    forced.translate(7, 0, 0);
    cam.forceTransformMatrix(forced);
    EXPECT_FLOAT_EQ(cam.getTransformMatrix()(3, 0), 7.0f);
    EXPECT_FLOAT_EQ(cam.getItransformMatrix()(3, 0), -7.0f);
    cam.setTz(5);
    EXPECT_TRUE(cam.getTransformMatrix() == before);
    cam.forceTransformMatrix(UT_DMatrix4(0.0));
    cam.getItransformMatrix();
}

TEST(ViewParameterProjection, ViewportClipsScreenMask)
{
    RE_Render r;
    r.viewport2DS(0, 639, 0, 479);
    r.screenMask2DS(0, 639, 0, 479);
    GUI_ViewParameter cam;
    cam.setViewport(&r, 600, 400, 100, 100);
    short x1, x2, y1, y2;
    r.getViewport2DS(x1, x2, y1, y2);
    EXPECT_EQ(x2, 699);
    EXPECT_EQ(y2, 499);
    r.getScreenMask2DS(x1, x2, y1, y2);
    EXPECT_EQ(std::vector<int>({x1, x2, y1, y2}), std::vector<int>({600, 639, 400, 479}));
    // The view area is the caller's to set.
    cam.getView(x1, x2, y1, y2);
    EXPECT_EQ(x2, 100);
}
