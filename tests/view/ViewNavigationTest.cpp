#include "view/GUI_ViewParameter.h"

#include "host/RE/RE_Render.h"
#include "host/UT/UT_BoundingBox.h"

#include "tests/support/VantrelExpect.h"

#include <gtest/gtest.h>

#include <cmath>

using vantrel_test::expectFloats;
using vantrel_test::expectNear;

namespace
{
// Restores the class-wide styles a test changes.
struct StyleGuard
{
    int tumble = GUI_ViewParameter::getTumbleStyleFlag();
    int scroll = GUI_ViewParameter::getScrollStyleFlag();
    ~StyleGuard()
    {
        GUI_ViewParameter::setTumbleStyleFlag(tumble);
        GUI_ViewParameter::setScrollStyleFlag(scroll);
    }
};

GUI_ViewParameter
cameraWithViewport(short w, short h)
{
    RE_Render r;
    GUI_ViewParameter cam;
    cam.setViewport(&r, 0, 0, w, h);
    cam.setView(0, 0, w, h);
    return cam;
}
} // namespace

TEST(ViewNavigation, HomeToBox)
{
    GUI_ViewParameter cam;
    UT_BoundingBox box(-1, 1, -1, 1, -1, 1);
    cam.homeToBox(100, 100, box, nullptr, false, false);

    // Fitted width 2 through the default lens (aperture 41.4214, focal 50),
    // with the 1.111111 margin: 2 / 41.4214 * 50 * 1.111111.
    const float dist = 2.682456f;
    expectFloats({cam.getPx(), cam.getPz(), cam.getNear()}, {0, 0, 0.1f});
    expectFloats({cam.getTz(), cam.getOrthoWidth(), cam.getLastHomeRadius(), cam.getHomeDistance()},
                 {1.0f + dist, 2.222222f, std::sqrt(12.0f), 1.0f + dist}, 1e-5f);
    EXPECT_NEAR(cam.getFar(), cam.getHomeDistance() + 1000.0f * std::sqrt(12.0f), 1e-2f);
    EXPECT_TRUE(cam.initialized());

    // Half distance: the camera stands half as far in front of the box.
    GUI_ViewParameter half;
    half.homeToBox(100, 100, box, nullptr, false, true);
    expectFloats({half.getTz(), half.getHomeDistance()}, {1.0f + dist * 0.5f, 1.0f + dist * 0.5f}, 1e-5f);

    // Around the origin: a box from 2 to 3 in x is taken as 6 wide.
    GUI_ViewParameter origin;
    origin.setAdjustLimits(false);
    origin.setLimits(0.5f, 77.0f);
    UT_BoundingBox offset(2, 3, -1, 1, -1, 1);
    origin.homeToBox(100, 100, offset, nullptr, true, false);
    expectFloats({origin.getPx(), origin.getFar()}, {0, 77.0f});
    EXPECT_NEAR(origin.getOrthoWidth(), 1.111111f * 6.0f, 1e-5f);

    // With a rotation the box is measured in the rotated frame: the box's
    // centre ends up straight ahead of the camera, home distance away.
    GUI_ViewParameter top;
    UT_Matrix3 rot;
    top.homeRotation(GUI_ViewParameter::GUI_HOME_TOP, rot);
    UT_BoundingBox moved(4, 6, -1, 1, -1, 1);
    top.homeToBox(100, 100, moved, &rot, false, true);
    UT_Vector3 centre = UT_Vector3(5, 0, 0) * rot.transposedCopy();
    expectNear(centre * top.getTransformMatrix(), UT_Vector3(0, 0, -top.getHomeDistance()), 1e-4f);
}

