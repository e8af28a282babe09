#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/GR/GR_UserOption.h"
#include "host/UT/UT_IStream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace
{
bool
loadRecord(GR_DisplayOption &rec, const std::string &text)
{
    UT_IStream is(text.data(), text.size());
    return rec.load(is);
}

std::string
saveRecord(const GR_DisplayOption &rec, int indent)
{
    std::ostringstream os;
    EXPECT_TRUE(rec.save(os, indent));
    return os.str();
}
} // namespace

TEST(GR_DisplayOption, ShadingModeSetsCategoryAndBoxFlag)
{
    GR_CommonDispOption common;
    GR_DisplayOption rec(&common);
    EXPECT_EQ(rec.common(), &common);

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

    std::string text = saveRecord(rec, 1);
    EXPECT_EQ(text.substr(0, 6), "    {\n");
    EXPECT_NE(text.find("\n        ghost ( 0 )\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 6), "    }\n");

    // Read back exactly, even the flags that contradict the mode.
    GR_DisplayOption back(nullptr);
    ASSERT_TRUE(loadRecord(back, text));
    EXPECT_EQ(back.getFlags(), 0xA5A5A5A5u);
    EXPECT_EQ(back.shadingMode(), GR_SHADE_HIDDEN_LINE);
    EXPECT_TRUE(back.isUserOptionEnabled(opt_index));
    EXPECT_TRUE(back.gdpOptionsEqual(rec, false));

    // Entries in any order, unknown ones skipped with their values.
    GR_DisplayOption some(nullptr);
    unsigned flags = some.getFlags();
    ASSERT_TRUE(loadRecord(some, "{ future ( a b c ) hulls ( 1 ) later ghost ( 1 ) }"));
    EXPECT_EQ(some.getFlags(), flags | GR_FLAG_HULLS | GR_FLAG_GHOST);

    // "otherflags" sets only the bits no named entry owns: all-ones leaves
    // the named flags as they were, zero clears only the unnamed ones.
    GR_DisplayOption other(nullptr);
    other.setFlags(GR_FLAG_HULLS);
    ASSERT_TRUE(loadRecord(other, "{ otherflags ( 4294967295 ) }"));
    EXPECT_TRUE(other.getFlag(GR_FLAG_HULLS));
    EXPECT_FALSE(other.getFlag(GR_FLAG_GHOST));
    const unsigned unnamed = other.getFlags() & ~unsigned(GR_FLAG_HULLS);
    EXPECT_NE(unnamed, 0u);
    other.setFlags(0xFFFFFFFFu);
    ASSERT_TRUE(loadRecord(other, "{ otherflags ( 0 ) }"));
    EXPECT_EQ(other.getFlags(), ~unnamed);

    // Malformed entries fail and keep what came before them.
    GR_DisplayOption bad(nullptr);
    EXPECT_FALSE(loadRecord(bad, "{ hulls ( 1 ) ghost ( 2 ) shaders ( 1 ) }"));
    EXPECT_TRUE(bad.getFlag(GR_FLAG_HULLS));
    EXPECT_FALSE(bad.getFlag(GR_FLAG_GHOST) || bad.getFlag(GR_FLAG_SHADERS));
    EXPECT_FALSE(loadRecord(bad, "{ shadingmode ( 8 ) }"));
    EXPECT_FALSE(loadRecord(bad, "{ drawcategory ( 4 ) }"));
    EXPECT_FALSE(loadRecord(bad, "{ hulls 1 }"));
    EXPECT_FALSE(loadRecord(bad, "{ useroption ( \"%4\" ) }"));
    EXPECT_FALSE(loadRecord(bad, "hulls ( 1 ) }"));
    EXPECT_FALSE(loadRecord(bad, "{ hulls ( 1 )"));
    EXPECT_FALSE(loadRecord(bad, "{ unknown ( 1 2"));
    EXPECT_TRUE(loadRecord(bad, "{ useroption ( \"not_registered\" ) }"));
    GR_UserOption::remove(opt_index);
}
