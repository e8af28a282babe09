#ifndef GUI_DetailRender_h
#define GUI_DetailRender_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GU_DetailHandle.h"

#include <functional>

class GR_DisplayOption;
class GU_Detail;
class GUI_DetailLook;
class GUI_DisplayOption;
class OP_Node;
class RE_Render;
class UT_BoundingBox;
class UT_Color;
class UT_Matrix3;
template <typename T> class UT_Matrix4T;
typedef UT_Matrix4T<float> UT_Matrix4;

// The common base of the 3D and 2D geometry renderers of a detail look.
// It answers, on behalf of the look that owns it, everything a renderer
// asks about its object. A renderer is used only once its look has
// pointed itself at it.
class VANTREL_API GUI_DetailRender
{
public:
    GUI_DetailRender() = default;
    GUI_DetailRender(const GUI_DetailRender &src) = default;
    GUI_DetailRender &operator=(const GUI_DetailRender &src) = default;
    virtual ~GUI_DetailRender() = default;

    virtual const char *className() const { return "GUI_DetailRender"; }
    virtual void render(RE_Render *r, short x, short y, short w, short h,
                        void *data) = 0;
    virtual void pickRender(RE_Render *r, short x, short y, short w, short h,
                            void *data) = 0;
    virtual void pickRenderSimple(RE_Render *r, short x, short y, short w,
                                  short h, void *data) = 0;

    // The look is not owned.
    void setDetailLook(GUI_DetailLook *look) { myLook = look; }
    GUI_DetailLook *getDetailLook() const { return myLook; }

    // The look's flags.
    int getShowAxes() const;
    int isRenderOn() const;
    int isPickingOn() const;
    int isDisplayOn() const;
    int isTemplated() const;
    int isFootprinted() const;
    int isTargetOutput() const;
    int isCurrentOutput() const;
    int useWireColor() const;
    int ignoreSelection() const;

    // The look's virtual answers, so that derived looks reach the renderer.
    int isGuide() const;
    bool isVisible(const GUI_DisplayOption &options) const;
    GU_DetailHandle getDetailHandle(int i) const;
    const UT_Matrix4 &getDetailXform(int i) const;

    const UT_Color &getWireColor() const;
    OP_Node *getObject() const;
    OP_Node *getSop() const;
    OP_Node *getShopsRelativeTo() const;

    // Whether the geometry has a component selection for opt to draw: with
    // the common "always show selection" option off, the geometry's own
    // selection; with it on, any entry of the numbered selection list the
    // common record names.
    bool haveSelectionToDraw(const GU_Detail &gdp,
                             const GR_DisplayOption &opt) const;

protected:
    // The context to release cached drawing through: r, or the shared
    // main context when r is null. Null while neither has a native
    // context yet, when there is nothing to release.
    static RE_Render *cacheReleaseContext(RE_Render *r);

    void getDisplayOptions(GR_DisplayOption *&primary,
                           GR_DisplayOption *&selection,
                           bool &no_selection) const;

    // The walks over the look's geometry handles. A renderer works on one
    // handle at a time and names it in an index of its own, handle here:
    // each walk sets it to each handle's number in turn and to -1 at the
    // end. Nothing is walked without a look.
    //
    // Picks each handle under a pick id of its number, so that each pick
    // record carries the handle below the caller's pick names.
    void pickEachHandle(RE_Render &r, int &handle,
                        const std::function<void()> &pickOne) const;
    // Draws each handle with its selection-list instance published on the
    // library-wide common record (-1 after the walk), under a pick id of
    // its number when pickIds is set.
    void drawEachHandle(RE_Render *r, int &handle, bool pickIds,
                        const std::function<void()> &drawOne) const;
    // The bounds of all handles: the first box that boundOne gives, grown
    // by the later ones. Returns 1 when any handle had a box; box is left
    // untouched when none had.
    int boundEachHandle(int &handle, UT_BoundingBox &box,
                        const std::function<bool(UT_BoundingBox &)> &boundOne) const;

private:
    void forEachHandle(int &handle, const std::function<void(int)> &one) const;

    GUI_DetailLook *myLook = nullptr;
};

#endif
