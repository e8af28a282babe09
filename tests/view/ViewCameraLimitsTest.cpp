// Whatever a file or a person does to a camera, its values stay finite and
// every extreme can be left again.
#include "view/GUI_ViewParameter.h"

#include "host/RE/RE_Render.h"
#include "host/UT/UT_ErrorManager.h"
#include "host/UT/UT_Finite.h"
#include "host/UT/UT_IStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
bool
loads(GUI_ViewParameter &cam, const std::string &text)
{
    UT_IStream is(text);
    return cam.load(is);
}

void
expectFiniteCamera(GUI_ViewParameter &cam, const char *what)
{
    const float t[3] = {cam.getTx(), cam.getTy(), cam.getTz()};
    EXPECT_TRUE(UTisFinite(t, 3)) << what;
    EXPECT_TRUE(UTisFinite(cam.getRotateMatrix())) << what;
    EXPECT_TRUE(UTisFinite(cam.getTransformMatrix())) << what;
    float x, y, sx, sy;
    cam.getWindow(x, y, sx, sy);
    const float window[4] = {x, y, sx, sy};
    EXPECT_TRUE(UTisFinite(window, 4)) << what;
    EXPECT_GE(sx, 0.001f) << what;
}

// Largest deviation of R's 3x3 times its transpose from the identity.
double
orthonormalityError(const UT_Matrix4 &m)
{
    double worst = 0.0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
        {
            double dot = 0.0;
            for (int k = 0; k < 3; ++k)
                dot += double(m(i, k)) * double(m(j, k));
            worst = std::max(worst, std::fabs(dot - (i == j ? 1.0 : 0.0)));
        }
    return worst;
}

void
setSize(GUI_ViewParameter &cam, short w, short h)
{
    cam.setViewport(nullptr, 0, 0, w, h);
    cam.setView(0, 0, w, h);
}
} // namespace

TEST(ViewCameraLimits, DegenerateFilesAndViewportsLeaveNoNonFiniteValue)
{
    RE_Render r;
    r.setJournal(true);

    // A zero home distance: dollying and scrolling have no speed.
    GUI_ViewParameter cam;
    setSize(cam, 100, 100);
    cam.setProjection(&r);
    ASSERT_TRUE(loads(cam, "homedistance ( 0 ) txyz ( 1 2 3 )"));
    EXPECT_EQ(cam.getHomeDistance(), 0.0f) << "the file's value is kept as given";
    cam.dolly(10.0f);
    cam.scroll(&r, 5.0f, 5.0f);
    expectFiniteCamera(cam, "dolly and scroll at home distance 0");
    EXPECT_EQ(cam.getTz(), 3.0f);

    // The older layout divides the ortho width and scales the focal
    // length by values of its own: a zero divisor or an overflowing factor
    // is a failed read, not an infinite value no text can hold.
    for (const char *head : {"F 1 0 50 41.4214 1", "F 1 1 3e38 41.4214 10", "F 1 1 50 41.4214 1"})
    {
        std::string old_text = std::string(head) + " 1 1.333 0.1 10000";
        for (int i = 0; i < 3 * 16; ++i)
            old_text += i % 5 == 0 ? " 1" : " 0";
        old_text += " 0 0 5 0 0 0 0 99 0 99 5 0.01 1 3 0 0 0 0 0 0";
        GUI_ViewParameter old;
        UT_IStream is(old_text);
        const bool sound = std::string(head) == "F 1 1 50 41.4214 1";
        EXPECT_EQ(old.oldLoad(is, 2), sound) << head;
        EXPECT_TRUE(std::isfinite(old.getOrthoWidth()) && std::isfinite(old.getFocalLength())) << head;
    }

    // A zero focal length: no projection can be made; the last good one
    // stays in the context and one warning says so.
    GUI_ViewParameter lens;
    setSize(lens, 100, 100);
    lens.setProjection(&r);
    const UT_Matrix4 good = r.getAMatrix(RE_MATRIX_PROJECTION_ALT);
    ASSERT_TRUE(UTisFinite(good));
    ASSERT_TRUE(loads(lens, "focal ( 0 )"));
    UTclearErrors();
    lens.setProjection(&r);
    EXPECT_TRUE(UTisFinite(r.getAMatrix(RE_MATRIX_PROJECTION_ALT)));
    EXPECT_EQ(r.getAMatrix(RE_MATRIX_PROJECTION_ALT), good);
    EXPECT_TRUE(UTisFinite(lens.getProjectionMatrix()));
    ASSERT_EQ(UTgetErrors().size(), 1u);
    EXPECT_EQ(UTgetErrorSeverity(), UT_SEVERITY_WARNING);
    UTclearErrors();
    // A sound focal length brings the projection back.
    ASSERT_TRUE(loads(lens, "focal ( 35 )"));
    lens.setProjection(&r);
    EXPECT_TRUE(UTgetErrors().empty());
    EXPECT_NE(r.getAMatrix(RE_MATRIX_PROJECTION_ALT), good);

    // A zero-size viewport: no tumble style or rotation turns the camera.
    GUI_ViewParameter flat;
    setSize(flat, 0, 0);
    const int old_style = GUI_ViewParameter::getTumbleStyleFlag();
    for (int style = 0; style <= 2; ++style)
    {
        GUI_ViewParameter::setTumbleStyleFlag(style);
        flat.dotumble(30.0f, -10.0f, 0);
        flat.dotumble(5.0f, 5.0f, 1);
    }
    GUI_ViewParameter::setTumbleStyleFlag(old_style);
    flat.trackball(3.0f, 4.0f);
    flat.dolly(2.0f);
    flat.zoom(10.0f, GUI_ViewParameter::GUI_ZOOM_WINDOW);
    flat.boxZoom(0, 0, 50, 50);
    expectFiniteCamera(flat, "zero viewport");
    EXPECT_EQ(flat.getRotateMatrix(), UT_Matrix4(1.0f));
    // Once the viewport has a size again, tumbling works.
    setSize(flat, 100, 100);
    flat.trackball(10.0f, 0.0f);
    EXPECT_NE(flat.getRotateMatrix(), UT_Matrix4(1.0f));
}

