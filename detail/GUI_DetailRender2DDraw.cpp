// Drawing, picking and bounding one handle of the 2D renderer, and its
// selection mask.

#include "detail/GUI_DetailRender2D.h"

#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailReadLock.h"
#include "detail/GUI_DetailWriteLock.h"
#include "detail/GUI_SelectionMask.h"
#include "host/GR/GR2D_Detail.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_BoundingBox.h"

namespace
{
const char theUVVisibleGroup[] = "2d_visible_primitives";

// The three drawers, made on first use and kept for the process.
const GR2D_Detail &
uvWireDrawer()
{
    static const GR2D_Detail *drawer = new GR2D_Detail;
    return *drawer;
}

const GR2D_Detail &
uvBackFaceDrawer()
{
    static const GR2D_Detail *drawer = new GR2D_Detail;
    return *drawer;
}

const GR2D_Detail &
uvPicker()
{
    static const GR2D_Detail *drawer = new GR2D_Detail;
    return *drawer;
}

GR2D_AttributeType
uvAttribType(int vertex)
{
    return vertex ? GR2D_VERTEX_ATTRIB : GR2D_POINT_ATTRIB;
}

int
uvTextureAttribute(const GU_Detail &gdp, int vertex)
{
    return gdp.findTextureAttribute(vertex ? GB_ATTRIB_VERTEX : GB_ATTRIB_POINT);
}

// The 2D selection mask: point markers, and hulls on wire records.
const GUI_SelectionMask::Row theUVMaskRows[] = {
    {0x1, GUI_SelectionMask::always, 1u << 0, GR_FLAG_POINT_MARKERS},
    {0x10 | 0x20, GUI_SelectionMask::drawnAsWire, 1u << 1, GR_FLAG_HULLS},
};

// The 2D renderer's saved bits, apart from the 3D renderer's.
GUI_SelectionMask theUVMask(theUVMaskRows);
} // namespace

void
GUI_DetailRender2D::applySelectionMask(GR_DisplayOption *primary, GR_DisplayOption *selection,
                                       unsigned mask)
{
    theUVMask.apply(primary, selection, mask);
}

void
GUI_DetailRender2D::restoreSelectionMask(GR_DisplayOption *primary,
                                         GR_DisplayOption *selection, unsigned mask)
{
    theUVMask.restore(primary, selection, mask);
}

void
GUI_DetailRender2D::setWireColor(GR_DisplayOption *option)
{
    GR_CommonDispOption &common = GUI_DetailLook::globalDispOption().common();
    if (useWireColor())
        common.wireColor() = getWireColor();
    else if (isTemplated() && (!option || option->ghosted()))
        common.wireColor() = common.templateWireColor();
    else
        common.wireColor() = common.defaultWireColor();
}

void
GUI_DetailRender2D::draw(RE_Render &r, int vertex, float lod, GR_DisplayOption *selection,
                         GR_DisplayOption *primary, bool noSelection)
{
    GR_CommonDispOption &common = GUI_DetailLook::globalDispOption().common();
    const UT_Color savedWire = common.wireColor();
    setWireColor(primary);

    bool drawSel = false;
    {
        GUI_DetailReadLock lock(getDetailHandle(myGeoIdx));
        const GU_Detail *gdp = lock.getGdp();
        myVisiblePrimitives.refresh(gdp, theUVVisibleGroup, 1);
        drawSel = gdp && selection && !noSelection && haveSelectionToDraw(*gdp, *selection);
    }

    if (primary && primary->getFlag(GR_FLAG_FILL_BACK_FACES))
        drawFilledBackFaces(r, vertex, primary, noSelection);
    if (drawSel && selection->getFlag(GR_FLAG_FILL_BACK_FACES))
        drawFilledBackFaces(r, vertex, selection, noSelection);
    if (primary)
        drawWireFrame(r, vertex, lod, primary, noSelection);
    if (drawSel)
        drawWireFrame(r, vertex, lod, selection, noSelection);

    common.wireColor() = savedWire;
}