TEST(ViewNavigation, TrackballDragIsOneRotationFromItsTotal)
{
    StyleGuard guard;
    GUI_ViewParameter::setTumbleStyleFlag(0);

    // In a 200 pixel wide viewport a drag (dx, dy) turns about (-b, a, 0)
    // by hypot(a, b) * pi / 3, with a = dx * 2pi / 200 and b likewise; the
    // turn is appended to the rotation the drag started from.
    GUI_ViewParameter drag = cameraWithViewport(200, 100);
    drag.rotate(UT_Axis3::XAXIS, 20);
    UT_Matrix4 start;
    start.rotate(UT_Axis3::XAXIS, 0.34906585f);
    auto turned = [](UT_Matrix4 m, const UT_Vector3 &axis, float radians) {
        m.rotate(axis, radians);
        return m;
    };

    // Two steps of (10, 0): one turn of the total (20, 0), 0.6579736 about y.
    drag.dotumble(10, 0, 0);
    drag.dotumble(10, 0, 0);
    EXPECT_TRUE(drag.getRotateMatrix().isEqual(turned(start, UT_Vector3(0, 1, 0), 0.6579736f), 1e-5f));

    // The step that ends the drag still turns by the drag's total (20, 15):
    // axis (-0.4712389, 0.6283185, 0), i.e. (-0.6, 0.8, 0), angle 0.8224670.
    drag.dotumble(0, 15, 1);
    const UT_Matrix4 total = turned(start, UT_Vector3(-0.6f, 0.8f, 0), 0.8224670f);
    EXPECT_TRUE(drag.getRotateMatrix().isEqual(total, 1e-5f));
    // The next drag starts from zero: (5, 0) alone, 0.1644934 about y.
    drag.dotumble(5, 0, 1);
    EXPECT_TRUE(drag.getRotateMatrix().isEqual(turned(total, UT_Vector3(0, 1, 0), 0.1644934f), 1e-5f));

    // Out-of-range styles do nothing.
    GUI_ViewParameter::setTumbleStyleFlag(7);
    const UT_Matrix4 before = drag.getRotateMatrix();
    drag.dotumble(30, 30, 1);
    EXPECT_TRUE(drag.getRotateMatrix() == before);
}

TEST(ViewNavigation, EulerTumbleClampsTilt)
{
    GUI_ViewParameter cam = cameraWithViewport(100, 100);
    cam.homeRotation(GUI_ViewParameter::GUI_HOME_THREE_QUARTER);
    const UT_Matrix4 before = cam.getRotateMatrix();

    cam.eulertumble(0.000005f, 0, 0);
    EXPECT_TRUE(cam.getRotateMatrix() == before);

    // A quarter of the width turns 90 degrees about y.
    float rx0, ry0, rz0;
    cam.getRotationValues(rx0, ry0, rz0);
    cam.eulertumble(25, 0, 0);
    float rx, ry, rz;
    cam.getRotationValues(rx, ry, rz);
    EXPECT_NEAR(ry, ry0 + 90.0f, 1e-3f);
    // Rebuilt from its angles, the rotation still keeps lengths.
    for (const UT_Vector3 &axis : {UT_Vector3(1, 0, 0), UT_Vector3(0, 1, 0), UT_Vector3(0, 0, 1)})
        EXPECT_NEAR((axis * cam.getRotateMatrix()).length(), 1.0f, 1e-5f);

    // A long vertical drag stops at the tilt limit, and the rotation built
    // from the clamped angles gives them back.
    cam.eulertumble(0, -1000, 0);
    cam.getRotationValues(rx, ry, rz);
    EXPECT_EQ(rx, 89.999992f);
    cam.setHomeAxis(GUI_ViewParameter::GUI_HOME_THREE_QUARTER); // re-derive
    cam.getRotationValues(rx, ry, rz);
    EXPECT_NEAR(rx, 90.0f, 1e-3f);
    cam.eulertumble(0, 5000, 0);
    cam.getRotationValues(rx, ry, rz);
    EXPECT_EQ(rx, -89.999992f);
}

TEST(ViewNavigation, ZoomAndBoxZoom)
{
    // Viewport 101 pixels wide: pixel 100 is the right edge.
    GUI_ViewParameter cam = cameraWithViewport(101, 101);
    cam.zoom(0, GUI_ViewParameter::GUI_ZOOM_WINDOW);
    EXPECT_FLOAT_EQ(cam.getWinSizeX(), 1.0f);
    cam.zoom(50.5f, GUI_ViewParameter::GUI_ZOOM_WINDOW);
    EXPECT_FLOAT_EQ(cam.getWinSizeX(), 0.5f);
    cam.zoom(-50.5f, GUI_ViewParameter::GUI_ZOOM_WINDOW);
    EXPECT_FLOAT_EQ(cam.getWinSizeY(), 1.0f);
    cam.zoom(-10, GUI_ViewParameter::GUI_ZOOM_ORTHO_WIDTH, UT_InclusiveRect(0, 0, 9, 9));
    EXPECT_FLOAT_EQ(cam.getOrthoWidth(), 3.0f);

    // A click three quarters across halves the window about that point.
    cam.boxZoom(75, 50, 76, 51);
    expectFloats({cam.getWinSizeX(), cam.getWinX(), cam.getWinY()}, {0.5f, 0.255f, 0.005f}, 1e-6f);

    // The same click dragged right to left doubles it.
    GUI_ViewParameter out = cameraWithViewport(101, 101);
    out.boxZoom(76, 50, 74, 50);
    expectFloats({out.getWinSizeX(), out.getWinX()}, {2.0f, 0.25f}, 1e-6f);

    // A drag thin in one direction only is a box, not a click: its long
    // side decides the zoom.
    GUI_ViewParameter thin = cameraWithViewport(101, 101);
    thin.boxZoom(10, 50, 90, 52);
    expectFloats({thin.getWinSizeX(), thin.getWinSizeY()}, {0.8f, 0.8f}, 1e-6f);
    GUI_ViewParameter tall = cameraWithViewport(101, 101);
    tall.boxZoom(50, 10, 53, 40);
    EXPECT_NEAR(tall.getWinSizeX(), 0.3f, 1e-6f);

    // A drag over the left half zooms to it.
    GUI_ViewParameter box = cameraWithViewport(101, 101);
    box.boxZoom(0, 25, 50, 75);
    expectFloats({box.getWinSizeX(), box.getWinX()}, {0.5f, -0.25f}, 1e-6f);
}

