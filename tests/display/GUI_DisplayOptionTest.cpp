#include "display/GUI_DisplayOption.h"

#include "host/GR/GR_UserOption.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
const GUI_DetailType theKinds[] = {GUI_NON_SELECTED, GUI_SELECTED, GUI_TEMPLATE,
                                   GUI_CURRENT_NON_SELECTED, GUI_CURRENT_SELECTED};
} // namespace

TEST(GUI_DisplayOption, NewSetHasPerKindRecords)
{
    GUI_DisplayOption opt;
    // All five records share the set's common record; only the selected
    // kinds carry the selected mark, and templates and current objects
    // draw as ghosted wire.
    for (GUI_DetailType k : theKinds)
    {
        EXPECT_EQ(opt[k].common(), &opt.common());
        bool selected = k == GUI_SELECTED || k == GUI_CURRENT_SELECTED;
        EXPECT_EQ(opt[k].getFlag(0x00200000u), selected) << k;
        bool wire = k == GUI_TEMPLATE || k == GUI_CURRENT_NON_SELECTED ||
                    k == GUI_CURRENT_SELECTED;
        EXPECT_EQ(opt[k].getFlag(0x00004000u), wire) << k;
        if (wire)
        {
            EXPECT_EQ(opt[k].shadingMode(), GR_ShadingMode(2)) << k;
        }
    }
    GR_DisplayOption host_default(nullptr);
    EXPECT_FALSE(opt[GUI_TEMPLATE].getFlag(0x00001000u));
    EXPECT_EQ(opt[GUI_NON_SELECTED].getFlag(0x00001000u), host_default.getFlag(0x00001000u));
    EXPECT_EQ(opt[GUI_NON_SELECTED].shadingMode(), host_default.shadingMode());
}

TEST(GUI_DisplayOption, EachSetterTouchesOnlyItsOwnBit)
{
    GUI_DisplayOption opt;
    int bit = 0;
    for (const GUI_DisplayOption::FlagKeyword *row = GUI_DisplayOption::flagKeywords();
         row->keyword; row++, bit++)
    {
        uint32_t before = opt.getFlagWord();
        (opt.*row->set)(!(opt.*row->get)());
        EXPECT_EQ(opt.getFlagWord(), before ^ (1u << bit)) << row->keyword;
        (opt.*row->set)(!(opt.*row->get)());
        EXPECT_EQ(opt.getFlagWord(), before) << row->keyword;
    }
    EXPECT_EQ(bit, 30);
    opt.showSelected(true);
    EXPECT_EQ(opt.getFlagWord(), 0x33D4067Fu);
}