void
GUI_DetailRender2D::drawWireFrame(RE_Render &r, int vertex, float lod,
                                  const GR_DisplayOption *option, bool noSelection)
{
    if (!option)
        return;
    GUI_DetailWriteLock lock(getDetailHandle(myGeoIdx));
    GU_Detail *gdp = lock.getGdp();
    if (!gdp)
        return;
    const int index = uvTextureAttribute(*gdp, vertex);
    if (index >= 0)
        uvWireDrawer().wireDraw(gdp, uvAttribType(vertex), index, r, lod, !noSelection, option,
                              !option->ghosted(), visibilityRestriction());
}

void
GUI_DetailRender2D::drawFilledBackFaces(RE_Render &r, int vertex,
                                        const GR_DisplayOption *option, bool noSelection)
{
    GUI_DetailWriteLock lock(getDetailHandle(myGeoIdx));
    GU_Detail *gdp = lock.getGdp();
    if (!gdp || !option)
        return;
    const int index = uvTextureAttribute(*gdp, vertex);
    if (index >= 0)
        uvBackFaceDrawer().fillDrawBackFaces(gdp, uvAttribType(vertex), index, r, !noSelection,
                                           option, visibilityRestriction());
}

void
GUI_DetailRender2D::pickRenderSingle(RE_Render *r)
{
    GUI_DetailWriteLock lock(getDetailHandle(myGeoIdx));
    GU_Detail *gdp = lock.getGdp();
    if (!gdp || !isPickingOn())
        return;
    GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    const int vertex = global.drawVertexAttrib2D() ? 1 : 0;
    const int index = uvTextureAttribute(*gdp, vertex);
    if (index < 0)
        return;

    GR_DisplayOption *primary = nullptr, *selection = nullptr;
    bool noSelection = false;
    getDisplayOptions(primary, selection, noSelection);
    const unsigned mask = global.getSelectMask();
    const bool maskApplied =
        global.applySelectMask() && !isTemplated() && !ignoreSelection() && mask != 0;
    if (maskApplied)
        applySelectionMask(primary, selection, mask);

    myVisiblePrimitives.refresh(gdp, theUVVisibleGroup, 1);
    const GU_PrimGroupClosure *restriction = visibilityRestriction();
    // Texture space is the viewport's own space: no matrix is pushed.
    if (primary)
        uvPicker().wirePick(gdp, uvAttribType(vertex), index, *r, 1.0f, !noSelection, primary,
                          restriction);
    if (selection && !noSelection)
        uvPicker().wirePick(gdp, uvAttribType(vertex), index, *r, 1.0f, true, selection,
                          restriction);

    if (maskApplied)
        restoreSelectionMask(primary, selection, mask);
}

int
GUI_DetailRender2D::getBoundingBox(UT_BoundingBox &box, const char *attrib_name,
                                   int vertex) const
{
    return boundEachHandle(myGeoIdx, box, [&](UT_BoundingBox &one) {
        return getBoundingBoxSingle(one, attrib_name, vertex) != 0;
    });
}

int
GUI_DetailRender2D::getBoundingBoxSingle(UT_BoundingBox &box, const char *attrib_name,
                                         int vertex) const
{
    const bool include = isGuide() ? GUI_DetailLook::globalDispOption().showGuides()
                                   : isDisplayOn() != 0;
    GUI_DetailReadLock lock(getDetailHandle(myGeoIdx));
    const GU_Detail *gdp = lock.getGdp();
    if (!gdp || !include || !attrib_name)
        return 0;
    myVisiblePrimitives.refresh(gdp, theUVVisibleGroup, 1);
    const GB_PrimitiveGroup *group = myVisiblePrimitives.getGroup();
    if (!group)
        return vertex ? gdp->getVertexAttribBBox(attrib_name, &box)
                      : gdp->getPointAttribBBox(attrib_name, &box);
    return vertex ? gdp->getVertexAttribBBox(attrib_name, &box, *group)
                  : gdp->getPointAttribBBox(attrib_name, &box, *group);
}
