#ifndef GUI_DetailLook_h
#define GUI_DetailLook_h

#include "host/UT/SYS_Visibility.h"

#include "detail/GUI_DetailLookFlags.h"
#include "host/GU/GU_DetailHandle.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_BoundingSphere.h"
#include "host/UT/UT_Color.h"
#include "host/UT/UT_IntArray.h"
#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_String.h"
#include "host/UT/UT_Vector3.h"

#include <cstdint>
#include <memory>

class GR_DisplayOption;
class GUI_DetailRender;
class GUI_DetailRender2D;
class GUI_DetailRender3D;
class GUI_DisplayOption;
class OP_Node;
class RE_Light;
class RE_Render;
class SIM_Data;
class SIM_RootData;
class UT_Matrix3;

// One object as the viewports show it: its geometry handle, the nodes it
// stands for, its state flags and wire colour, and the two renderers that
// draw it (3D for scene viewports, 2D for texture-space viewports). The
// look decides which display option records apply to the object and
// forwards drawing and picking to its renderers.
//
// A copy shares the renderers of its source. The renderers are deleted
// with the last look that shares them; when the look they point back to
// goes away first, they are pointed at one of the looks still sharing them.
class VANTREL_API GUI_DetailLook
{
public:
    explicit GUI_DetailLook(GU_DetailHandle *handle = nullptr);
    GUI_DetailLook(const GUI_DetailLook &src);
    GUI_DetailLook &operator=(const GUI_DetailLook &src);
    virtual ~GUI_DetailLook();

    virtual const char *className() const { return "GUI_DetailLook"; }
    virtual void render(RE_Render *r, short x, short y, short w, short h,
                        void *data);
    virtual void pickRender(RE_Render *r, short x, short y, short w, short h,
                            void *data);
    virtual bool isPickable() const;
    virtual bool isVisible(const GUI_DisplayOption &options) const;
    virtual int getNumDetailHandles() const;
    // A copy of handle i; an empty handle for any i but 0.
    virtual GU_DetailHandle getDetailHandle(int i);
    // The object transform for handle 0; identity for any other i.
    virtual const UT_Matrix4 &getDetailXform(int i) const;
    virtual void appendDOPDataName(UT_String &path, int i, bool descriptive) const;
    virtual const SIM_Data *getDOPData(int i) const;
    virtual const SIM_RootData *getDOPRootData(int i) const;
    virtual bool getIsDetailTempSelected(int i) const;
    // The path of the node that handle i shows ("" when i is out of range
    // or the look has no node).
    virtual void getDetailPath(UT_String &path, int i) const;
    virtual void getDetailDescriptivePath(UT_String &path, int i) const;
    virtual int isGuide() const;

    // Geometry and nodes -----------------------------------------------------
    // Stores h and returns 1 when it differs from the held handle; 0 and
    // nothing changes otherwise.
    int setDetailHandle(GU_DetailHandle h);
    OP_Node *getObject() const { return myObject; }
    void setObject(OP_Node *node) { myObject = node; }
    OP_Node *getSop() const { return mySop; }
    void setSop(OP_Node *node) { mySop = node; }
    // Where material paths are resolved from: the object node, else the
    // network containing the geometry node, else null.
    OP_Node *getShopsRelativeTo() const;
    // Tells the geometry node that its component selection changed.
    void signalNodeSelectionChanged(int unused = 0) const;

    // Renderers and transform ---------------------------------------------
    GUI_DetailRender3D *getRender3D() const { return myRender3D; }
    GUI_DetailRender2D *getRender2D() const { return myRender2D; }
    void pickRenderSimple(RE_Render *r, short x, short y, short w, short h,
                          void *data);
    int getBoundingBox3D(UT_BoundingBox &box, const UT_Matrix3 *rot) const;
    int getBoundingBox2D(UT_BoundingBox &box, const char *attrib_name,
                         int vertex) const;
    const UT_Matrix4 &getXform() const;
    bool setXform(const UT_Matrix4 &xform) const;
    void setLightArray(RE_Light *const *lights, int count);
    void setPivot(const UT_Vector3 &pivot);
    void setAllowShadingOpenCurves(bool on);
    void setDisplayAsSubdiv(bool on);

    // Flags ----------------------------------------------------------------
    const GUI_DetailLookFlags &getFlags() const { return myFlags; }
    int getShowAxes() const { return myFlags.getShowAxes(); }
    void setShowAxes(int on) { myFlags.setShowAxes(on); }
    int isRenderOn() const { return myFlags.isRenderOn(); }
    void setRender(int on) { myFlags.setRender(on); }
    int isPickingOn() const { return myFlags.isPickingOn(); }
    void setPicking(int on) { myFlags.setPicking(on); }
    int isDisplayOn() const { return myFlags.isDisplayOn(); }
    void setDisplay(int on) { myFlags.setDisplay(on); }
    void setDisplaySavingPrevValue(int on) { myFlags.setDisplaySavingPrevValue(on); }
    void resetDisplayUsingSavedValue() { myFlags.resetDisplayUsingSavedValue(); }
    int isTemplated() const { return myFlags.isTemplated(); }
    void setTemplate(int on) { myFlags.setTemplate(on); }
    int isFootprinted() const { return myFlags.isFootprinted(); }
    void setFootprint(int on) { myFlags.setFootprint(on); }
    int isXray() const { return myFlags.isXray(); }
    void setXray(int on) { myFlags.setXray(on); }
    int isTargetOutput() const { return myFlags.isTargetOutput(); }
    void setTargetOutput(int on) { myFlags.setTargetOutput(on); }
    int isCurrentOutput() const { return myFlags.isCurrentOutput(); }
    int useWireColor() const { return myFlags.useWireColor(); }
    int drawLit() const { return myFlags.drawLit(); }
    void setDrawLit(int on) { myFlags.setDrawLit(on); }
    int ignoreSelection() const { return myFlags.ignoreSelection(); }
    int isSnappable() const { return myFlags.isSnappable(); }
    void setSnappable(int on) { myFlags.setSnappable(on); }
    int isSecondarySelection() const { return myFlags.isSecondarySelection(); }
    int isObjSelection() const { return myFlags.isObjSelection(); }
    int isObjCurrent() const { return myFlags.isObjCurrent(); }
    int isObjSelectionHint() const { return myFlags.isObjSelectionHint(); }
    int isObjGhost() const { return myFlags.isObjGhost(); }
    int isWireframeOnly() const { return myFlags.isWireframeOnly(); }
    void setWireframeOnly(int on) { myFlags.setWireframeOnly(on); }