TEST(GUI_DisplayOption, CopiesAreDeepAndKeepRecordReferences)
{
    GUI_DisplayOption src;
    GUI_DisplayOption dst;
    GR_DisplayOption &dst_selected = dst[GUI_SELECTED];
    GR_CommonDispOption *dst_common = &dst.common();

    src.drawSafeArea(true);
    src.setXrayPass(true);
    src.setSelectMask(0x210);
    src.moveModeOn(true);
    src.moveMode(3);
    src.moveThreshold(250);
    float scale[2] = {2, 3};
    src.setImageScale(scale);
    src.getRotoscopeData().setFileName("plate.png");
    src[GUI_SELECTED].shadingMode(GR_SHADE_FLAT);
    src.common().setLOD(0.25f);

    dst = src;
    EXPECT_EQ(&dst[GUI_SELECTED], &dst_selected);
    EXPECT_EQ(dst_selected.common(), dst_common);
    EXPECT_EQ(dst_selected.shadingMode(), GR_SHADE_FLAT);
    EXPECT_TRUE(dst.gdpOptionsEqual(src, true, false));
    EXPECT_EQ(dst.getFlagWord(), src.getFlagWord());
    EXPECT_EQ(dst.getPassFlagWord(), src.getPassFlagWord());
    EXPECT_EQ(dst.getSelectMask(), 0x210u);
    EXPECT_TRUE(dst.moveModeOn() && dst.moveMode() == 3 && dst.moveThreshold() == 250);
    float uv[2];
    dst.getImageScale(uv);
    EXPECT_TRUE(uv[0] == 2.0f && uv[1] == 3.0f);
    EXPECT_STREQ(dst.getRotoscopeData().getFileName(), "plate.png");

    // Changing the source's records afterwards leaves the copy alone.
    src[GUI_SELECTED].shadingMode(GR_SHADE_WIRE);
    src.common().setLOD(0.5f);
    src.targetWireColor() = UT_Color(UT_RGB, 0.1f, 0.2f, 0.3f);
    EXPECT_EQ(dst_selected.shadingMode(), GR_SHADE_FLAT);
    EXPECT_EQ(dst.common().getLOD(), 0.25f);
    EXPECT_FALSE(dst.targetWireColor() == src.targetWireColor());

    // Copy construction gives records of its own; either may die first.
    auto copy = std::make_unique<GUI_DisplayOption>(src);
    auto other = std::make_unique<GUI_DisplayOption>(*copy);
    for (GUI_DetailType k : theKinds)
    {
        EXPECT_NE(&(*copy)[k], &src[k]);
        EXPECT_EQ((*copy)[k].common(), &copy->common());
    }
    EXPECT_TRUE(copy->gdpOptionsEqual(src, true, false));
    copy->common().setLOD(4.0f);
    EXPECT_EQ(src.common().getLOD(), 0.5f);
    copy.reset();
    EXPECT_EQ((*other)[GUI_SELECTED].shadingMode(), GR_SHADE_WIRE);
    other.reset();

    // Self-assignment changes nothing.
    GUI_DisplayOption before(dst);
    dst = *&dst;
    EXPECT_TRUE(dst.gdpOptionsEqual(before, true, false));
    EXPECT_EQ(dst.getFlagWord(), before.getFlagWord());
}

TEST(GUI_DisplayOption, XrayGhostingFadesAndRestoresItsColours)
{
    GUI_DisplayOption opt;
    GUI_DisplayOption saved(opt);
    opt.ghostColorsForXrayPass(0.5f);

    EXPECT_FALSE(opt.targetWireColor() == saved.targetWireColor());
    EXPECT_FALSE(opt.common().backgroundColor() == saved.common().backgroundColor());
    EXPECT_TRUE(opt.selAxesColor() == saved.selAxesColor());
    EXPECT_TRUE(opt.guide1Color() == saved.guide1Color());
    EXPECT_TRUE(opt.guide2Color() == saved.guide2Color());
    int faded = 0;
    for (int i = 0; i < GR_NUM_COMMON_COLORS; i++)
        if (!(opt.common().color(GR_CommonColor(i)) == saved.common().color(GR_CommonColor(i))))
            faded++;
    EXPECT_EQ(faded, 22);

    opt.restoreColorsFromXrayPass(saved);
    EXPECT_TRUE(opt.gdpOptionsEqual(saved, true, false));
}

TEST(GUI_DisplayOption, UserOptionChangesReachEveryRecord)
{
    int first = GR_UserOption::define("disp_test_first");
    int second = GR_UserOption::define("disp_test_second");
    GUI_DisplayOption opt;
    ASSERT_TRUE(opt[GUI_TEMPLATE].enableUserOption("disp_test_second", true));
    ASSERT_TRUE(opt[GUI_CURRENT_SELECTED].enableUserOption("disp_test_second", true));
    GUI_DisplayOption cached(opt);

    // A newer version of an option that is on makes a cached copy stale.
    GR_UserOption::get(second)->bumpVersion();
    opt.refreshUserOptionVersions();
    EXPECT_FALSE(cached.gdpOptionsEqual(opt, true, false));

    // Removing an option shifts the later states down in every record.
    GR_UserOption::remove(first);
    opt.removeUserOption(first);
    EXPECT_STREQ(opt[GUI_TEMPLATE].getUserOption(first)->getName(), "disp_test_second");
    EXPECT_TRUE(opt[GUI_CURRENT_SELECTED].isUserOptionEnabled(first));
    EXPECT_FALSE(opt[GUI_TEMPLATE].isUserOptionEnabled(second));
    GR_UserOption::remove(first);
}
