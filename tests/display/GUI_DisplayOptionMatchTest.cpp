#include "display/GUI_DisplayOption.h"

#include "host/GR/GR_UserOption.h"

#include <gtest/gtest.h>

TEST(GUI_DisplayOptionMatch, SelectedRecordsFollowNonSelectedOnes)
{
    GUI_DisplayOption opt;
    // A new set differs only in the selected mark, which never counts.
    EXPECT_TRUE(opt.nonselEqualToSel(true, true));
    EXPECT_TRUE(opt.currentNonselEqualToSel(true, true));
    EXPECT_FALSE(opt.matchSelWithNonsel(true, true));
    EXPECT_FALSE(opt.matchCurrentSelWithNonsel(true, true));
    EXPECT_EQ(opt[GUI_SELECTED].getFlags() ^ opt[GUI_NON_SELECTED].getFlags(), 0x00200000u);

    // Every matched bit, including both bits of the draw category, is
    // copied once; the unmatched bits keep the target's values.
    GR_DisplayOption &nonsel = opt[GUI_NON_SELECTED];
    GR_DisplayOption &sel = opt[GUI_SELECTED];
    sel.setFlags(sel.getFlags() | 0x80000000u);
    nonsel.setFlags(~nonsel.getFlags() & ~0x00200000u & 0x7FFFFFFFu);
    EXPECT_FALSE(opt.nonselEqualToSel(true, false));
    EXPECT_TRUE(opt.nonselEqualToSel(false, true));
    EXPECT_TRUE(opt.matchSelWithNonsel(true, false));
    EXPECT_FALSE(opt.matchSelWithNonsel(true, false));
    EXPECT_EQ(sel.getFlags() & 0x01DFFFFFu, nonsel.getFlags() & 0x01DFFFFFu);
    EXPECT_TRUE(sel.getFlag(0x00200000u));
    EXPECT_TRUE(sel.getFlag(0x80000000u));
    EXPECT_TRUE(opt.nonselEqualToSel(true, false));

    // Matching never touches the shading mode, and the flag switch alone
    // leaves user options alone (and the other way round).
    nonsel.shadingMode(GR_SHADE_HIDDEN_LINE);
    GR_ShadingMode mode = sel.shadingMode();
    int index = GR_UserOption::define("match_test_option");
    nonsel.enableUserOption("match_test_option", true);
    EXPECT_FALSE(opt.matchSelWithNonsel(false, false));
    EXPECT_TRUE(opt.nonselEqualToSel(false, false));
    EXPECT_FALSE(opt.nonselEqualToSel(false, true));
    EXPECT_TRUE(opt.matchSelWithNonsel(true, false));   // the flags the new mode implies
    EXPECT_FALSE(sel.isUserOptionEnabled(index));
    uint32_t flags = sel.getFlags();
    EXPECT_TRUE(opt.matchSelWithNonsel(false, true));
    EXPECT_TRUE(sel.isUserOptionEnabled(index));
    EXPECT_EQ(sel.getFlags(), flags);
    EXPECT_EQ(sel.shadingMode(), mode);
    EXPECT_TRUE(opt.nonselEqualToSel(true, true));

    // The current pair is matched on its own.
    uint32_t sel_flags = sel.getFlags();
    opt[GUI_CURRENT_NON_SELECTED].setFlag(GR_FLAG_POINT_NUMBERS, true);
    EXPECT_FALSE(opt.currentNonselEqualToSel(true, false));
    EXPECT_TRUE(opt.matchCurrentSelWithNonsel(true, false));
    EXPECT_TRUE(opt[GUI_CURRENT_SELECTED].getFlag(GR_FLAG_POINT_NUMBERS));
    EXPECT_EQ(sel.getFlags(), sel_flags);
    GR_UserOption::remove(index);
}

TEST(GUI_DisplayOptionMatch, GeometryOptionsCopyAndCompare)
{
    GUI_DisplayOption src;
    GUI_DisplayOption dst;
    EXPECT_TRUE(dst.gdpOptionsEqual(src, true, false));

    src.showGuides(false);
    src.drawMultiTexture(false);
    src.drawSafeArea(true);
    src.setXrayPass(true);
    src.setSelectMask(7);
    src.moveMode(2);
    float offset[2] = {0.5f, 0.25f};
    src.setImageOffset(offset);
    src.getRotoscopeData().setFileName("bg.png");
    src[GUI_TEMPLATE].setFlag(GR_FLAG_HULLS, true);
    src.common().setPrimitiveMask(0x5);
    EXPECT_FALSE(dst.gdpOptionsEqual(src, false, false));

    dst.copyGdpOptions(src);
    EXPECT_TRUE(dst.gdpOptionsEqual(src, true, false));
    EXPECT_FALSE(dst.drawMultiTexture());
    EXPECT_TRUE(dst.showGuides());
    EXPECT_FALSE(dst.drawSafeArea());
    EXPECT_FALSE(dst.isXrayPass());
    EXPECT_EQ(dst.getSelectMask(), 0u);
    EXPECT_EQ(dst.moveMode(), 0);
    float uv[2];
    dst.getImageOffset(uv);
    EXPECT_EQ(uv[0], 0.0f);
    EXPECT_STREQ(dst.getRotoscopeData().getFileName(), "");
    EXPECT_TRUE(dst[GUI_TEMPLATE].getFlag(GR_FLAG_HULLS));
    EXPECT_EQ(dst.common().getPrimitiveMask(), 0x5u);

    // The temporary pop-up guide flag counts although it is not copied.
    src.showTempPopGuideSelections(true);
    EXPECT_FALSE(dst.gdpOptionsEqual(src, true, false));
    dst.copyGdpOptions(src);
    EXPECT_FALSE(dst.showTempPopGuideSelections());
    EXPECT_FALSE(dst.gdpOptionsEqual(src, true, false));
    src.showTempPopGuideSelections(false);

    // Colours matter unless relaxed; the level of detail only in 3D.
    src.common().gridColor() = UT_Color(UT_RGB, 0.0f, 1.0f, 0.0f);
    EXPECT_FALSE(dst.gdpOptionsEqual(src, true, false));
    EXPECT_TRUE(dst.gdpOptionsEqual(src, true, true));
    dst.copyGdpOptions(src);
    src.common().setLOD(3.0f);
    EXPECT_FALSE(dst.gdpOptionsEqual(src, true, false));
    EXPECT_TRUE(dst.gdpOptionsEqual(src, false, false));

    // Copying from itself changes nothing.
    GUI_DisplayOption before(dst);
    dst.copyGdpOptions(dst);
    EXPECT_TRUE(dst.gdpOptionsEqual(before, true, false));
}
