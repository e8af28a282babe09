// Every text form is written and read in the classic form, whatever locale
// the application set for the process or for its streams.
#include "view/GUI_ViewState.h"

#include "host/UT/UT_IStream.h"
#include "tests/support/VantrelLocale.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(ViewLocale, CommaLocaleNeitherChangesNorBreaksTheTextForms)
{
    GUI_DisplayOption options;
    float scale[2] = {1234567.0f, 0.5f};
    options.setImageScale(scale);
    GUI_ViewParameter cam;
    cam.setLimits(0.25f, 12345.5f);
    cam.setTx(1.5f);

    std::ostringstream plain_options, plain_cam;
    options.save(plain_options);
    cam.save(plain_cam, '\n');

    vantrel_test::ScopedCommaLocale comma;
    // Streams made now take the comma locale; one is also given it outright.
    std::ostringstream options_text, cam_text;
    options_text.imbue(std::locale());
    options.save(options_text);
    cam.save(cam_text, '\n');
    EXPECT_EQ(options_text.str(), plain_options.str());
    EXPECT_EQ(cam_text.str(), plain_cam.str());
    EXPECT_NE(options_text.str().find("imagescale ( 1.23457e+06 0.5 )"), std::string::npos)
        << options_text.str();
    // The caller's stream keeps its own locale afterwards.
    EXPECT_EQ(std::use_facet<std::numpunct<char>>(options_text.getloc()).decimal_point(), ',');

    GUI_DisplayOption options_back;
    UT_IStream options_in(options_text.str());
    ASSERT_TRUE(options_back.load(options_in));
    float back_scale[2] = {0, 0};
    options_back.getImageScale(back_scale);
    EXPECT_EQ(back_scale[0], 1234570.0f);
    EXPECT_EQ(back_scale[1], 0.5f);

    GUI_ViewParameter cam_back;
    UT_IStream cam_in(cam_text.str());
    ASSERT_TRUE(cam_back.load(cam_in));
    EXPECT_EQ(cam_back.getFar(), 12345.5f);
    EXPECT_EQ(cam_back.getTx(), 1.5f);

    // The settings file's content too.
    GUI_ViewState state;
    state.getViewParameter(GUI_ViewState::GUI_VIEW_MAIN).setLimits(0.125f, 2500.5f);
    std::ostringstream settings;
    ASSERT_TRUE(state.saveDefaultSettings(settings, nullptr));
    EXPECT_NE(settings.str().find("far ( 2500.5 )"), std::string::npos) << settings.str();
    GUI_ViewState state_back;
    UT_IStream settings_in(settings.str());
    std::string failed;
    ASSERT_TRUE(state_back.loadDefaultSettings(settings_in, nullptr, &failed)) << failed;
    EXPECT_EQ(state_back.getViewParameter(GUI_ViewState::GUI_VIEW_THIRD).getNear(), 0.125f);
}
