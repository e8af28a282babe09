// Reading PNG files of every colour type, refusing bad ones, reducing
// images, and the background image source built on them.
#include "tests/support/VantrelScratch.h"

#include "host/OPUI/OPUI_RotoscopeData.h"
#include "host/RE/RE_PNG.h"
#include "host/TIL/TIL_ImageFile.h"
#include "host/TIL/TIL_Raster.h"
#include "host/TIL/TIL_TextureCache.h"
#include "host/UT/UT_ErrorManager.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
const std::string theData = VANTREL_SOURCE_DIR "/tests/host/data/";

// The fixtures' pixels, as their generating script defines them; y counts
// rows from the top of the file.
int
grey(int x, int y)
{
    return (37 * x + 81 * y + 11) % 256;
}

std::array<int, 4>
colour(int x, int y)
{
    const int v = grey(x, y);
    return {v, (3 * v + 50) % 256, 255 - v, (60 * x + 20 * y + 15) % 256};
}

std::array<int, 4>
texel(const TIL_TextureMap &image, int x, int y_from_top)
{
    const int row = image.getHeight() - 1 - y_from_top;
    const uint8_t *p = image.getPixels() + (static_cast<size_t>(row) * image.getWidth() + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

int
countErrors(const std::string &needle)
{
    int n = 0;
    for (const UT_ErrorEntry &e : UTgetErrors())
        if (e.text.find(needle) != std::string::npos)
            ++n;
    return n;
}

// A 2x2 RGBA PNG of one colour, written through the host's writer.
void
writeSolid(const std::string &path, uint8_t r, uint8_t g, uint8_t b)
{
    const uint8_t rgba[16] = {r, g, b, 255, r, g, b, 255, r, g, b, 255, r, g, b, 255};
    ASSERT_TRUE(REwritePNG(path.c_str(), 2, 2, rgba));
}
} // namespace

TEST(TIL_ImageFile, EveryColourTypeLoadsToTheSameRGBATexels)
{
    struct Case
    {
        const char *file;
        bool greyOnly;
        bool alpha;
        bool oneBit; // black and white, in a checkerboard
    };
    const Case cases[] = {
        {"grey8.png", true, false, false},       {"grey16.png", true, false, false},
        {"greyalpha8.png", true, true, false},   {"rgb8.png", false, false, false},
        {"rgb16.png", false, false, false},      {"rgba8.png", false, true, false},
        {"rgba16.png", false, true, false},      {"palette8.png", false, true, false},
        {"grey1.png", true, false, true},
    };
    for (const Case &c : cases)
    {
        SCOPED_TRACE(c.file);
        TIL_TextureMap image;
        std::string error;
        ASSERT_TRUE(TILreadPNG((theData + c.file).c_str(), image, error)) << error;
        ASSERT_EQ(image.getWidth(), 4);
        ASSERT_EQ(image.getHeight(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
            {
                std::array<int, 4> want = colour(x, y);
                if (c.oneBit)
                    want[0] = (x + y) % 2 ? 255 : 0;
                if (c.greyOnly)
                    want[1] = want[2] = want[0];
                if (!c.alpha)
                    want[3] = 255;
                EXPECT_EQ(texel(image, x, y), want) << "at " << x << "," << y;
            }
    }
}

TEST(TIL_ImageFile, BadFilesAreRefusedWithAReasonAndNoImage)
{
    vantrel_test::ScratchDir dir;
    const std::string good = vantrel_test::readFile(theData + "rgba8.png");
    const std::string truncated = dir.path() + "/truncated.png";
    vantrel_test::writeFile(truncated, good.substr(0, good.size() / 2));
    const std::string text = dir.path() + "/text.png";
    vantrel_test::writeFile(text, "not an image at all\n");
    const std::string empty = dir.path() + "/empty.png";
    vantrel_test::writeFile(empty, "");
    // Nothing ever writes to it: a reader that waits for it never returns.
    const std::string fifo = dir.path() + "/fifo.png";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    const struct
    {
        std::string path;
        const char *reason;
    } cases[] = {
        {dir.path() + "/missing.png", "No such file"},
        {text, "not a PNG"},
        {empty, "not a PNG"},
        {truncated, ""},
        {theData + "huge.png", "too large (100000x100000)"},
        {theData + "short.png", "too short"},
        {theData + "wide.png", "too large (2147483647x1)"},
        {fifo, "not a regular file"},
        {dir.path(), "is a directory"},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.path);
        TIL_TextureMap image(2, 2);
        std::string error;
        EXPECT_FALSE(TILreadPNG(c.path.c_str(), image, error));
        EXPECT_TRUE(image.isEmpty());
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

// A header promising more than the limits costs nothing to refuse: the
// reading process never grows by the row it promised.
TEST(TIL_ImageFile, AnImageThatPromisesTooMuchIsRefusedBeforeAllocation)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        TIL_TextureMap image;
        std::string error;
        _exit(TILreadPNG((theData + "wide.png").c_str(), image, error) ? 1 : 0);
    }
    int status = 0;
    struct rusage usage = {};
    ASSERT_EQ(wait4(child, &status, 0, &usage), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_LT(usage.ru_maxrss, 400 * 1024) << "kilobytes at the peak";
}

TEST(TIL_ImageFile, ReductionAveragesTheTexelsEachCovers)
{
    TIL_TextureMap src(4, 2);
    for (int x = 0; x < 4; ++x)
    {
        src.setPixel(x, 0, static_cast<uint8_t>(x * 40), 0, 0, 255);
        src.setPixel(x, 1, static_cast<uint8_t>(x * 40 + 100), 10, 0, 255);
    }
    TIL_TextureMap half;
    TILreduceImage(src, 0.5f, half);
    ASSERT_EQ(half.getWidth(), 2);
    ASSERT_EQ(half.getHeight(), 1);
    // (0 + 40 + 100 + 140) / 4 and (80 + 120 + 180 + 220) / 4.
    EXPECT_EQ((std::vector<int>{half.getPixels()[0], half.getPixels()[4], half.getPixels()[5]}),
              (std::vector<int>{70, 150, 5}));

    // Sides never drop below one texel; 1 or more copies.
    TIL_TextureMap tiny, same;
    TILreduceImage(src, 0.01f, tiny);
    EXPECT_EQ(std::make_pair(tiny.getWidth(), tiny.getHeight()), std::make_pair(1, 1));
    TILreduceImage(src, 1.0f, same);
    EXPECT_EQ(same.getWidth(), 4);
    EXPECT_EQ(same.getPixels()[4 * 4], 100);
}

TEST(OPUI_RotoscopeData, FindsReadsOnceReloadsOnRenameAndReportsMissingOnce)
{
    vantrel_test::ScratchDir dir;
    vantrel_test::ScopedEnv path("VANTREL_PATH", "/nonexistent-dir:" + dir.path());
    writeSolid(dir.path() + "/red.png", 255, 0, 0);
    writeSolid(dir.path() + "/blue.png", 0, 0, 255);
    UTclearErrors();

    OPUI_RotoscopeData source;
    float fraction = 1.0f;
    EXPECT_EQ(source.getTexture(fraction, true, nullptr), nullptr); // no file name yet

    source.setFileName("red.png");
    const int version = TIL_TextureCache::getVersion();
    float aspect = 0.0f;
    TIL_TextureMap *red = source.getTexture(fraction, true, &aspect);
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->getPixels()[0], 255);
    EXPECT_FLOAT_EQ(aspect, 1.0f);
    EXPECT_EQ(std::string(source.getLoadedPath()), dir.path() + "/red.png");
    EXPECT_EQ(TIL_TextureCache::getVersion(), version + 1);

    // Asked again: the same image, nothing read.
    EXPECT_EQ(source.getTexture(fraction, true, nullptr), red);
    EXPECT_EQ(TIL_TextureCache::getVersion(), version + 1);

    // A copy showing the same file shares it; renaming the copy leaves the
    // original's image alone.
    OPUI_RotoscopeData copy = source;
    copy.setFileName((dir.path() + "/blue.png").c_str()); // absolute
    TIL_TextureMap *blue = copy.getTexture(fraction, true, nullptr);
    ASSERT_NE(blue, nullptr);
    EXPECT_TRUE(blue->getPixels()[0] == 0 && blue->getPixels()[2] == 255);
    EXPECT_EQ(source.getTexture(fraction, true, nullptr)->getPixels()[0], 255);

    // Overwriting the file changes nothing until a reload is asked for.
    writeSolid(dir.path() + "/red.png", 0, 255, 0);
    EXPECT_EQ(source.getTexture(fraction, true, nullptr)->getPixels()[1], 0);
    source.reload();
    EXPECT_EQ(source.getTexture(fraction, true, nullptr)->getPixels()[1], 255);

    // A missing file: null every time, one message.
    source.setFileName("gone.png");
    for (int frame = 0; frame < 5; ++frame)
    {
        EXPECT_EQ(source.getTexture(fraction, true, nullptr), nullptr);
        EXPECT_EQ(source.getRaster(fraction, false, nullptr), nullptr);
        int x = -1, y = -1;
        source.getRes(x, y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(0, 0));
    }
    EXPECT_EQ(countErrors("gone.png"), 1);
    EXPECT_GE(UTgetErrorSeverity(), UT_SEVERITY_ERROR);
    UTclearErrors();
}

TEST(OPUI_RotoscopeData, AFractionBelowOneDeliversASmallerImageAndSaysWhichFraction)
{
    OPUI_RotoscopeData source;
    source.setFileName((theData + "rgba8.png").c_str());
    int x = 0, y = 0;
    source.getRes(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(4, 3));

    float fraction = 0.4f; // 4 * 0.4 rounds to 2 texels: a half is delivered
    TIL_Raster *raster = source.getRaster(fraction, false, nullptr);
    ASSERT_NE(raster, nullptr);
    EXPECT_EQ(std::make_pair(raster->getWidth(), raster->getHeight()), std::make_pair(2, 1)); // 3 * 0.4 rounds to 1
    EXPECT_FLOAT_EQ(fraction, 0.5f);

    // Above 1 is the full image; the texture and the raster keep their own
    // reductions, and the full resolution stays what the file holds.
    float full = 3.0f;
    EXPECT_EQ(source.getTexture(full, true, nullptr)->getWidth(), 4);
    EXPECT_FLOAT_EQ(full, 1.0f);
    EXPECT_EQ(source.getRaster(fraction, false, nullptr), raster);
    source.getRes(x, y);
    EXPECT_EQ(x, 4);
}
