#include "detail/GUI_SelectionMask.h"

#include "host/GR/GR_DisplayOption.h"

bool
GUI_SelectionMask::always(const GR_DisplayOption &)
{
    return true;
}

bool
GUI_SelectionMask::drawnAsWire(const GR_DisplayOption &option)
{
    return option.shadingMode() == GR_SHADE_WIRE;
}

void
GUI_SelectionMask::apply(GR_DisplayOption *primary, GR_DisplayOption *selection, unsigned mask)
{
    applyTo(primary, mySavedPrimary, mask);
    applyTo(selection, mySavedSelection, mask);
}

void
GUI_SelectionMask::restore(GR_DisplayOption *primary, GR_DisplayOption *selection,
                           unsigned mask) const
{
    restoreTo(primary, mySavedPrimary, mask);
    restoreTo(selection, mySavedSelection, mask);
}

void
GUI_SelectionMask::applyTo(GR_DisplayOption *option, unsigned &saved, unsigned mask) const
{
    if (!option)
        return;
    for (std::size_t i = 0; i < myCount; ++i)
    {
        const Row &row = myRows[i];
        if (!(mask & row.maskBits) || !row.applies(*option))
            continue;
        saved = option->getFlag(row.flag) ? (saved | row.savedBit) : (saved & ~row.savedBit);
        option->setFlag(row.flag, true);
    }
}

void
GUI_SelectionMask::restoreTo(GR_DisplayOption *option, unsigned saved, unsigned mask) const
{
    if (!option)
        return;
    for (std::size_t i = 0; i < myCount; ++i)
    {
        const Row &row = myRows[i];
        if ((mask & row.maskBits) && row.applies(*option))
            option->setFlag(row.flag, (saved & row.savedBit) != 0);
    }
}