TEST(ViewNavigation, DollyAndScroll)
{
    StyleGuard guard;
    RE_Render r;
    GUI_ViewParameter cam = cameraWithViewport(100, 100);
    UT_BoundingBox box(-1, 1, -1, 1, -1, 1);
    cam.homeToBox(100, 100, box, nullptr, false, false);
    cam.setProjection(&r);

    const float tz = cam.getTz();
    cam.dolly(10);
    EXPECT_LT(cam.getTz(), tz);
    EXPECT_FLOAT_EQ(cam.getPz(), 0);
    const float closer = cam.getTz();
    cam.dolly(-10);
    EXPECT_GT(cam.getTz(), closer);

    // Right at the pivot the speed is that of a tenth of the homed size,
    // so the camera still moves: 2 x 0.1 x radius / width per pixel.
    GUI_ViewParameter at_pivot = cam;
    at_pivot.setTx(at_pivot.getPx());
    at_pivot.setTy(at_pivot.getPy());
    at_pivot.setTz(at_pivot.getPz());
    at_pivot.setProjection(&r);
    at_pivot.dolly(10);
    const float moved = std::sqrt(std::pow(at_pivot.getTx() - at_pivot.getPx(), 2.0f) +
                                  std::pow(at_pivot.getTy() - at_pivot.getPy(), 2.0f) +
                                  std::pow(at_pivot.getTz() - at_pivot.getPz(), 2.0f));
    EXPECT_NEAR(moved, 2.0f * 0.1f * at_pivot.getLastHomeRadius() / 100.0f * 10.0f, 1e-5f);

    // Both scroll styles move the picture by the same amount in view space;
    // style 0 also carries the pivot along.
    cam.rotate(UT_Vector3(1, 1, 0), 30);
    GUI_ViewParameter moveAll = cam;
    const UT_Vector3 world(0.3f, 0.2f, -0.4f);
    const UT_Vector3 start = world * cam.getTransformMatrix();

    GUI_ViewParameter::setScrollStyleFlag(1);
    cam.scroll(&r, 10, -4);
    GUI_ViewParameter::setScrollStyleFlag(0);
    moveAll.scroll(&r, 10, -4);
    UT_Vector3 a = world * cam.getTransformMatrix() - start;
    UT_Vector3 b = world * moveAll.getTransformMatrix() - start;
    EXPECT_TRUE(a.isEqual(b, 1e-5f));
    EXPECT_GT(a.x(), 0);
    EXPECT_LT(a.y(), 0);
    EXPECT_FLOAT_EQ(cam.getPx(), 0);
    EXPECT_NE(moveAll.getPx(), 0);

    // Orthographic: one pixel is one ortho width per view width.
    GUI_ViewParameter ortho = cameraWithViewport(100, 100);
    ortho.setOrthoFlag(1);
    ortho.setOrthoWidth(2);
    ortho.setProjection(&r);
    const UT_Vector3 o0 = world * ortho.getTransformMatrix();
    ortho.scroll(&r, 10, 0, UT_InclusiveRect(0, 0, 99, 99));
    const UT_Vector3 o1 = world * ortho.getTransformMatrix();
    EXPECT_NEAR(o1.x() - o0.x(), 0.2f, 1e-4f);
}
