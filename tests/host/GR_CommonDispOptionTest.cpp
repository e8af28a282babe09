#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/OPUI/OPUI_RotoscopeData.h"
#include "host/UT/UT_IStream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace
{
template <typename T>
bool
loadFrom(T &record, const std::string &text)
{
    UT_IStream is(text.data(), text.size());
    return record.load(is);
}

template <typename T>
std::string
saveOf(const T &record)
{
    std::ostringstream os;
    record.save(os, 1);
    return os.str();
}
} // namespace

TEST(GR_CommonDispOption, TextReadsBackExactly)
{
    GR_CommonDispOption common;
    common.backgroundColor() = UT_Color(UT_RGB, 0.1f, 1.0f / 3.0f, 1e-7f);
    common.guide2Color() = UT_Color(UT_RGB, 0.9f, 0.8f, 0.7f);
    common.setLOD(0.3f);
    common.setOptionWord(0x80100006u);
    common.setPrimitiveMask(0xFFFFFFFFu);
    common.setWireWidth(2.5f);
    common.setOffsetAmount(1, 3.75f);
    common.setHighlightOffset(0, -0.1f);
    // Per-object state is neither saved nor compared.
    common.setSelectionInstance(4);
    common.setDrawStateBit(GR_DRAWSTATE_SECOND_PASS, true);

    GR_CommonDispOption back;
    ASSERT_TRUE(loadFrom(back, saveOf(common)));
    EXPECT_TRUE(back.gdpOptionsEqual(common, true, false));
    for (int i = 0; i < GR_NUM_COMMON_COLORS; i++)
        EXPECT_TRUE(back.color(GR_CommonColor(i)) == common.color(GR_CommonColor(i)))
            << GR_CommonDispOption::colorKeyword(GR_CommonColor(i));
    EXPECT_EQ(back.getOptionWord(), 0x80100006u);
    EXPECT_EQ(back.getPrimitiveMask(), 0xFFFFFFFFu);
    EXPECT_EQ(back.getOffsetAmount(1), 3.75f);
    EXPECT_EQ(back.getHighlightOffset(0), -0.1f);
    EXPECT_EQ(back.getSelectionInstance(), -1);
    EXPECT_EQ(back.getDrawState(), 0u);

    // Which differences count depends on the two switches.
    back.gridColor() = UT_Color(UT_RGB, 1.0f, 0.0f, 0.0f);
    EXPECT_FALSE(back.gdpOptionsEqual(common, false, false));
    EXPECT_TRUE(back.gdpOptionsEqual(common, true, true));
    back.setLOD(2.0f);
    EXPECT_FALSE(back.gdpOptionsEqual(common, true, true));
    EXPECT_TRUE(back.gdpOptionsEqual(common, false, true));
    back.setOption(GR_COMMON_ALWAYS_SHOW_SELECTION, false);
    EXPECT_FALSE(back.gdpOptionsEqual(common, false, true));

    // Bad colour ids are clamped rather than read past the table.
    EXPECT_EQ(&common.color(GR_CommonColor(-5)), &common.backgroundColor());
    EXPECT_EQ(&common.color(GR_CommonColor(1000)), &common.backfaceColor());
    EXPECT_EQ(GR_CommonDispOption::colorKeyword(GR_NUM_COMMON_COLORS), nullptr);
}

TEST(GR_CommonDispOption, LoadRules)
{
    GR_CommonDispOption common, defaults;
    ASSERT_TRUE(loadFrom(common, "{ newthing ( 1 ) lod ( 0.5 ) gridcolor ( 0 0 1 ) }"));
    EXPECT_EQ(common.getLOD(), 0.5f);
    EXPECT_TRUE(common.gridColor() == UT_Color(UT_RGB, 0, 0, 1));
    EXPECT_TRUE(common.originColor() == defaults.originColor());

    EXPECT_FALSE(loadFrom(common, "{ lod ( 0.25 ) gridcolor ( 1 1 ) }"));
    EXPECT_EQ(common.getLOD(), 0.25f);
    EXPECT_TRUE(common.gridColor() == UT_Color(UT_RGB, 0, 0, 1));
    EXPECT_FALSE(loadFrom(common, "{ lod ( nan ) }"));
    EXPECT_FALSE(loadFrom(common, "{ lod ( 1e99 ) }"));
    EXPECT_FALSE(loadFrom(common, "{ primitivemask ( 4294967296 ) }"));
    EXPECT_FALSE(loadFrom(common, "{ primitivemask ( -1 ) }"));
    EXPECT_FALSE(loadFrom(common, "{ lod ( 0.5x ) }"));
    EXPECT_FALSE(loadFrom(common, std::string("{ lod ( 0.5\0x ) }", 17)));
    EXPECT_FALSE(loadFrom(common, "{ lod ( 1 )"));
    EXPECT_EQ(common.getLOD(), 1.0f);
}

TEST(OPUI_RotoscopeData, SettingsAndText)
{
    OPUI_RotoscopeData roto;
    EXPECT_FALSE(roto.hasImage());
    EXPECT_EQ(roto.getResolutionFraction(), 1.0f);
    EXPECT_FALSE(roto.setResolutionFraction(0.0f));
    EXPECT_FALSE(roto.setResolutionFraction(1.5f));
    EXPECT_TRUE(roto.setResolutionFraction(0.25f));
    roto.setBrightness(7.0f);
    EXPECT_EQ(roto.getBrightness(), 1.0f);
    roto.setBrightness(0.6f);

    // Names with blanks, parentheses, quotes, percents and tabs survive.
    roto.setFileName("my plates/(take 2) \"final\" 100%\t.png");
    OPUI_RotoscopeData back;
    std::string text = saveOf(roto);
    EXPECT_EQ(text.find("take 2"), std::string::npos);
    ASSERT_TRUE(loadFrom(back, text));
    EXPECT_TRUE(back == roto);

    OPUI_RotoscopeData copy;
    copy = roto;
    roto.setFileName(nullptr);
    EXPECT_STREQ(copy.getFileName(), "my plates/(take 2) \"final\" 100%\t.png");

    EXPECT_FALSE(loadFrom(back, "{ resolution ( 0 ) }"));
    EXPECT_FALSE(loadFrom(back, "{ filename ( plain.png ) }"));
    EXPECT_FALSE(loadFrom(back, "{ filename ( \"a%2\" ) }"));
    EXPECT_FALSE(loadFrom(back, "{ filename ( \"a\"b\" ) }"));
    EXPECT_TRUE(loadFrom(back, "{ filename ( \"\" ) }"));
    EXPECT_FALSE(back.hasImage());
    EXPECT_EQ(back.getResolutionFraction(), 0.25f);
}
