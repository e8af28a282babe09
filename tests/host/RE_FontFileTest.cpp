#include "host/RE/RE_Font.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace
{
const std::string theExistingFile = VANTREL_SOURCE_DIR "/README.md";
const std::string theMissingFile = VANTREL_SOURCE_DIR "/no/such/font.ttf";
} // namespace

TEST(RE_FontFile, MatchedFileThenFallbackThenNothing)
{
    EXPECT_EQ(RE_Font::chooseFontFile(theExistingFile, theMissingFile.c_str()), theExistingFile);
    EXPECT_EQ(RE_Font::chooseFontFile(theMissingFile, theExistingFile.c_str()), theExistingFile);
    EXPECT_EQ(RE_Font::chooseFontFile("", theExistingFile.c_str()), theExistingFile);
    // A directory is not a font file.
    EXPECT_EQ(RE_Font::chooseFontFile(VANTREL_SOURCE_DIR, theExistingFile.c_str()), theExistingFile);
    EXPECT_EQ(RE_Font::chooseFontFile(theMissingFile, theMissingFile.c_str()), "");
    EXPECT_EQ(RE_Font::chooseFontFile(theMissingFile, nullptr), "");
}

TEST(RE_FontFile, ViewportFontIsFoundAndRasterises)
{
    const std::string file = RE_Font::findViewportFontFile();
    struct stat st;
    ASSERT_EQ(stat(file.c_str(), &st), 0) << "no viewport font found: '" << file << "'";
    RE_Font font(file.c_str(), 12);
    ASSERT_TRUE(font.isValid()) << file;
    EXPECT_GT(font.getStringWidth("abc"), 0);
}

TEST(RE_FontFile, MissingFontDrawsNothing)
{
    RE_Font font("", 12);
    EXPECT_FALSE(font.isValid());
    EXPECT_EQ(font.getGlyph('a'), nullptr);
    EXPECT_EQ(font.getStringWidth("abc"), 0);
}
