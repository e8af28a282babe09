#include "display/GUI_DisplayOption.h"

namespace
{
// The matched settings of a record's flag word in the order matching
// visits them. Bits 22 and 23 form one field and travel together; bit 21
// (the selected-kind mark) and bits 25 and up are left alone.
constexpr unsigned theMatchedSettings[] = {
    1u << 0,  1u << 1,  1u << 2,  1u << 3,  1u << 4,  1u << 5,  1u << 6,
    1u << 7,  1u << 8,  1u << 9,  1u << 10, 1u << 11, 1u << 12, 1u << 13,
    3u << 22, 1u << 14, 1u << 24, 1u << 15, 1u << 16, 1u << 18, 1u << 20,
    1u << 17, 1u << 19,
};

constexpr unsigned
matchedUnion()
{
    unsigned all = 0;
    for (unsigned mask : theMatchedSettings)
        all |= mask;
    return all;
}
static_assert(matchedUnion() == GUI_DisplayOption::MATCHED_RECORD_FLAGS,
              "matching visits exactly the matched bits");
} // namespace

bool
GUI_DisplayOption::matchOptions(GUI_DetailType target, GUI_DetailType source,
                                bool flags, bool user_options)
{
    GR_DisplayOption &dst = *myRecords[target];
    const GR_DisplayOption &src = *myRecords[source];
    bool changed = false;

    if (flags)
    {
        for (unsigned mask : theMatchedSettings)
        {
            unsigned want = src.getFlags() & mask;
            if ((dst.getFlags() & mask) != want)
            {
                dst.setFlags((dst.getFlags() & ~mask) | want);
                changed = true;
            }
        }
    }
    if (user_options && !dst.userOptionStatesEqual(src))
    {
        dst.matchUserOptionStates(src);
        changed = true;
    }
    return changed;
}

bool
GUI_DisplayOption::optionsEqual(GUI_DetailType a, GUI_DetailType b,
                                bool flags, bool user_options) const
{
    const GR_DisplayOption &first = *myRecords[a];
    const GR_DisplayOption &second = *myRecords[b];

    if (flags && ((first.getFlags() ^ second.getFlags()) & MATCHED_RECORD_FLAGS))
        return false;
    if (user_options)
        return first.userOptionStatesEqual(second);
    return true;
}

bool
GUI_DisplayOption::matchSelWithNonsel(bool flags, bool user_options)
{
    return matchOptions(GUI_SELECTED, GUI_NON_SELECTED, flags, user_options);
}

bool
GUI_DisplayOption::matchCurrentSelWithNonsel(bool flags, bool user_options)
{
    return matchOptions(GUI_CURRENT_SELECTED, GUI_CURRENT_NON_SELECTED, flags,
                        user_options);
}

bool
GUI_DisplayOption::nonselEqualToSel(bool flags, bool user_options) const
{
    return optionsEqual(GUI_SELECTED, GUI_NON_SELECTED, flags, user_options);
}

bool
GUI_DisplayOption::currentNonselEqualToSel(bool flags, bool user_options) const
{
    return optionsEqual(GUI_CURRENT_SELECTED, GUI_CURRENT_NON_SELECTED, flags,
                        user_options);
}

void
GUI_DisplayOption::copyGdpOptions(const GUI_DisplayOption &src)
{
    if (this == &src)
        return;

    copyRecords(src);
    drawMultiTexture(src.drawMultiTexture());
}

bool
GUI_DisplayOption::gdpOptionsEqual(const GUI_DisplayOption &other,
                                   bool compare_3d, bool relaxed)
{
    if (!myCommon.gdpOptionsEqual(other.myCommon, compare_3d, relaxed))
        return false;
    for (int i = GUI_NUM_DETAIL_TYPES - 1; i >= 0; i--)
        if (!myRecords[i]->gdpOptionsEqual(*other.myRecords[i], false))
            return false;
    if (drawMultiTexture() != other.drawMultiTexture())
        return false;
    return showTempPopGuideSelections() == other.showTempPopGuideSelections();
}
