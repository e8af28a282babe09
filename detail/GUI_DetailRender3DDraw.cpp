// Drawing one geometry with the options the render road chose: wire
// colour, highlight, wireframe-only, ghosting, the drawing itself, the
// component selection over it, and undoing every temporary change.

#include "detail/GUI_DetailRender3D.h"

#include "detail/GUI_DetailLook.h"
#include "host/GR/GR_Detail.h"
#include "host/GU/GU_Detail.h"
#include "host/OP/OP_Node.h"
#include "host/RE/RE_Material.h"
#include "host/RE/RE_Render.h"
#include "host/UI/UI_Manager.h"

#include <memory>

namespace
{
// The library's drawers: one each for wire, bounding boxes and shaded
// drawing, made on first use and destroyed at exit.
GR_Detail &
wireDrawer()
{
    static const std::unique_ptr<GR_Detail> theDrawer(new GR_Detail);
    return *theDrawer;
}

GR_Detail &
boxDrawer()
{
    static const std::unique_ptr<GR_Detail> theDrawer(new GR_Detail);
    return *theDrawer;
}

GR_Detail &
shadedDrawer()
{
    static const std::unique_ptr<GR_Detail> theDrawer(new GR_Detail);
    return *theDrawer;
}

// The toolkit's current time, which animated shading reads.
float
toolkitTime()
{
    static UI_Value *theTime = UI_Manager::getManager()->getValueSymbol("TIME", 0);
    return theTime ? float(*theTime) : 0.0f;
}

// What the highlight of step "highlight" changed, so it can be undone by
// the same test.
enum HighlightKind
{
    HIGHLIGHT_NONE,
    HIGHLIGHT_SECONDARY,
    HIGHLIGHT_SELECTED,
    HIGHLIGHT_HINT
};

const float theHighlightWidth = 2.0f;
} // namespace

int
GUI_DetailRender3D::drawLit() const
{
    const int lit = getDetailLook()->drawLit();
    if (!myMaterial)
        return lit;
    return lit && myMaterial->isLit();
}

int
GUI_DetailRender3D::getNonSelShadingMode() const
{
    GR_DisplayOption *primary = nullptr;
    GR_DisplayOption *selection = nullptr;
    bool noSelection = false;
    getDisplayOptions(primary, selection, noSelection);
    return primary ? int(primary->drawCategory()) : 0;
}

bool
GUI_DetailRender3D::getIsFullySelectedDetail() const
{
    const GUI_DetailLook *look = getDetailLook();
    return look->isObjSelection() || look->getIsDetailTempSelected(myGeoIdx);
}

void
GUI_DetailRender3D::setWireColor(const GR_DisplayOption *option)
{
    GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    GR_CommonDispOption &common = global.common();
    if (useWireColor())
        common.wireColor() = getWireColor();
    else if ((global.isClipOutPass() || isTemplated()) && (!option || option->ghosted()))
        common.wireColor() = common.templateWireColor();
    else
        common.wireColor() = common.defaultWireColor();
}

void
GUI_DetailRender3D::setupShadedDraw(RE_Render &r)
{
    r.interpMode(1);
    if (drawLit())
        r.toggleLighting(1);
}

void
GUI_DetailRender3D::cleanupShadedDraw(RE_Render &r)
{
    if (drawLit())
        r.toggleLighting(0);
    r.interpMode(0);
}

