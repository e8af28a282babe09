#pragma once

#include "facade/FrameCompose.h"
#include "host/UT/SYS_Visibility.h"
#include "view/GUI_ViewParameter.h"

#include <memory>

class GUI_SceneLook;
class GUI_ViewState;
class RE_Render;
class UT_BoundingBox;

namespace vantrel
{
class WindowScene;

// The views of the four-view layout, in the order they are drawn.
enum QuadView
{
    QUAD_TOP = 0,
    QUAD_FRONT,
    QUAD_RIGHT,
    QUAD_PERSPECTIVE,
    QUAD_VIEWS
};

// A view's rectangle in frame pixels from the lower left.
struct VANTREL_API ViewRect
{
    short x = 0, y = 0, w = 0, h = 0;
    bool contains(float px, float py) const
    {
        return px >= x && py >= y && px < x + w && py < y + h;
    }
};

// Where view lies in a w x h frame: top at the upper left, front below it,
// right beside front and the perspective at the upper right, so that the
// top and front views share their x axis and front and right their y
// axis. The middle column and row of pixels are left to the separators.
// With maximised set to a view, that view fills the frame and the others
// are empty.
VANTREL_API ViewRect quadRect(int view, int w, int h, int maximised = -1);

// The view whose rectangle holds frame pixel (x, y) from the lower left;
// -1 on a separator or outside the frame.
VANTREL_API int quadViewAt(float x, float y, int w, int h, int maximised = -1);

// The axis an orthographic view looks along (and homes from); the
// perspective view has none of its own (the three-quarter view).
VANTREL_API GUI_ViewParameter::axis quadAxis(int view);

// Draws the one-pixel lines between the four views over the w x h frame.
VANTREL_API void drawQuadSeparators(RE_Render *r, int w, int h);

// The four views of one frame: the perspective is the caller's look; the
// three orthographic ones are made here, each a look over its own view
// state that starts as a copy of the perspective's, turned orthographic.
// The display options are shared: shareOptions copies one view's into the
// others.
class VANTREL_API QuadViews
{
public:
    QuadViews(GUI_SceneLook &perspective, bool uv = false);
    ~QuadViews();
    QuadViews(const QuadViews &) = delete;
    QuadViews &operator=(const QuadViews &) = delete;

    GUI_SceneLook &look(int view) const;
    GUI_ViewState &state(int view) const;

    // Copies the display options of view from into the other views.
    void shareOptions(int from);

    // Homes the orthographic views onto bounds from their axes, each at
    // the size it has in a w x h frame.
    void homeOrthographic(const UT_BoundingBox &bounds, int w, int h);

    // Composes each view of the w x h frame over its own rectangle (only
    // the maximised one when one is), drawing the objects with objects,
    // then the separators. homeAxis is the perspective view's.
    void compose(RE_Render *r, int w, int h, int homeAxis, int maximised,
                 const std::function<void(int view, RE_Render *)> &objects);
    // The same with the scene's looks as the objects.
    void composeScene(const WindowScene &scene, RE_Render *r, int w, int h, int homeAxis);

private:
    GUI_SceneLook &myPerspective;
    std::unique_ptr<GUI_ViewState> myStates[QUAD_PERSPECTIVE];
    std::unique_ptr<GUI_SceneLook> myLooks[QUAD_PERSPECTIVE];
};
} // namespace vantrel
