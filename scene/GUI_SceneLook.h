#ifndef GUI_SceneLook_h
#define GUI_SceneLook_h

#include "host/UT/SYS_Visibility.h"
#include "host/UI/UI_Rectangle.h"
#include "view/GUI_ViewParameter.h"
#include "view/GUI_ViewState.h"

#include <memory>

class GUI_DisplayOption;
class GUI_ViewRender;
class RE_Render;
class UI_Color;

// The toolkit look of one viewport. It draws nothing by itself: the
// embedding viewport composes a frame from its steps, in this order:
//   setView             viewport rectangle, projection and transform
//   renderBackground    clear (fog, fading) and publish the display options
//   doPreRender         decorations behind the objects
//   each detail look's render
//   doPostRender        decorations in front of the objects
//   renderOverrideRaster  the snapshot over the frame
// A pick pass is beginPicking, pickRender, each detail look's pickRender,
// endPicking.
//
// The look owns its view renderer, and its view state when it made one.
// Copies share both; the last look sharing them frees them.
class VANTREL_API GUI_SceneLook : public UI_Rectangle
{
public:
    // A null state makes the look create (and own) a view state of its
    // own. The look takes the renderer, which may be null.
    GUI_SceneLook(GUI_ViewRender *render, GUI_ViewState *state);
    GUI_SceneLook(const GUI_SceneLook &src);
    GUI_SceneLook &operator=(const GUI_SceneLook &src);
    ~GUI_SceneLook() override;

    const char *className() const override { return "GUI_SceneLook"; }

    // The first two outputs become a tenth of an inch in pixels; the other
    // four are left as they are.
    void getPreferredSizes(int &a, int &b, int &c, int &d, int &e, int &f) override;

    // Picking over the viewport (x, y, w, h) for the pick region (px, py,
    // pw, ph). The context stays locked until endPicking, which returns the
    // context's record count and puts the viewport and projection back.
    void beginPicking(RE_Render *r, unsigned int *buffer, long size, short x, short y,
                      short w, short h, short px, short py, short pw, short ph) override;
    int endPicking(RE_Render *r, unsigned int *buffer) override;
    // Publishes the display options the detail looks pick with; draws
    // nothing.
    void pickRender(RE_Render *r, short x, short y, short w, short h, void *data) override;

    int isViewLook() override { return 1; }

    // Viewport and projection of the main camera, or of the camera of type
    // (any unknown type: the main one).
    void setView(RE_Render *r, short x, short y, short w, short h) override;
    void setView(GUI_ViewState::GUI_ViewType type, RE_Render *r, short x, short y, short w,
                 short h);

    GUI_ViewState &getViewStateRef() { return *myViewState; }
    const GUI_ViewState &getViewStateRef() const { return *myViewState; }
    GUI_ViewRender *getViewRender() const { return myViewRender; }

    // Clears the rectangle (when the look fills its background) with the
    // depth test off, then publishes the display options. Nothing at all
    // for an empty rectangle.
    void renderBackground(RE_Render *r, short x, short y, short w, short h);
    // The view renderer's decorations behind the objects, then a flush.
    void doPreRender(RE_Render *r, short x, short y, short w, short h,
                     GUI_ViewParameter::axis axis);
    // The view renderer's decorations in front of the objects; frame is
    // true when the whole view is the picture frame.
    void doPostRender(RE_Render *r, short x, short y, short w, short h, bool frame);
    void renderForeground(RE_Render *r, short x, short y, short w, short h);
    // Draws the snapshot over the frame; true when it drew.
    bool renderOverrideRaster(RE_Render *r, short x, short y, short w, short h);
    // True when the snapshot would be drawn opaque, hiding everything else.
    bool getOverrideRasterShownOnlyFlag() const;

    // Makes this viewport's display options the ones detail looks draw
    // with.
    void updateGlobalDetailState() const;

private:
    // The toolkit's own draw of the look: the frame steps do the drawing.
    void render(RE_Render *r, short x, short y, short w, short h, void *data) override;

    void renderClearAndFog(RE_Render *r, short x, short y, short w, short h,
                           GUI_DisplayOption *opt);
    void fadingClear(RE_Render *r, const UI_Color &color, float amount, short x, short y,
                     short w, short h);
    // True when the snapshot is to be left out at the current scene frame.
    bool isSnapshotSourceFrame() const;

    // What copies share, freed with the last look holding it.
    struct Owned;

    GUI_ViewState *myViewState;
    GUI_ViewRender *myViewRender;
    bool myOwnsViewState;
    std::shared_ptr<Owned> myOwned;
};

#endif
