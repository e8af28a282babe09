#include "detail/GUI_DetailLook.h"

#include "detail/GUI_DetailRender2D.h"
#include "detail/GUI_DetailRender3D.h"
#include "display/GUI_DisplayOption.h"
#include "host/OP/OP_Node.h"
#include "host/RE/RE_Render.h"

#include <algorithm>
#include <vector>

GUI_DisplayOption *GUI_DetailLook::ourGlobalOption = nullptr;
UT_String GUI_DetailLook::ourChosenDopnetPath;
bool GUI_DetailLook::ourPickDisplayListUsedFlag = false;

struct GUI_DetailLook::RenderShare
{
    ~RenderShare()
    {
        delete r2d;
        delete r3d;
    }
    GUI_DetailRender3D *r3d = nullptr;
    GUI_DetailRender2D *r2d = nullptr;
    std::vector<GUI_DetailLook *> looks;
};

GUI_DetailLook::GUI_DetailLook(GU_DetailHandle *handle)
    : GUI_DetailLook(nullptr, nullptr, handle)
{
}

GUI_DetailLook::GUI_DetailLook(GUI_DetailRender3D *r3d, GUI_DetailRender2D *r2d,
                               GU_DetailHandle *handle)
{
    if (handle)
        setDetailHandle(*handle);

    auto share = std::make_shared<RenderShare>();
    share->r2d = r2d ? r2d : new GUI_DetailRender2D();
    share->r2d->setDetailLook(this);
    share->r3d = r3d ? r3d : new GUI_DetailRender3D();
    share->r3d->setDetailLook(this);
    joinShare(share);
}

GUI_DetailLook::GUI_DetailLook(const GUI_DetailLook &src)
    : myFlags(src.myFlags)
    , myDetailHandle(src.myDetailHandle)
    , myBBox(src.myBBox)
    , myBSphere(src.myBSphere)
    , myWireColor(src.myWireColor)
    , myObject(src.myObject)
    , mySop(src.mySop)
    , myViewportMask(src.myViewportMask)
    , mySelectionListInstances(src.mySelectionListInstances)
    , myEnableDOPDisplay(src.myEnableDOPDisplay)
    , myIsChosenDopnet(src.myIsChosenDopnet)
{
    joinShare(src.myRenderShare);
}

GUI_DetailLook &
GUI_DetailLook::operator=(const GUI_DetailLook &src)
{
    if (this == &src)
        return *this;
    myFlags = src.myFlags;
    myDetailHandle = src.myDetailHandle;
    myBBox = src.myBBox;
    myBSphere = src.myBSphere;
    myWireColor = src.myWireColor;
    myObject = src.myObject;
    mySop = src.mySop;
    myViewportMask = src.myViewportMask;
    mySelectionListInstances = src.mySelectionListInstances;
    myEnableDOPDisplay = src.myEnableDOPDisplay;
    myIsChosenDopnet = src.myIsChosenDopnet;
    if (myRenderShare != src.myRenderShare)
    {
        // Keep the source's share alive while ours may be torn down.
        std::shared_ptr<RenderShare> share = src.myRenderShare;
        leaveShare();
        joinShare(share);
    }
    return *this;
}

GUI_DetailLook::~GUI_DetailLook()
{
    leaveShare();
}

void
GUI_DetailLook::joinShare(const std::shared_ptr<RenderShare> &share)
{
    myRenderShare = share;
    myRender3D = share ? share->r3d : nullptr;
    myRender2D = share ? share->r2d : nullptr;
    if (share)
        share->looks.push_back(this);
}

