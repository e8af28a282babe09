#include "facade/QuadViews.h"

#include "detail/GUI_DetailLook.h"
#include "facade/ViewWords.h"
#include "facade/WindowScene.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Matrix3.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

namespace
{
// The separators' grey, between the default background and the guides.
const float theSeparatorGrey = 0.55f;
} // namespace

namespace vantrel
{
ViewRect
quadRect(int view, int w, int h, int maximised)
{
    ViewRect rect;
    if (maximised >= 0)
    {
        if (view == maximised)
            rect.w = short(w), rect.h = short(h);
        return rect;
    }
    // The left column and the lower row take what is left of the middle
    // pixel; the other two take the rest.
    const int left = (w - 1) / 2, lower = (h - 1) / 2;
    const bool right = view == QUAD_RIGHT || view == QUAD_PERSPECTIVE;
    const bool upper = view == QUAD_TOP || view == QUAD_PERSPECTIVE;
    rect.x = short(right ? left + 1 : 0);
    rect.w = short(right ? w - left - 1 : left);
    rect.y = short(upper ? lower + 1 : 0);
    rect.h = short(upper ? h - lower - 1 : lower);
    return rect;
}

int
quadViewAt(float x, float y, int w, int h, int maximised)
{
    for (int view = 0; view < QUAD_VIEWS; ++view)
        if (quadRect(view, w, h, maximised).contains(x, y))
            return view;
    return -1;
}

GUI_ViewParameter::axis
quadAxis(int view)
{
    switch (view)
    {
    case QUAD_TOP: return GUI_ViewParameter::GUI_HOME_TOP;
    case QUAD_FRONT: return GUI_ViewParameter::GUI_HOME_FRONT;
    case QUAD_RIGHT: return GUI_ViewParameter::GUI_HOME_RIGHT;
    default: return GUI_ViewParameter::GUI_HOME_THREE_QUARTER;
    }
}

void
drawQuadSeparators(RE_Render *r, int w, int h)
{
    if (w < 3 || h < 3)
        return;
    const short left = short((w - 1) / 2), lower = short((h - 1) / 2);
    const short x2 = short(w - 1), y2 = short(h - 1);
    r->viewport2DS(0, x2, 0, y2);
    r->screenMask2DS(0, x2, 0, y2);
    drawWithDepth(r, false, [&] {
        r->pushColor();
        r->setColor(theSeparatorGrey, theSeparatorGrey, theSeparatorGrey);
        r->boxf2DS(left, 0, left, y2);
        r->boxf2DS(0, lower, x2, lower);
        r->popColor();
    });
}

QuadViews::QuadViews(GUI_SceneLook &perspective, bool uv) : myPerspective(perspective)
{
    for (int view = 0; view < QUAD_PERSPECTIVE; ++view)
    {
        myStates[view] = std::make_unique<GUI_ViewState>(perspective.getViewStateRef());
        myStates[view]->setOrthoFlag(1);
        myLooks[view] = std::make_unique<GUI_SceneLook>(newViewRender(uv), myStates[view].get());
    }
}

QuadViews::~QuadViews() = default;

GUI_SceneLook &
QuadViews::look(int view) const
{
    return view < QUAD_PERSPECTIVE ? *myLooks[view] : myPerspective;
}

GUI_ViewState &
QuadViews::state(int view) const
{
    return look(view).getViewStateRef();
}

void
QuadViews::shareOptions(int from)
{
    const GUI_DisplayOption &options = state(from).getDisplayOptionRef();
    for (int view = 0; view < QUAD_VIEWS; ++view)
        if (view != from)
            state(view).getDisplayOptionRef() = options;
}

void
QuadViews::homeOrthographic(const UT_BoundingBox &bounds, int w, int h)
{
    if (!bounds.isValid())
        return;
    for (int view = 0; view < QUAD_PERSPECTIVE; ++view)
    {
        GUI_ViewState &viewState = state(view);
        const ViewRect rect = quadRect(view, w, h);
        UT_Matrix3 rot;
        viewState.getViewParameterRef().homeRotation(quadAxis(view), rot);
        UT_BoundingBox framed = boxInFrame(bounds, rot);
        viewState.homeToBox(rect.w, rect.h, framed, &rot, false, false);
    }
}

void
QuadViews::compose(RE_Render *r, int w, int h, int homeAxis, int maximised,
                   const std::function<void(int, RE_Render *)> &objects)
{
    for (int view = 0; view < QUAD_VIEWS; ++view)
    {
        const ViewRect rect = quadRect(view, w, h, maximised);
        if (rect.w < 1 || rect.h < 1)
            continue;
        // Each view's viewport narrows the mask it finds: start each from
        // the whole frame.
        r->screenMask2DS(0, short(w - 1), 0, short(h - 1));
        // The view area follows the rectangle, so the projection keeps the
        // view's aspect and homing fits its size.
        state(view).getViewParameterRef().setView(rect.x, rect.y, rect.w, rect.h);
        const int axis = view == QUAD_PERSPECTIVE ? homeAxis : int(quadAxis(view));
        composeFrame(look(view), r, rect.x, rect.y, rect.w, rect.h, axis,
                     [&objects, view](RE_Render *rr) { objects(view, rr); });
    }
    if (maximised < 0)
        drawQuadSeparators(r, w, h);
    r->screenMask2DS(0, short(w - 1), 0, short(h - 1));
}

void
QuadViews::composeScene(const WindowScene &scene, RE_Render *r, int w, int h, int homeAxis)
{
    compose(r, w, h, homeAxis, -1,
            [&scene](int, RE_Render *rr) { drawSceneObjects(scene, rr, false); });
}
} // namespace vantrel
