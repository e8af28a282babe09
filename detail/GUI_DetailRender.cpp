#include "detail/GUI_DetailRender.h"

#include "detail/GUI_DetailLook.h"
#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_BoundingBox.h"

int GUI_DetailRender::getShowAxes() const { return myLook->getShowAxes(); }
int GUI_DetailRender::isRenderOn() const { return myLook->isRenderOn(); }
int GUI_DetailRender::isPickingOn() const { return myLook->isPickingOn(); }
int GUI_DetailRender::isDisplayOn() const { return myLook->isDisplayOn(); }
int GUI_DetailRender::isTemplated() const { return myLook->isTemplated(); }
int GUI_DetailRender::isFootprinted() const { return myLook->isFootprinted(); }
int GUI_DetailRender::isTargetOutput() const { return myLook->isTargetOutput(); }
int GUI_DetailRender::isCurrentOutput() const { return myLook->isCurrentOutput(); }
int GUI_DetailRender::useWireColor() const { return myLook->useWireColor(); }
int GUI_DetailRender::ignoreSelection() const { return myLook->ignoreSelection(); }

int
GUI_DetailRender::isGuide() const
{
    return myLook->isGuide();
}

bool
GUI_DetailRender::isVisible(const GUI_DisplayOption &options) const
{
    return myLook->isVisible(options);
}

GU_DetailHandle
GUI_DetailRender::getDetailHandle(int i) const
{
    return myLook->getDetailHandle(i);
}

const UT_Matrix4 &
GUI_DetailRender::getDetailXform(int i) const
{
    return myLook->getDetailXform(i);
}

const UT_Color &
GUI_DetailRender::getWireColor() const
{
    return myLook->getWireColor();
}

OP_Node *
GUI_DetailRender::getObject() const
{
    return myLook->getObject();
}

OP_Node *
GUI_DetailRender::getSop() const
{
    return myLook->getSop();
}

OP_Node *
GUI_DetailRender::getShopsRelativeTo() const
{
    return myLook->getShopsRelativeTo();
}

void
GUI_DetailRender::getDisplayOptions(GR_DisplayOption *&primary,
                                    GR_DisplayOption *&selection,
                                    bool &no_selection) const
{
    myLook->getDisplayOptions(primary, selection, no_selection);
}

bool
GUI_DetailRender::haveSelectionToDraw(const GU_Detail &gdp,
                                      const GR_DisplayOption &opt) const
{
    const GR_CommonDispOption *common = opt.common();
    if (!common || !common->getOption(GR_COMMON_ALWAYS_SHOW_SELECTION))
        return gdp.getSelection() != nullptr;

    const GU_SelectionList &list =
        gdp.getSelectionList(common->getSelectionInstance());
    for (int i = 0; i < list.entries(); ++i)
        if (list(i))
            return true;
    return false;
}

RE_Render *
GUI_DetailRender::cacheReleaseContext(RE_Render *r)
{
    if (!r)
    {
        if (!RE_Render::isMainRenderInitialized())
            return nullptr;
        r = RE_Render::getMainRender();
    }
    return r && r->hasNativeContext() ? r : nullptr;
}

void
GUI_DetailRender::forEachHandle(int &handle, const std::function<void(int)> &one) const
{
    if (!myLook)
        return;
    const int n = myLook->getNumDetailHandles();
    for (int i = 0; i < n; ++i)
    {
        handle = i;
        one(i);
    }
    handle = -1;
}

void
GUI_DetailRender::pickEachHandle(RE_Render &r, int &handle,
                                 const std::function<void()> &pickOne) const
{
    forEachHandle(handle, [&](int i) {
        r.pushPickId(i);
        pickOne();
        r.popPickId();
    });
}

void
GUI_DetailRender::drawEachHandle(RE_Render *r, int &handle, bool pickIds,
                                 const std::function<void()> &drawOne) const
{
    if (!myLook)
        return;
    GR_CommonDispOption &common = GUI_DetailLook::globalDispOption().common();
    forEachHandle(handle, [&](int i) {
        common.setSelectionInstance(myLook->getSelectionListInstance(i));
        if (pickIds)
            r->pushPickId(i);
        drawOne();
        if (pickIds)
            r->popPickId();
    });
    common.setSelectionInstance(-1);
}

int
GUI_DetailRender::boundEachHandle(int &handle, UT_BoundingBox &box,
                                  const std::function<bool(UT_BoundingBox &)> &boundOne) const
{
    bool found = false;
    forEachHandle(handle, [&](int) {
        UT_BoundingBox one;
        if (!boundOne(one))
            return;
        if (found)
            box.enlargeBounds(one);
        else
            box = one;
        found = true;
    });
    return found ? 1 : 0;
}
