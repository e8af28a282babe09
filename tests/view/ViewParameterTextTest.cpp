#include "view/GUI_ViewParameter.h"

#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_IStream.h"

#include "tests/support/VantrelExpect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using vantrel_test::expectFloats;

namespace
{
std::string
saved(const GUI_ViewParameter &cam, char sep = '\n')
{
    std::ostringstream os;
    EXPECT_EQ(cam.save(os, sep), 0);
    return os.str();
}

bool
loadText(GUI_ViewParameter &cam, const std::string &text)
{
    UT_IStream in(text);
    return cam.load(in);
}

std::string
flagText(const GUI_ViewFlag &flag)
{
    std::ostringstream os;
    flag.save(os);
    return os.str();
}

bool
readFlag(GUI_ViewFlag &flag, const char *text)
{
    UT_IStream in{std::string(text)};
    return flag.load(in);
}
} // namespace

TEST(ViewParameterText, FlagWord)
{
    GUI_ViewFlag flag;
    EXPECT_EQ(flagText(flag), "F");
    const uint32_t marks = flag.word(); // stale marks only

    // Upper case and unknown letters are ignored; the marks never change.
    const std::pair<const char *, const char *> steps[] = {
        {"Fxo", "Fox"}, {"+ab", "Foabx"}, {"-ox", "Fab"}, {"F", "F"}, {"OAzx", "Fx"}};
    for (const auto &[in, out] : steps)
    {
        ASSERT_TRUE(readFlag(flag, in)) << in;
        EXPECT_EQ(flagText(flag), out) << in;
    }
    EXPECT_EQ(flag.word() & ~uint32_t(GUI_ViewFlag::ROTO_TRACKS_WINDOW), marks);
    EXPECT_FALSE(readFlag(flag, "   "));
    EXPECT_EQ(flagText(flag), "Fx");
}

TEST(ViewParameterText, DefaultCameraLayout)
{
    GUI_ViewParameter cam;
    std::string text = saved(cam);
    EXPECT_EQ(text.rfind("version ( 3 ) \n"
                         "flag ( F ) \n"
                         "orthowidth ( 1 ) \n"
                         "focal ( 50 ) \n"
                         "aperture ( 41.4214 ) \n"
                         "window ( 0 1 0 1 ) \n",
                         0),
              0u);
    EXPECT_NE(text.find("rotation ( 1 0 0 0 1 0 0 0 1  ) \n"), std::string::npos);
    EXPECT_NE(text.find("homeadjboxwidth ( 1 ) \n"), std::string::npos);
    EXPECT_EQ(text.find("homepixelwidth"), std::string::npos);
    EXPECT_NE(text.find("adjustlimits ( 1 ) \n"), std::string::npos);

    // Another separator keeps everything on one line.
    EXPECT_EQ(saved(cam, ' ').find('\n'), std::string::npos);
}

TEST(ViewParameterText, RoundTripRandomCameras)
{
    std::mt19937 rng(1234);
    // Values with few digits survive the six-digit text exactly.
    auto value = [&]() { return float(int(rng() % 20001) - 10000) / 100.0f; };
    for (int trial = 0; trial < 50; ++trial)
    {
        GUI_ViewParameter cam;
        cam.setOrthoFlag(rng() & 1);
        cam.setApplyAspectFlag(rng() & 1);
        cam.setWindowAffectRotoscope(rng() & 1);
        cam.setOrthoWidth(value());
        cam.setFocalLength(10.0f + std::fabs(value()));
        cam.setAperture(10.0f + std::fabs(value()));
        cam.setWindow(value(), value(), value(), value());
        cam.setWinRoll(value());
        cam.setClearAmount(value());
        cam.setLimits(value(), value());
        cam.setRes(value(), value());
        cam.setAspectRatio(value());
        cam.setPixelAspect(value());
        cam.setTx(value());
        cam.setPy(value());
        cam.setAdjustLimits(rng() & 1);
        cam.setHomeAxis(GUI_ViewParameter::axis(rng() % 11));
        UT_Matrix3 rot;
        rot.rotate(UT_Axis3::ZAXIS, 0.25f * float(rng() % 4) * 6.2831855f);
        cam.setRotateMatrix(rot);
        UT_BoundingBox box(value(), value(), value(), value(), value(), value());
        if (rng() & 1)
            cam.homeToBox(100, 50, box, nullptr, rng() & 1, rng() & 1);

        const std::string text = saved(cam);
        GUI_ViewParameter back;
        ASSERT_TRUE(loadText(back, text));
        EXPECT_EQ(saved(back), text) << "trial " << trial;
        EXPECT_TRUE(back.initialized());
        EXPECT_EQ(back.getOrthoFlag(), cam.getOrthoFlag());
        // Six digits of text: close, not always bit-equal, after a homing.
        EXPECT_TRUE(back.getTransformMatrix().isEqual(cam.getTransformMatrix(), 0.05f));
    }
}