    // Setters that change how the object is drawn drop the renderers'
    // cached drawing when the value changes.
    const UT_Color &getWireColor() const { return myWireColor; }
    void setWireColor(const UT_Color &color, bool invalidate = true);
    void setUseWireColor(int on, bool invalidate = true);
    void setCurrentOutput(int on, bool invalidate = true);
    void setIgnoreSelection(int on, bool invalidate = true);
    void setSecondarySelection(int on);
    void setObjSelection(int on);
    void setObjCurrent(int on);
    void setObjSelectionHint(int on);
    void setObjGhost(int on);

    // Other state -------------------------------------------------------------
    unsigned getViewportMask() const { return myViewportMask; }
    void setViewportMask(unsigned mask) { myViewportMask = mask; }
    // Entry i of the selection list instances, growing the list with -1
    // entries as needed.
    int &selectionListInstance(int i);
    // Entry i, or -1 past the end, without growing the list: what drawing
    // reads for each handle.
    int getSelectionListInstance(int i) const
    {
        return i >= 0 && i < mySelectionListInstances.entries() ? mySelectionListInstances(i) : -1;
    }
    void setEnableDOPDisplay(bool on) { myEnableDOPDisplay = on; }
    bool getEnableDOPDisplay() const { return myEnableDOPDisplay; }
    void setIsChosenDopnet(bool on) { myIsChosenDopnet = on; }
    bool getIsChosenDopnet() const { return myIsChosenDopnet; }

    // The option records to draw with, chosen from the flags and the
    // library-wide option set: primary for the whole object, selection for
    // its selected components (null when none), and whether the object's
    // selection is left out.
    void getDisplayOptions(GR_DisplayOption *&primary,
                           GR_DisplayOption *&selection,
                           bool &no_selection) const;

    // Library-wide state ------------------------------------------------------
    static GUI_DisplayOption &globalDispOption();
    static void setGlobalDispOption(const GUI_DisplayOption &options);
    static void setGlobalChosenDopnet(OP_Node *net);
    // Null when no network is chosen.
    static const char *getGlobalChosenDopnetPath();
    static void setPickDisplayListUsedFlag(bool used);
    static bool getPickDisplayListUsedFlag();

protected:
    // For derived looks: a non-null renderer is taken and owned instead of
    // a new one.
    GUI_DetailLook(GUI_DetailRender3D *r3d, GUI_DetailRender2D *r2d,
                   GU_DetailHandle *handle);

private:
    friend class GUI_DetailRender;
    friend class GUI_DetailRender2D;
    friend class GUI_DetailRender3D;

    // The renderers and the looks sharing them.
    struct RenderShare;

    void joinShare(const std::shared_ptr<RenderShare> &share);
    void leaveShare();
    void dropCaches(bool drop_2d, bool main_render_for_3d);
    // The path of the node handle i shows, with the derived look's name for
    // its simulation data (descriptive or not) appended.
    void writeDetailPath(UT_String &path, int i, bool descriptive) const;

    using FlagGetter = int (GUI_DetailLookFlags::*)() const;
    using FlagSetter = void (GUI_DetailLookFlags::*)(int);
    // Stores a bit that changes how the object is drawn; with invalidate,
    // a change first drops both renderers' caches (the 3D one through the
    // main render context when main_render_for_3d).
    void setDrawingBit(FlagGetter get, FlagSetter set, int on, bool invalidate,
                       bool main_render_for_3d);
    // Stores an object-state bit only when it changes, dropping the 3D
    // renderer's cache first.
    void setObjectStateBit(FlagGetter get, FlagSetter set, int on);
    static void ensureGlobalDispOptionExists();

    GUI_DetailLookFlags myFlags;
    GU_DetailHandle myDetailHandle;
    UT_BoundingBox myBBox;
    UT_BoundingSphere myBSphere;
    UT_Color myWireColor{UT_RGB, 1.0f, 1.0f, 1.0f};
    OP_Node *myObject = nullptr;
    OP_Node *mySop = nullptr;
    GUI_DetailRender3D *myRender3D = nullptr;
    GUI_DetailRender2D *myRender2D = nullptr;
    uint32_t myViewportMask = 0xFFFFFFFF;
    UT_IntArray mySelectionListInstances;
    bool myEnableDOPDisplay = true;
    bool myIsChosenDopnet = false;
    std::shared_ptr<RenderShare> myRenderShare;

    static GUI_DisplayOption *ourGlobalOption;
    static UT_String ourChosenDopnetPath;
    static bool ourPickDisplayListUsedFlag;
};

#endif