void
GUI_DetailLook::leaveShare()
{
    if (!myRenderShare)
        return;
    std::vector<GUI_DetailLook *> &looks = myRenderShare->looks;
    looks.erase(std::remove(looks.begin(), looks.end(), this), looks.end());
    // Renderers still in use must not point back at a look that is gone.
    GUI_DetailLook *heir = looks.empty() ? nullptr : looks.front();
    if (heir)
    {
        if (myRender3D && myRender3D->getDetailLook() == this)
            myRender3D->setDetailLook(heir);
        if (myRender2D && myRender2D->getDetailLook() == this)
            myRender2D->setDetailLook(heir);
    }
    myRenderShare.reset();
    myRender3D = nullptr;
    myRender2D = nullptr;
}

void
GUI_DetailLook::render(RE_Render *r, short x, short y, short w, short h,
                       void *data)
{
    if (myRender3D)
        myRender3D->render(r, x, y, w, h, data);
}

void
GUI_DetailLook::pickRender(RE_Render *r, short x, short y, short w, short h,
                           void *data)
{
    if (myRender3D)
        myRender3D->pickRender(r, x, y, w, h, data);
}

void
GUI_DetailLook::pickRenderSimple(RE_Render *r, short x, short y, short w,
                                 short h, void *data)
{
    if (myRender3D)
        myRender3D->pickRenderSimple(r, x, y, w, h, data);
}

bool
GUI_DetailLook::isPickable() const
{
    if (!isPickingOn())
        return false;
    return !isTemplated() || isFootprinted();
}

bool
GUI_DetailLook::isVisible(const GUI_DisplayOption &options) const
{
    if (!isDisplayOn())
        return false;
    if (isCurrentOutput())
        return options.showCurrentOutput();
    if (isFootprinted())
        return options.showFootprints();
    if (isTemplated())
        return options.showTemplates();
    return (options.showDisplay() || options.isObjectLevel()) &&
           (options.showSelected() || options.showNonSelected());
}

int
GUI_DetailLook::getNumDetailHandles() const
{
    return myDetailHandle.isNull() ? 0 : 1;
}

GU_DetailHandle
GUI_DetailLook::getDetailHandle(int i)
{
    return i == 0 ? myDetailHandle : GU_DetailHandle();
}

const UT_Matrix4 &
GUI_DetailLook::getDetailXform(int i) const
{
    if (i == 0 && myRender3D)
        return myRender3D->getXform();
    return UT_Matrix4::getIdentityMatrix();
}

void
GUI_DetailLook::appendDOPDataName(UT_String &, int, bool) const
{
}

const SIM_Data *
GUI_DetailLook::getDOPData(int) const
{
    return nullptr;
}

const SIM_RootData *
GUI_DetailLook::getDOPRootData(int) const
{
    return nullptr;
}

bool
GUI_DetailLook::getIsDetailTempSelected(int) const
{
    return false;
}

void
GUI_DetailLook::getDetailPath(UT_String &path, int i) const
{
    writeDetailPath(path, i, false);
}

void
GUI_DetailLook::getDetailDescriptivePath(UT_String &path, int i) const
{
    writeDetailPath(path, i, true);
}

void
GUI_DetailLook::writeDetailPath(UT_String &path, int i, bool descriptive) const
{
    path = "";
    OP_Node *node = mySop ? mySop : myObject;
    if (i < 0 || i >= getNumDetailHandles() || !node)
        return;
    node->getFullPath(path);
    appendDOPDataName(path, i, descriptive);
}

int
GUI_DetailLook::isGuide() const
{
    return 0;
}

int
GUI_DetailLook::setDetailHandle(GU_DetailHandle h)
{
    if (!(h != myDetailHandle))
        return 0;
    myDetailHandle = h;
    return 1;
}

OP_Node *
GUI_DetailLook::getShopsRelativeTo() const
{
    if (myObject)
        return myObject;
    if (mySop)
        return mySop->getCreator();
    return nullptr;
}

void
GUI_DetailLook::signalNodeSelectionChanged(int) const
{
    if (mySop)
        mySop->handleEvent(OP_EVENT_SELECTION_CHANGED, nullptr);
}

