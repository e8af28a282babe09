// The selection mask: while an object that can be selected is drawn, the
// kinds of component the user can pick are forced visible on its records
// (point markers, primitive markers and highlight, edge markers, hulls),
// and put back as they were afterwards.

#include "detail/GUI_DetailRender3D.h"

#include "host/GR/GR_DisplayOption.h"

namespace
{
// One forced bit: when the mask has any of maskBits and the record meets
// the condition, the record's flag is saved into savedBit and then set.
struct MaskRow
{
    unsigned maskBits;
    bool (*applies)(const GR_DisplayOption &option);
    unsigned savedBit;
    unsigned flag;
};

bool always(const GR_DisplayOption &) { return true; }

bool
shadedWithoutBox(const GR_DisplayOption &option)
{
    return option.drawCategory() == GR_DRAW_SHADED && !option.boundingBox();
}

bool
drawnAsWire(const GR_DisplayOption &option)
{
    return option.shadingMode() == GR_SHADE_WIRE;
}

const MaskRow theMaskRows[] = {
    {0x1, always, 1u << 0, GR_FLAG_POINT_MARKERS},
    {0x4, shadedWithoutBox, 1u << 4, GR_FLAG_HIGHLIGHT},
    {0x4, always, 1u << 3, GR_FLAG_PRIM_MARKERS},
    {0x200, always, 1u << 1, GR_FLAG_EDGE_MARKERS},
    {0x10 | 0x20, drawnAsWire, 1u << 2, GR_FLAG_HULLS},
};

// The saved bits of the primary and of the selection record.
unsigned theSavedPrimaryBits = 0;
unsigned theSavedSelectionBits = 0;

void
applyTo(GR_DisplayOption *option, unsigned &saved, unsigned mask)
{
    if (!option)
        return;
    for (const MaskRow &row : theMaskRows)
    {
        if (!(mask & row.maskBits) || !row.applies(*option))
            continue;
        saved = option->getFlag(row.flag) ? (saved | row.savedBit) : (saved & ~row.savedBit);
        option->setFlag(row.flag, true);
    }
}

void
restoreTo(GR_DisplayOption *option, unsigned saved, unsigned mask)
{
    if (!option)
        return;
    for (const MaskRow &row : theMaskRows)
        if ((mask & row.maskBits) && row.applies(*option))
            option->setFlag(row.flag, (saved & row.savedBit) != 0);
}
} // namespace

void
GUI_DetailRender3D::applySelectionMask(GR_DisplayOption *primary,
                                       GR_DisplayOption *selection, unsigned mask)
{
    applyTo(primary, theSavedPrimaryBits, mask);
    applyTo(selection, theSavedSelectionBits, mask);
}

void
GUI_DetailRender3D::restoreSelectionMask(GR_DisplayOption *primary,
                                         GR_DisplayOption *selection, unsigned mask)
{
    restoreTo(primary, theSavedPrimaryBits, mask);
    restoreTo(selection, theSavedSelectionBits, mask);
}
