// The demo composes decorations around its objects: the shipped backdrop
// shows behind them, and a missing background image is reported once.
#include "tests/view/ViewStateTestSupport.h"

#include "host/TIL/TIL_ImageFile.h"
#include "host/TIL/TIL_TextureMap.h"

#include <gtest/gtest.h>

#include <string>

TEST(ViewDecorDemo, BackdropShowsBehindTheSceneAndAMissingImageIsReportedOnce)
{
    const view_state_test::DemoRuns demo("frame.png", "320x240");
    auto run = demo.run("--grid xz --safe-area --background-image " VANTREL_SOURCE_DIR
                        "/examples/data/backdrop.png");
    ASSERT_EQ(run.status, 0) << run.err;
    TIL_TextureMap frame;
    std::string err;
    ASSERT_TRUE(TILreadPNG(demo.framePath().c_str(), frame, err)) << err;
    // The top left corner of the 4:3 frame is the backdrop's sky: blue over
    // red, not the grey of an empty viewport.
    const uint8_t *sky = frame.getPixels() + (static_cast<size_t>(frame.getHeight() - 3) * frame.getWidth() + 40) * 4;
    EXPECT_GT(sky[2], sky[0] + 30) << int(sky[0]) << " " << int(sky[1]) << " " << int(sky[2]);

    const std::string missing = VANTREL_SOURCE_DIR "/no/such/none.png";
    run = demo.run("--background-image " + missing);
    EXPECT_EQ(run.status, 1);
    const size_t first = run.err.find("none.png");
    EXPECT_TRUE(first != std::string::npos && run.err.find("none.png", first + 1) == std::string::npos)
        << run.err;

    EXPECT_NE(demo.run("--grid xw").status, 0);
    run = demo.run("--snapshot " + missing);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("none.png"), std::string::npos) << run.err;
}