void
GUI_DetailRender3D::draw(RE_Render &r, float lod, GU_Detail *gdp,
                         GR_DisplayOption *selection, GR_DisplayOption *primary,
                         bool noSelection)
{
    if (!gdp)
        return;
    myHiddenGeometry.refresh(gdp, "3d_hidden_primitives", 0);
    // With non-selected objects hidden a normal object has no record of
    // its own: it is left out.
    if (!primary)
        return;

    const GUI_DetailLook *look = getDetailLook();
    GR_CommonDispOption &common = GUI_DetailLook::globalDispOption().common();
    const GR_HighQualityPass pass = getGlobalHighQualityPass();

    const UT_Color savedWire = common.wireColor();
    setWireColor(primary);

    const bool savedHighlightWire = common.getDrawStateBit(GR_DRAWSTATE_HIGHLIGHT_WIRE);
    const bool savedHighlight = primary->highlighted();
    const float savedWidth = common.getWireWidth();
    const GR_ShadingMode savedMode = primary->shadingMode();
    const bool savedGhost = primary->ghosted();

    // Highlight by the object's state, first match.
    HighlightKind highlight = HIGHLIGHT_NONE;
    if (look->isSecondarySelection())
    {
        highlight = HIGHLIGHT_SECONDARY;
        if (primary->isShaded())
            primary->highlighted(true);
        common.setWireWidth(theHighlightWidth);
        r.pushLineStyle(RE_LINE_DASHED);
    }
    else if (look->isObjSelection() || look->getIsDetailTempSelected(myGeoIdx))
    {
        highlight = HIGHLIGHT_SELECTED;
        common.wireColor() = look->isObjCurrent() ? common.currentObjectColor()
                                                  : common.selectedWireColor();
        common.setDrawStateBit(GR_DRAWSTATE_HIGHLIGHT_WIRE, true);
        common.setWireWidth(theHighlightWidth);
        if (primary->isShaded())
            primary->highlighted(true);
    }
    else if (look->isObjSelectionHint())
    {
        highlight = HIGHLIGHT_HINT;
        common.wireColor() = common.selectionHintColor();
        common.setDrawStateBit(GR_DRAWSTATE_HIGHLIGHT_WIRE, true);
        if (primary->isShaded())
            primary->highlighted(true);
        common.setWireWidth(theHighlightWidth);
        r.pushLineStyle(RE_LINE_DASHED);
    }

    if (look->isWireframeOnly())
        primary->shadingMode(primary->boundingBox() ? GR_SHADE_BOX_WIRE : GR_SHADE_WIRE);

    // Ghosting: through fog toward the background where fog coordinates
    // exist, else in the ghost colours.
    const bool ghost = look->isObjGhost() != 0;
    bool fogged = false;
    UT_Color savedGhostShading;
    if (ghost && pass == GR_HQ_NONE)
    {
        if (r.hasGLExtension(RE_EXT_FOG_COORD))
        {
            fogged = true;
            float red, green, blue;
            common.backgroundColor().getRGB(&red, &green, &blue);
            r.enableFog(RE_FOG_LINEAR, 0.0f, 1.0f, 10.0f, UT_Vector3(red, green, blue), 0.0f);
            r.useFogCoord(true);
            r.fogCoord(7.0f);
        }
        else
        {
            savedGhostShading = common.ghostShadingColor();
            const bool keepWire = getIsFullySelectedDetail() || look->isObjSelectionHint();
            if (primary->isShaded())
            {
                if (!keepWire)
                    common.wireColor().setRGB(1.0f, 0.93f, 0.48f);
                common.ghostShadingColor().setRGB(0.92f, 0.87f, 0.59f);
                primary->shadingMode(GR_SHADE_FLAT);
            }
            else if (!keepWire)
                common.wireColor() = common.templateWireColor();
            primary->ghosted(true);
        }
    }
    else if (ghost && (pass == GR_HQ_PASS_1 || pass == GR_HQ_PASS_5))
        r.setSFunction(RE_CMP_ALWAYS, 1, 1);

    // The object, then its selected components over it.
    int category = primary->drawCategory();
    if (category == GR_DRAW_SHADED)
        setupShadedDraw(r);
    drawWithOption(r, lod, gdp, primary, noSelection);

    if (selection && !noSelection && haveSelectionToDraw(*gdp, *selection))
    {
        const int selCategory = selection->drawCategory();
        if (category != GR_DRAW_NOTHING && category != selCategory)
        {
            if (category == GR_DRAW_SHADED)
                cleanupShadedDraw(r);
            if (selCategory == GR_DRAW_SHADED)
                setupShadedDraw(r);
            category = selCategory;
        }
        drawWithOption(r, lod, gdp, selection, false);
    }
    if (category == GR_DRAW_SHADED)
        cleanupShadedDraw(r);

    // Undo, in reverse.
    common.wireColor() = savedWire;
    switch (highlight)
    {
    case HIGHLIGHT_SECONDARY:
        primary->highlighted(savedHighlight);
        common.setWireWidth(savedWidth);
        r.popLineStyle();
        break;
    case HIGHLIGHT_SELECTED:
    case HIGHLIGHT_HINT:
        common.setDrawStateBit(GR_DRAWSTATE_HIGHLIGHT_WIRE, savedHighlightWire);
        common.setWireWidth(savedWidth);
        primary->highlighted(savedHighlight);
        if (highlight == HIGHLIGHT_HINT)
            r.popLineStyle();
        break;
    case HIGHLIGHT_NONE:
        break;
    }
    if (look->isWireframeOnly())
        primary->shadingMode(savedMode);
    if (ghost && pass == GR_HQ_NONE)
    {
        if (fogged)
        {
            r.disableFog();
            r.useFogCoord(false);
        }
        else
        {
            primary->shadingMode(savedMode);
            primary->ghosted(savedGhost);
            common.ghostShadingColor() = savedGhostShading;
        }
    }
    else if (ghost && (pass == GR_HQ_PASS_1 || pass == GR_HQ_PASS_5))
        r.setSFunction(RE_CMP_ALWAYS, 0, 1);
}

// One record's drawing: its box, its shaded polygons or its wire.
void
GUI_DetailRender3D::drawWithOption(RE_Render &r, float lod, GU_Detail *gdp,
                                   const GR_DisplayOption *option, bool noSelection)
{
    if (option->boundingBox())
        drawBoundBox(r, gdp, option, noSelection);
    else if (option->drawCategory() == GR_DRAW_SHADED)
        drawShaded(r, lod, gdp, option, noSelection);
    else
        drawWireFrame(r, lod, gdp, option, noSelection);
}

void
GUI_DetailRender3D::drawWireFrame(RE_Render &r, float lod, GU_Detail *gdp,
                                  const GR_DisplayOption *option, bool noSelection)
{
    OP_Node *node = nullptr;
    if (option)
        node = getObject();
    else if (OP_Node *sop = getSop())
        node = sop->getCreator();
    wireDrawer().wireDraw(gdp, r, lod, !noSelection, hiddenGeometry(), option,
                          !(option && option->ghosted()), node);
}

