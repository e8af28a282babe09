// The selection mask: while an object that can be selected is drawn, the
// kinds of component the user can pick are forced visible on its records
// (point markers, primitive markers and highlight, edge markers, hulls),
// and put back as they were afterwards.

#include "detail/GUI_DetailRender3D.h"

#include "detail/GUI_SelectionMask.h"
#include "host/GR/GR_DisplayOption.h"

namespace
{
bool
shadedWithoutBox(const GR_DisplayOption &option)
{
    return option.drawCategory() == GR_DRAW_SHADED && !option.boundingBox();
}

const GUI_SelectionMask::Row theMaskRows[] = {
    {0x1, GUI_SelectionMask::always, 1u << 0, GR_FLAG_POINT_MARKERS},
    {0x4, shadedWithoutBox, 1u << 4, GR_FLAG_HIGHLIGHT},
    {0x4, GUI_SelectionMask::always, 1u << 3, GR_FLAG_PRIM_MARKERS},
    {0x200, GUI_SelectionMask::always, 1u << 1, GR_FLAG_EDGE_MARKERS},
    {0x10 | 0x20, GUI_SelectionMask::drawnAsWire, 1u << 2, GR_FLAG_HULLS},
};

// The 3D renderer's saved bits, apart from the 2D renderer's.
GUI_SelectionMask theMask(theMaskRows);
} // namespace

void
GUI_DetailRender3D::applySelectionMask(GR_DisplayOption *primary,
                                       GR_DisplayOption *selection, unsigned mask)
{
    theMask.apply(primary, selection, mask);
}

void
GUI_DetailRender3D::restoreSelectionMask(GR_DisplayOption *primary,
                                         GR_DisplayOption *selection, unsigned mask)
{
    theMask.restore(primary, selection, mask);
}
