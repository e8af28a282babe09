// Picking, bounds, the object's axes and its name label.

#include "detail/GUI_DetailRender3D.h"

#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailReadLock.h"
#include "detail/GUI_DetailWriteLock.h"
#include "host/GR/GR_Detail.h"
#include "host/GU/GU_Detail.h"
#include "host/OP/OP_Node.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Color.h"
#include "host/UT/UT_Matrix3.h"
#include "host/UT/UT_String.h"

#include <memory>

namespace
{
// The library's picker, made on first use and destroyed at exit.
GR_Detail &
picker()
{
    static const std::unique_ptr<GR_Detail> thePicker(new GR_Detail);
    return *thePicker;
}

// Axes and labels are drawn in a dark red.
const UT_Color theLabelColor(UT_RGB, 0.8f, 0.0f, 0.0f);

// Axes are an eighth of the object's largest side, but never so short
// that they vanish into a small object.
const float theAxisFraction = 0.125f;
const float theMinAxisLength = 0.5f;

// Text over whatever is drawn: a label at the centre of a solid object
// would otherwise be hidden inside it.
class TextOverDepth
{
public:
    explicit TextOverDepth(RE_Render *r) : myRender(r), myWasOn(r->isZbuffer())
    {
        if (myWasOn)
            myRender->enableZbuffer(0);
    }
    ~TextOverDepth()
    {
        if (myWasOn)
            myRender->enableZbuffer(1);
    }
    TextOverDepth(const TextOverDepth &) = delete;
    TextOverDepth &operator=(const TextOverDepth &) = delete;

private:
    RE_Render *myRender;
    int myWasOn;
};
} // namespace

void
GUI_DetailRender3D::pickRender(RE_Render *r, short, short, short, short, void *)
{
    if (r)
        pickEachHandle(*r, myGeoIdx, [&] { pickRenderSingle(r); });
}

void
GUI_DetailRender3D::pickRenderSimple(RE_Render *r, short, short, short, short,
                                     void *)
{
    if (!r || !getDetailLook())
        return;
    prepareObjectCache(r);
    drawEachHandle(r, myGeoIdx, true, [&] { renderSingle(r); });
}

void
GUI_DetailRender3D::pickRenderSingle(RE_Render *r)
{
    GUI_DetailWriteLock lock(getDetailHandle(myGeoIdx));
    GU_Detail *gdp = lock.getGdp();
    if (!gdp || !isPickingOn())
        return;
    if (belongsToChosenDopnet(*gdp))
        return;
    myHiddenGeometry.refresh(gdp, "3d_hidden_primitives", 0);

    GR_DisplayOption *primary = nullptr;
    GR_DisplayOption *selection = nullptr;
    bool noSelection = false;
    getDisplayOptions(primary, selection, noSelection);

    GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
    const unsigned mask = global.getSelectMask();
    const bool applyMask = global.applySelectMask() && !isTemplated() &&
                           !ignoreSelection() && mask != 0;
    if (applyMask)
        applySelectionMask(primary, selection, mask);

    r->pushMatrix();
    r->multiplyMatrix(getDetailXform(myGeoIdx));
    const float lod = global.common().getLOD();
    auto pickWith = [&](const GR_DisplayOption *option) {
        if (option->drawCategory() == GR_DRAW_WIRE)
        {
            picker().wirePick(gdp, *r, lod, !noSelection, hiddenGeometry(), option);
            return;
        }
        r->interpMode(1);
        picker().shadedPick(gdp, *r, lod, !noSelection, hiddenGeometry(), option);
        r->interpMode(0);
    };
    if (primary)
        pickWith(primary);
    if (selection && !noSelection)
        pickWith(selection);
    r->popMatrix();

    if (applyMask)
        restoreSelectionMask(primary, selection, mask);
}

int
GUI_DetailRender3D::getBoundingBox(UT_BoundingBox &box, const UT_Matrix3 *rot) const
{
    return boundEachHandle(myGeoIdx, box, [&](UT_BoundingBox &one) {
        return getBoundingBoxSingle(one, rot) != 0;
    });
}

int
GUI_DetailRender3D::getBoundingBoxSingle(UT_BoundingBox &box, const UT_Matrix3 *rot) const
{
    const bool include = isGuide() ? GUI_DetailLook::globalDispOption().showGuides()
                                   : isDisplayOn() != 0;
    GUI_DetailReadLock lock(getDetailHandle(myGeoIdx));
    const GU_Detail *gdp = lock.getGdp();
    if (!gdp || !include)
        return 0;
    UT_Matrix4 xform = getDetailXform(myGeoIdx);
    if (rot)
        xform = xform * UT_Matrix4(*rot);
    myHiddenGeometry.refresh(gdp, "3d_hidden_primitives", 0);
    return gdp->getBBox(box, xform, nullptr, hiddenGeometry(), true) ? 1 : 0;
}

void
GUI_DetailRender3D::renderAxes(RE_Render *r)
{
    UT_BoundingBox box;
    const int drawn = myGeoIdx;
    const bool hasBox = getBoundingBox(box, nullptr) != 0;
    myGeoIdx = drawn;
    float size = hasBox ? box.sizeMax() * theAxisFraction : 0.0f;
    if (!(size >= theMinAxisLength))
        size = theMinAxisLength;

    r->pushColor();
    r->setColor(theLabelColor, 1.0f);
    r->setFont(RE_Render::getViewportFont());
    static const char theNames[3] = {'X', 'Y', 'Z'};
    for (int axis = 0; axis < 3; ++axis)
    {
        float end[3] = {0.0f, 0.0f, 0.0f};
        end[axis] = size;
        r->beginLine();
        r->v3DW(0.0f, 0.0f, 0.0f);
        r->v3DW(end);
        r->endLine();
        r->textMove3W(end[0], end[1], end[2]);
        TextOverDepth over(r);
        r->putChar(theNames[axis]);
    }
    r->popColor();
}

void
GUI_DetailRender3D::renderObjectName(RE_Render *r, GU_Detail *gdp, bool fullNames)
{
    OP_Node *object = getObject();
    if (!object || !gdp)
        return;
    UT_BoundingBox box;
    const bool hasBox = gdp->getBBox(&box, nullptr, nullptr, true) != 0;

    r->pushColor();
    r->setColor(theLabelColor, 1.0f);
    UT_String name;
    if (fullNames)
        object->getFullPath(name);
    else
        name = object->getName();
    getDetailLook()->appendDOPDataName(name, myGeoIdx, true);
    r->setFont(RE_Render::getViewportFont());
    if (hasBox)
        r->textMove3W(box.center());
    else
        r->textMove3W(0.0f, 0.0f, 0.0f);
    {
        TextOverDepth over(r);
        r->putString(name.c_str());
    }
    r->popColor();
}

void
GUI_DetailRender3D::renderPivotLabel(RE_Render *r)
{
    r->pushColor();
    r->setColor(UT_Color::getConstantColor(3), 1.0f);
    r->textMove3W(myPivot);
    TextOverDepth over(r);
    r->putString(".P");
    r->popColor();
}