void
GUI_DetailRender3D::drawBoundBox(RE_Render &r, GU_Detail *gdp,
                                 const GR_DisplayOption *option, bool noSelection)
{
    if (option)
        boxDrawer().boundBoxDraw(gdp, r, !noSelection, hiddenGeometry(), option);
}

void
GUI_DetailRender3D::drawDepthOnly(RE_Render &r, float lod, GU_Detail *gdp,
                                  RE_Material *material, const GR_DisplayOption *option)
{
    const GR_CommonDispOption &common = GUI_DetailLook::globalDispOption().common();
    const bool wasOffset = r.isPolygonOffset() != 0;
    float factor, units;
    r.getOffsetAmount(factor, units);
    r.polygonOffset(1);
    const bool extra = option->highlighted();
    r.setOffsetAmount(common.getOffsetAmount(0) + (extra ? common.getHighlightOffset(0) : 0.0f),
                      common.getOffsetAmount(1) + (extra ? common.getHighlightOffset(1) : 0.0f));
    r.disableColorBufferWriting();
    shadedDrawer().shadedSimpleDraw(gdp, r, lod, material, option, hiddenGeometry());
    r.enableColorBufferWriting();
    r.polygonOffset(wasOffset ? 1 : 0);
    r.setOffsetAmount(factor, units);
}

void
GUI_DetailRender3D::drawShaded(RE_Render &r, float lod, GU_Detail *gdp,
                               const GR_DisplayOption *option, bool noSelection)
{
    if (!option)
        return;
    RE_Material *material = option->ghosted() ? nullptr : myMaterial;
    if (getGlobalHighQualityPass() == GR_HQ_DEPTH)
    {
        drawDepthOnly(r, lod, gdp, material, option);
        return;
    }
    if (!gdp)
        return;
    const float time = toolkitTime();
    const bool useGhost = !option->ghosted();
    GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    const UT_Matrix4 &objectXform = getDetailXform(myGeoIdx);

    int result;
    if (option->useShaders())
        result = shadedDrawer().qelShadedDraw(
            gdp, r, lod, material, myDisplace, myLights, myNumLights, !noSelection,
            myMaterialXform, objectXform, hiddenGeometry(), option, time, nullptr,
            useGhost, getShopsRelativeTo());
    else if (global.drawMultiTexture() && gdp->getNumLayers() > 1)
        result = drawLayers(r, lod, gdp, material, option, noSelection, time, objectXform);
    else
        result = shadedDrawer().shadedDraw(gdp, r, lod, material, !noSelection,
                                           hiddenGeometry(), option, time, myMaterialXform,
                                           objectXform, drawLit(), useGhost,
                                           getShopsRelativeTo());

    if (!global.common().getDrawStateBit(GR_DRAWSTATE_SECOND_PASS) && result)
        myFlags.needsSecondPass(true);
}

// Texture layers drawn one over the other, each merged as the geometry
// says. The depth test passes equal depths so later layers land on the
// first.
int
GUI_DetailRender3D::drawLayers(RE_Render &r, float lod, GU_Detail *gdp,
                               RE_Material *material, const GR_DisplayOption *option,
                               bool noSelection, float time, const UT_Matrix4 &xform)
{
    GR_CommonDispOption &common = GUI_DetailLook::globalDispOption().common();
    const bool blendWasOff = !r.isBlending();
    r.setZFunction(RE_CMP_LEQUAL);
    RE_BlendSourceFactor savedSrc;
    RE_BlendDestFactor savedDst;
    r.getBlendFunction(savedSrc, savedDst);
    const int savedLayer = gdp->getCurrentLayer();

    auto drawLayer = [&]() {
        return shadedDrawer().shadedDraw(gdp, r, lod, material, !noSelection,
                                         hiddenGeometry(), option, time, myMaterialXform,
                                         xform, drawLit(), !option->ghosted(),
                                         getShopsRelativeTo());
    };
    for (int layer = 1; layer <= gdp->getNumLayers(); ++layer)
    {
        gdp->setCurrentLayer(layer);
        int clear, mask, src, dst;
        gdp->getLayerMerge(clear, mask, src, dst);
        r.setColorMask(mask & 1, mask & 2, mask & 4, mask & 8);
        if (clear)
            r.clear();
        r.setBlendFunction(RE_BlendSourceFactor(src), RE_BlendDestFactor(dst));
        if (layer == 2 && blendWasOff)
            r.blend(1);
        if (drawLayer())
        {
            common.setDrawStateBit(GR_DRAWSTATE_SECOND_PASS, true);
            drawLayer();
            common.setDrawStateBit(GR_DRAWSTATE_SECOND_PASS, false);
        }
    }
    gdp->setCurrentLayer(savedLayer);
    r.setBlendFunction(savedSrc, savedDst);
    if (blendWasOff)
        r.blend(0);
    r.setColorMask(true, true, true, true);
    return 0;
}