TEST(ViewParameterText, LoadEntries)
{
    GUI_ViewParameter cam;
    const std::string defaults = saved(cam);
    ASSERT_TRUE(loadText(cam, "focal ( 35 )"));
    EXPECT_FLOAT_EQ(cam.getFocalLength(), 35);
    EXPECT_TRUE(cam.initialized());
    GUI_ViewParameter expected;
    expected.setFocalLength(35);
    EXPECT_EQ(saved(cam), saved(expected));

    // The older window spellings apply only without a window entry.
    GUI_ViewParameter win;
    ASSERT_TRUE(loadText(win, "winxy ( 0.1 0.2 ) winsize ( 0.5 )"));
    expectFloats({win.getWinX(), win.getWinY(), win.getWinSizeX(), win.getWinSizeY()}, {0.1f, 0.2f, 0.5f, 0.5f});
    GUI_ViewParameter both;
    ASSERT_TRUE(loadText(both, "winxy ( 0.1 0.2 ) window ( 0.3 0.7 0.4 0.8 ) winsize ( 0.5 )"));
    expectFloats({both.getWinX(), both.getWinSizeX(), both.getWinY(), both.getWinSizeY()}, {0.3f, 0.7f, 0.4f, 0.8f});

    // The last home width entry decides which one is saved; unknown
    // entries are passed over; any non-zero adjustlimits is true.
    GUI_ViewParameter home;
    ASSERT_TRUE(loadText(home, "homepixelwidth ( 3 ) mystery ( 1 2 ) homeadjboxwidth ( 4 ) "
                               "adjustlimits ( 2 ) homeaxis ( 7 )"));
    const std::string text = saved(home);
    EXPECT_NE(text.find("homeadjboxwidth ( 4 )"), std::string::npos);
    EXPECT_NE(text.find("adjustlimits ( 1 )"), std::string::npos);
    EXPECT_EQ(home.getHomeAxis(), GUI_ViewParameter::GUI_HOME_TOP);

    // A failed load keeps what it stored, drops held-back window values
    // and leaves the camera uninitialised.
    GUI_ViewParameter failed;
    EXPECT_FALSE(loadText(failed, "aperture ( 20 ) winsize ( 0.5 ) focal ("));
    EXPECT_FLOAT_EQ(failed.getAperture(), 20);
    EXPECT_FLOAT_EQ(failed.getWinSizeX(), 1);
    EXPECT_FALSE(failed.initialized());
    EXPECT_FALSE(loadText(failed, "txyz ( 1 2 x )"));
    EXPECT_FALSE(loadText(failed, "flag"));
    EXPECT_FALSE(failed.initialized());

    // An empty stream loads nothing and succeeds.
    GUI_ViewParameter empty;
    EXPECT_TRUE(loadText(empty, ""));
    EXPECT_EQ(saved(empty), defaults);
}

TEST(ViewParameterText, OldLayout)
{
    auto group = [](float v) {
        std::string s;
        for (int i = 0; i < 16; ++i)
            s += (i % 5 == 0 ? std::to_string(v) : "0") + " ";
        return s;
    };
    // flag, ortho width and divisor, focal, aperture, factor, pixel aspect,
    // aspect, near, far; the rotation; t and p; two dropped groups; the
    // viewport; home distance, pixel width, ortho width, radius; six more.
    const std::string head = "Fo 8 2 25 40 2 1.5 1.25 0.5 500 " + group(1);
    const std::string tail = "1 2 3 4 5 6 " + group(9) + group(9) + "10 209 20 119 7 0.01 3 4 1 1 1 1 1 1";

    GUI_ViewParameter v2;
    UT_IStream in2(head + tail);
    ASSERT_TRUE(v2.oldLoad(in2, 2));
    EXPECT_TRUE(v2.getOrthoFlag());
    // Ortho width, focal, far, tz, px, home pixel width, home radius.
    expectFloats({v2.getOrthoWidth(), v2.getFocalLength(), v2.getFar(), v2.getTz(), v2.getPx(),
                  v2.getHomePixelWidth(), v2.getLastHomeRadius()},
                 {4, 50, 500, 3, 4, 0.01f, 4});
    EXPECT_EQ(v2.getViewportWidth(), 200);
    EXPECT_TRUE(v2.getHomeWidthInPixels());
    EXPECT_TRUE(v2.initialized());
    EXPECT_TRUE(v2.getRotateMatrix().isIdentity());

    // Version 1 has one more group after the rotation.
    GUI_ViewParameter v1;
    UT_IStream in1(head + group(5) + tail);
    ASSERT_TRUE(v1.oldLoad(in1, 1));
    EXPECT_EQ(saved(v1), saved(v2));
    GUI_ViewParameter short1;
    UT_IStream inShort(head + tail);
    EXPECT_FALSE(short1.oldLoad(inShort, 1));
    EXPECT_FALSE(short1.initialized());
    // The stream's read mode is restored on the way out.
    EXPECT_FALSE(inShort.popBinary());
}
