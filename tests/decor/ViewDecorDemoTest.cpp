// The demo composes decorations around its objects: the shipped backdrop
// shows behind them, and a missing background image is reported once.
#include "tests/support/VantrelScratch.h"

#include "host/TIL/TIL_ImageFile.h"
#include "host/TIL/TIL_TextureMap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace
{
// Runs the demo; its exit code (-1 when it did not exit normally) and
// what it wrote to standard error.
int
runDemo(const std::string &args, const std::string &dir, std::string &err)
{
    const std::string err_path = dir + "/stderr.txt";
    const std::string cmd = "timeout 60 " VANTREL_VIEW_EXE " " + args + " >/dev/null 2>" + err_path;
    const int status = std::system(cmd.c_str());
    err = vantrel_test::readFile(err_path);
    return WIFEXITED(status) && WEXITSTATUS(status) != 124 ? WEXITSTATUS(status) : -1;
}

int
count(const std::string &text, const std::string &needle)
{
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++n;
    return n;
}
} // namespace

TEST(ViewDecorDemo, BackdropShowsBehindTheSceneAndAMissingImageIsReportedOnce)
{
    vantrel_test::ScratchDir dir;
    vantrel_test::ScopedEnv path("VANTREL_PATH", dir.path());
    const std::string out = dir.path() + "/frame.png";
    std::string err;
    ASSERT_EQ(runDemo("-o " + out + " --grid xz --safe-area --background-image " VANTREL_SOURCE_DIR
                      "/examples/data/backdrop.png",
                      dir.path(), err),
              0)
        << err;
    TIL_TextureMap frame;
    ASSERT_TRUE(TILreadPNG(out.c_str(), frame, err)) << err;
    // The top left corner of the default 4:3 frame is the backdrop's sky:
    // blue over red, not the grey of an empty viewport.
    const uint8_t *sky = frame.getPixels() + (static_cast<size_t>(frame.getHeight() - 3) * frame.getWidth() + 40) * 4;
    EXPECT_GT(sky[2], sky[0] + 30) << int(sky[0]) << " " << int(sky[1]) << " " << int(sky[2]);

    EXPECT_EQ(runDemo("-o " + out + " --background-image " + dir.path() + "/none.png", dir.path(), err), 1);
    EXPECT_EQ(count(err, "none.png"), 1) << err;

    EXPECT_NE(runDemo("-o " + out + " --grid xw", dir.path(), err), 0);
    EXPECT_NE(runDemo("-o " + out + " --snapshot " + dir.path() + "/none.png", dir.path(), err), 0);
    EXPECT_NE(err.find("none.png"), std::string::npos) << err;
}
