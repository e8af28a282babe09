#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/GR/GR_UserOption.h"
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
    // Every colour, the option word, mask, level of detail and offsets.
    EXPECT_TRUE(back.gdpOptionsEqual(common, true, false));
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

TEST(GR_DisplayOption, ShadingModeSetsCategoryAndBoxFlag)
{
    GR_CommonDispOption common;
    GR_DisplayOption rec(&common);

    rec.shadingMode(GR_SHADE_BOX_WIRE);
    EXPECT_EQ(rec.drawCategory(), GR_DRAW_WIRE);
    EXPECT_TRUE(rec.boundingBox());
    rec.shadingMode(GR_SHADE_FLAT);
    EXPECT_EQ(rec.drawCategory(), GR_DRAW_SHADED);
    EXPECT_FALSE(rec.boundingBox());
    rec.shadingMode(GR_SHADE_BOX_SOLID);
    EXPECT_TRUE(rec.isShaded() && rec.boundingBox());
    rec.shadingMode(GR_SHADE_WIRE);
    EXPECT_EQ(rec.getFlags() & GR_FLAG_DRAW_CATEGORY, 1u << 22);

    // A mode outside the enumeration (a bad move mode, say) is ignored.
    unsigned flags = rec.getFlags();
    rec.shadingMode(GR_ShadingMode(99));
    rec.shadingMode(GR_ShadingMode(-1));
    EXPECT_EQ(rec.shadingMode(), GR_SHADE_WIRE);
    EXPECT_EQ(rec.getFlags(), flags);
}

TEST(GR_DisplayOption, UserOptionStates)
{
    int a = GR_UserOption::define("gr_test_a");
    int b = GR_UserOption::define("gr_test_b");
    EXPECT_EQ(GR_UserOption::define("gr_test_a"), a);
    EXPECT_EQ(GR_UserOption::define(""), -1);

    GR_DisplayOption x(nullptr), y(nullptr);
    EXPECT_EQ(x.getUserOption(b), nullptr);
    EXPECT_EQ(x.getUserOption(-3), nullptr);
    EXPECT_EQ(x.getUserOption(1 << 20), nullptr);
    EXPECT_TRUE(x.enableUserOption("gr_test_b", true));
    EXPECT_EQ(x.getUserOption(b), GR_UserOption::get(b));
    EXPECT_GE(x.getNumUserOptions(), b + 1);
    EXPECT_FALSE(x.userOptionStatesEqual(y));
    EXPECT_FALSE(y.userOptionStatesEqual(x));

    // Matching takes the states; a newer version shows only after a
    // refresh, and only to the user-option comparison.
    y.matchUserOptionStates(x);
    EXPECT_TRUE(y.userOptionStatesEqual(x));
    EXPECT_TRUE(y.gdpOptionsEqual(x, false));
    GR_UserOption::get(b)->bumpVersion();
    EXPECT_TRUE(y.gdpOptionsEqual(x, false));
    y.refreshUserOptionVersions();
    EXPECT_FALSE(y.gdpOptionsEqual(x, false));
    EXPECT_TRUE(y.gdpOptionsEqual(x, true));
    x.copyUserOptions(y);
    EXPECT_TRUE(y.gdpOptionsEqual(x, false));

    // An option switched off is the same as one never switched on.
    x.enableUserOption("gr_test_a", true);
    x.disableAllUserOptions();
    EXPECT_EQ(x.getUserOption(a), nullptr);
    EXPECT_EQ(x.getUserOption(b), nullptr);
    GR_DisplayOption z(nullptr);
    EXPECT_TRUE(x.userOptionStatesEqual(z));
    EXPECT_TRUE(x.gdpOptionsEqual(z, false));

    x.removeUserOption(-1);
    x.removeUserOption(1000);
    GR_UserOption::remove(b);
    GR_UserOption::remove(a);
    EXPECT_EQ(GR_UserOption::find("gr_test_a"), -1);
}

TEST(GR_DisplayOption, TextRoundTripAndLoadRules)
{
    int opt_index = GR_UserOption::define("gr_text option");
    GR_DisplayOption rec(nullptr);
    rec.shadingMode(GR_SHADE_HIDDEN_LINE);
    rec.setFlags(0xA5A5A5A5u);
    rec.enableUserOption("gr_text option", true);

    std::string text = saveOf(rec);
    EXPECT_EQ(text.substr(0, 6), "    {\n");
    EXPECT_NE(text.find("\n        ghost ( 0 )\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 6), "    }\n");

    // Read back exactly, even the flags that contradict the mode.
    GR_DisplayOption back(nullptr);
    ASSERT_TRUE(loadFrom(back, text));
    EXPECT_EQ(back.getFlags(), 0xA5A5A5A5u);
    EXPECT_EQ(back.shadingMode(), GR_SHADE_HIDDEN_LINE);
    EXPECT_TRUE(back.isUserOptionEnabled(opt_index));
    EXPECT_TRUE(back.gdpOptionsEqual(rec, false));

    // Entries in any order, unknown ones skipped with their values.
    GR_DisplayOption some(nullptr);
    unsigned flags = some.getFlags();
    ASSERT_TRUE(loadFrom(some, "{ future ( a b c ) hulls ( 1 ) later ghost ( 1 ) }"));
    EXPECT_EQ(some.getFlags(), flags | GR_FLAG_HULLS | GR_FLAG_GHOST);

    // "otherflags" sets only the bits no named entry owns: all-ones leaves
    // the named flags as they were, zero clears only the unnamed ones.
    GR_DisplayOption other(nullptr);
    other.setFlags(GR_FLAG_HULLS);
    ASSERT_TRUE(loadFrom(other, "{ otherflags ( 4294967295 ) }"));
    EXPECT_TRUE(other.getFlag(GR_FLAG_HULLS));
    EXPECT_FALSE(other.getFlag(GR_FLAG_GHOST));
    const unsigned unnamed = other.getFlags() & ~unsigned(GR_FLAG_HULLS);
    EXPECT_NE(unnamed, 0u);
    other.setFlags(0xFFFFFFFFu);
    ASSERT_TRUE(loadFrom(other, "{ otherflags ( 0 ) }"));
    EXPECT_EQ(other.getFlags(), ~unnamed);

    // Malformed entries fail and keep what came before them.
    GR_DisplayOption bad(nullptr);
    EXPECT_FALSE(loadFrom(bad, "{ hulls ( 1 ) ghost ( 2 ) shaders ( 1 ) }"));
    EXPECT_TRUE(bad.getFlag(GR_FLAG_HULLS));
    EXPECT_FALSE(bad.getFlag(GR_FLAG_GHOST) || bad.getFlag(GR_FLAG_SHADERS));
    EXPECT_FALSE(loadFrom(bad, "{ shadingmode ( 8 ) }"));
    EXPECT_FALSE(loadFrom(bad, "{ drawcategory ( 4 ) }"));
    EXPECT_FALSE(loadFrom(bad, "{ hulls 1 }"));
    EXPECT_FALSE(loadFrom(bad, "{ useroption ( \"%4\" ) }"));
    EXPECT_FALSE(loadFrom(bad, "hulls ( 1 ) }"));
    EXPECT_FALSE(loadFrom(bad, "{ hulls ( 1 )"));
    EXPECT_FALSE(loadFrom(bad, "{ unknown ( 1 2"));
    EXPECT_TRUE(loadFrom(bad, "{ useroption ( \"not_registered\" ) }"));
    GR_UserOption::remove(opt_index);
}