TEST(ViewCameraLimits, ZoomExtremesCanBeLeft)
{
    GUI_ViewParameter cam;
    setSize(cam, 64, 64);
    float x, y, sx, sy;
    for (GUI_ViewParameter::GUI_ZoomItem item :
         {GUI_ViewParameter::GUI_ZOOM_WINDOW, GUI_ViewParameter::GUI_ZOOM_ORTHO_WIDTH})
    {
        auto size = [&]() {
            cam.getWindow(x, y, sx, sy);
            return item == GUI_ViewParameter::GUI_ZOOM_WINDOW ? sx : cam.getOrthoWidth();
        };
        // Far in: a floor above zero, from which zooming out grows again.
        for (int i = 0; i < 2000; ++i)
            cam.zoom(32.0f, item);
        const float smallest = size();
        EXPECT_GT(smallest, 0.0f);
        cam.zoom(-64.0f, item);
        EXPECT_GT(size(), smallest);

        // Far out: a finite ceiling, from which zooming in shrinks again.
        for (int i = 0; i < 400; ++i)
            cam.zoom(-64.0f, item);
        const float largest = size();
        EXPECT_TRUE(std::isfinite(largest));
        cam.zoom(32.0f, item);
        EXPECT_LT(size(), largest);
        EXPECT_GT(size(), 0.0f);
    }
    cam.getWindow(x, y, sx, sy);
    EXPECT_GE(sx, 0.001f);
    EXPECT_GE(sy, 0.001f);
    // Box zooms out, dragged right to left, stop at the same ceiling.
    for (int i = 0; i < 50; ++i)
        cam.boxZoom(60, 10, 50, 20);
    cam.getWindow(x, y, sx, sy);
    EXPECT_TRUE(std::isfinite(sx));
    EXPECT_LE(sx, 1000.0f);
}

TEST(ViewCameraLimits, MillionsOfSmallTurnsStayOrthonormal)
{
    GUI_ViewParameter cam;
    setSize(cam, 640, 480);
    for (int i = 0; i < 1000000; ++i)
        cam.trackball(0.37f, -0.21f);
    EXPECT_LT(orthonormalityError(cam.getRotateMatrix()), 1e-5);

    for (int i = 0; i < 200000; ++i)
        cam.rotate(UT_Vector3(1.0f, 2.0f, 3.0f), 0.013f);
    EXPECT_LT(orthonormalityError(cam.getRotateMatrix()), 1e-5);
}