int
GUI_DetailLook::getBoundingBox3D(UT_BoundingBox &box, const UT_Matrix3 *rot) const
{
    return myRender3D ? myRender3D->getBoundingBox(box, rot) : 0;
}

int
GUI_DetailLook::getBoundingBox2D(UT_BoundingBox &box, const char *attrib_name,
                                 int vertex) const
{
    return myRender2D ? myRender2D->getBoundingBox(box, attrib_name, vertex) : 0;
}

const UT_Matrix4 &
GUI_DetailLook::getXform() const
{
    return myRender3D ? myRender3D->getXform() : UT_Matrix4::getIdentityMatrix();
}

bool
GUI_DetailLook::setXform(const UT_Matrix4 &xform) const
{
    return myRender3D ? myRender3D->setXform(xform) : false;
}

void
GUI_DetailLook::setLightArray(RE_Light *const *lights, int count)
{
    // The renderer itself keeps no lights for a count below 1.
    if (myRender3D)
        myRender3D->setLightArray(lights, count);
}

void
GUI_DetailLook::setPivot(const UT_Vector3 &pivot)
{
    if (myRender3D)
        myRender3D->setPivot(pivot);
}

void
GUI_DetailLook::setAllowShadingOpenCurves(bool on)
{
    if (myRender3D)
        myRender3D->setAllowShadingOpenCurves(on);
}

void
GUI_DetailLook::setDisplayAsSubdiv(bool on)
{
    if (myFlags.getDisplayAsSubdiv() != int(on))
    {
        myFlags.setDisplayAsSubdiv(on);
        if (myRender3D)
            myRender3D->deleteObjectCache(RE_Render::getMainRender(), -1);
    }
    if (myRender3D)
        myRender3D->setDisplayAsSubdiv(on);
}

void
GUI_DetailLook::dropCaches(bool drop_2d, bool main_render_for_3d)
{
    if (drop_2d && myRender2D)
        myRender2D->deleteObjectCache(nullptr);
    if (myRender3D)
        myRender3D->deleteObjectCache(
            main_render_for_3d ? RE_Render::getMainRender() : nullptr, -1);
}

void
GUI_DetailLook::setWireColor(const UT_Color &color, bool invalidate)
{
    if (invalidate && !(color == myWireColor))
        dropCaches(true, false);
    myWireColor = color;
}

void
GUI_DetailLook::setDrawingBit(FlagGetter get, FlagSetter set, int on,
                              bool invalidate, bool main_render_for_3d)
{
    if (invalidate && (myFlags.*get)() != (on != 0))
        dropCaches(true, main_render_for_3d);
    (myFlags.*set)(on);
}

void
GUI_DetailLook::setObjectStateBit(FlagGetter get, FlagSetter set, int on)
{
    if ((myFlags.*get)() == (on != 0))
        return;
    dropCaches(false, true);
    (myFlags.*set)(on);
}

void
GUI_DetailLook::setUseWireColor(int on, bool invalidate)
{
    setDrawingBit(&GUI_DetailLookFlags::useWireColor,
                  &GUI_DetailLookFlags::setUseWireColor, on, invalidate, false);
}

void
GUI_DetailLook::setCurrentOutput(int on, bool invalidate)
{
    setDrawingBit(&GUI_DetailLookFlags::isCurrentOutput,
                  &GUI_DetailLookFlags::setCurrentOutput, on, invalidate, true);
}

void
GUI_DetailLook::setIgnoreSelection(int on, bool invalidate)
{
    setDrawingBit(&GUI_DetailLookFlags::ignoreSelection,
                  &GUI_DetailLookFlags::setIgnoreSelection, on, invalidate, true);
}

void
GUI_DetailLook::setSecondarySelection(int on)
{
    setObjectStateBit(&GUI_DetailLookFlags::isSecondarySelection,
                      &GUI_DetailLookFlags::setSecondarySelection, on);
}

void
GUI_DetailLook::setObjSelection(int on)
{
    setObjectStateBit(&GUI_DetailLookFlags::isObjSelection,
                      &GUI_DetailLookFlags::setObjSelection, on);
}

void
GUI_DetailLook::setObjCurrent(int on)
{
    setObjectStateBit(&GUI_DetailLookFlags::isObjCurrent,
                      &GUI_DetailLookFlags::setObjCurrent, on);
}

void
GUI_DetailLook::setObjSelectionHint(int on)
{
    setObjectStateBit(&GUI_DetailLookFlags::isObjSelectionHint,
                      &GUI_DetailLookFlags::setObjSelectionHint, on);
}

void
GUI_DetailLook::setObjGhost(int on)
{
    setObjectStateBit(&GUI_DetailLookFlags::isObjGhost,
                      &GUI_DetailLookFlags::setObjGhost, on);
}

int &
GUI_DetailLook::selectionListInstance(int i)
{
    while (mySelectionListInstances.entries() <= i)
        mySelectionListInstances.append(-1);
    return mySelectionListInstances(i);
}

void
GUI_DetailLook::getDisplayOptions(GR_DisplayOption *&primary,
                                  GR_DisplayOption *&selection,
                                  bool &no_selection) const
{
    GUI_DisplayOption &global = globalDispOption();
    bool always_show = global.common().getOption(GR_COMMON_ALWAYS_SHOW_SELECTION);
    bool ignore = ignoreSelection() != 0;
    auto record = [&](GUI_DetailType type) { return &global[type]; };

    if (isCurrentOutput())
    {
        no_selection = ignore && !always_show;
        primary = global.isClipOutPass() ? record(GUI_TEMPLATE)
                                         : record(GUI_CURRENT_NON_SELECTED);
        selection = no_selection ? nullptr : record(GUI_CURRENT_SELECTED);
    }
    else if (isFootprinted())
    {
        // A footprint ignores its selection unless the selection is always
        // shown and the object does not ignore it.
        no_selection = ignore || !always_show;
        primary = record(GUI_NON_SELECTED);
        selection = no_selection ? nullptr : record(GUI_SELECTED);
    }
    else if (isTemplated())
    {
        no_selection = true;
        primary = record(GUI_TEMPLATE);
        selection = nullptr;
    }
    else
    {
        no_selection = ignore && !always_show;
        primary = global.isClipOutPass() ? record(GUI_TEMPLATE)
                                         : record(GUI_NON_SELECTED);
        selection = no_selection ? nullptr : record(GUI_SELECTED);
    }

    if (!global.showSelected())
        selection = nullptr;
    if (!global.showNonSelected())
        primary = nullptr;
}

void
GUI_DetailLook::ensureGlobalDispOptionExists()
{
    if (!ourGlobalOption)
        ourGlobalOption = new GUI_DisplayOption();
}

GUI_DisplayOption &
GUI_DetailLook::globalDispOption()
{
    ensureGlobalDispOptionExists();
    return *ourGlobalOption;
}

void
GUI_DetailLook::setGlobalDispOption(const GUI_DisplayOption &options)
{
    ensureGlobalDispOptionExists();
    *ourGlobalOption = options;
    ourGlobalOption->refreshUserOptionVersions();
}

void
GUI_DetailLook::setGlobalChosenDopnet(OP_Node *net)
{
    if (!net)
        ourChosenDopnetPath.clear();
    else
        net->getFullPath(ourChosenDopnetPath);
}

const char *
GUI_DetailLook::getGlobalChosenDopnetPath()
{
    return ourChosenDopnetPath.nonNullOrNull();
}

void
GUI_DetailLook::setPickDisplayListUsedFlag(bool used)
{
    ourPickDisplayListUsedFlag = used;
}

bool
GUI_DetailLook::getPickDisplayListUsedFlag()
{
    return ourPickDisplayListUsedFlag;
}
