#include "facade/WindowInteract.h"

#include "detail/GUI_DetailLook.h"
#include "facade/ViewWords.h"
#include "facade/WindowScene.h"
#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_ShadingMode.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Matrix3.h"
#include "scene/GUI_SceneFeel.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <cmath>
#include <cstdio>

namespace
{
// A press and release closer than this many pixels is a click.
const float theClickSlop = 3.0f;
// Pixels of zoom drag per wheel click.
const float theWheelStep = 40.0f;

// Number keys 0-6: the three-quarter view, then front, right, top, back,
// left and bottom.
const GUI_ViewParameter::axis theNumberAxes[] = {
    GUI_ViewParameter::GUI_HOME_THREE_QUARTER, GUI_ViewParameter::GUI_HOME_FRONT,
    GUI_ViewParameter::GUI_HOME_RIGHT,         GUI_ViewParameter::GUI_HOME_TOP,
    GUI_ViewParameter::GUI_HOME_BACK,          GUI_ViewParameter::GUI_HOME_LEFT,
    GUI_ViewParameter::GUI_HOME_BOTTOM};

bool
finite(const UI_DesktopInput &in)
{
    return std::isfinite(in.x) && std::isfinite(in.y) && std::isfinite(in.wheel);
}
} // namespace

namespace vantrel
{
WindowInteract::WindowInteract(GUI_SceneFeel &feel, WindowScene &scene, bool report)
    : myFeel(feel), myScene(scene), myReport(report)
{
}

int
WindowInteract::handle(const UI_DesktopInput &in)
{
    // Nothing that is not a number reaches a camera.
    if (!finite(in))
        return NOTHING;
    switch (in.kind)
    {
    case UI_DesktopInput::MOUSE_DOWN: return press(in);
    case UI_DesktopInput::MOUSE_MOVE: return drag(in);
    case UI_DesktopInput::MOUSE_UP: return release(in);
    case UI_DesktopInput::WHEEL:
        wheel(in.x, in.y, in.wheel);
        return REDRAW;
    case UI_DesktopInput::KEY: return key(in.key);
    case UI_DesktopInput::RESIZE: return REDRAW;
    case UI_DesktopInput::CLOSE: return QUIT;
    case UI_DesktopInput::DROP: return NOTHING;
    }
    return NOTHING;
}

int
WindowInteract::press(const UI_DesktopInput &in)
{
    if (myButton >= 0)
        return NOTHING;
    myButton = in.button;
    myBoxZoom = in.button == UI_DesktopInput::LEFT && (in.modifiers & UI_DesktopInput::SHIFT);
    myMoved = false;
    myStartX = myLastX = in.x;
    myStartY = myLastY = in.y;
    return NOTHING;
}

int
WindowInteract::drag(const UI_DesktopInput &in)
{
    if (myButton < 0)
        return NOTHING;
    const float dx = in.x - myLastX, dy = in.y - myLastY;
    if (std::fabs(in.x - myStartX) > theClickSlop || std::fabs(in.y - myStartY) > theClickSlop)
        myMoved = true;
    // A box zoom acts once, on release.
    if (!myMoved || myBoxZoom)
        return NOTHING;
    myLastX = in.x;
    myLastY = in.y;
    dragStep(myButton, dx, dy, myStartX, myStartY);
    return REDRAW;
}

int
WindowInteract::release(const UI_DesktopInput &in)
{
    if (myButton < 0 || in.button != myButton)
        return NOTHING;
    const int button = myButton;
    myButton = -1;
    if (!myMoved)
        return button == UI_DesktopInput::LEFT ? click(in.x, in.y) : NOTHING;
    if (myBoxZoom)
    {
        myFeel.getViewStateRef().boxZoom(short(myStartX), short(myStartY), short(in.x),
                                         short(in.y));
        return REDRAW;
    }
    dragEnd(button);
    return REDRAW;
}

void
WindowInteract::dragStep(int button, float dx, float dy, float, float)
{
    switch (button)
    {
    case UI_DesktopInput::LEFT: myFeel.doTrackball(dx, dy, 0); break;
    case UI_DesktopInput::MIDDLE: myFeel.doScroll(dx, dy); break;
    default: myFeel.doDolly(dx + dy); break;
    }
}

void
WindowInteract::dragEnd(int button)
{
    // The trackball turns a whole drag as one rotation: end it.
    if (button == UI_DesktopInput::LEFT)
        myFeel.doTrackball(0.0f, 0.0f, 1);
}

int
WindowInteract::key(int code)
{
    GUI_DisplayOption &options = myFeel.getViewStateRef().getDisplayOptionRef();
    switch (code)
    {
    case ' ':
    case 'h': home(-1); return REDRAW;
    case 'g': options.drawXZPlane(!options.drawXZPlane()); return REDRAW;
    case 'o': options.drawOrigin(!options.drawOrigin()); return REDRAW;
    case 'a': options.drawSafeArea(!options.drawSafeArea()); return REDRAW;
    case 'f': options.drawFieldGuide(!options.drawFieldGuide()); return REDRAW;
    case 'w':
    {
        const GR_ShadingMode now = options[GUI_NON_SELECTED].shadingMode();
        const GR_ShadingMode next = GRisShadedMode(now) ? GR_SHADE_WIRE : GR_SHADE_SMOOTH;
        options[GUI_NON_SELECTED].shadingMode(next);
        options[GUI_SELECTED].shadingMode(next);
        return REDRAW;
    }
    case 's': return SAVE;
    case 'q':
    case UI_DesktopInput::KEY_ESCAPE: return QUIT;
    default: break;
    }
    if (code >= '0' && code < '0' + int(sizeof(theNumberAxes) / sizeof(theNumberAxes[0])))
    {
        home(theNumberAxes[code - '0']);
        return REDRAW;
    }
    return NOTHING;
}

void
WindowInteract::home(int axis, size_t first)
{
    GUI_ViewState &state = myFeel.getViewStateRef();
    GUI_ViewParameter &cam = state.getViewParameterRef();
    UT_Matrix3 rot(cam.getRotateMatrix());
    if (axis >= 0)
        cam.homeRotation(GUI_ViewParameter::axis(axis), rot);
    UT_BoundingBox bounds = sceneBounds(myScene, state.getDisplayOptionRef(), first);
    if (!bounds.isValid())
        return;
    UT_BoundingBox framed = boxInFrame(bounds, rot);
    std::string why;
    if (!homeSafely(state, framed, [&] { myFeel.doHome(framed, &rot, false, false); }, why) &&
        myReport)
        std::fprintf(stderr, "%s\n", why.c_str());
}

bool
WindowInteract::inside(float x, float y) const
{
    const int w = myFeel.getWidth(), h = myFeel.getHeight();
    return myFeel.getRender() && w >= 1 && h >= 1 && x >= 0 && y >= 0 && x < w && y < h;
}

int
WindowInteract::click(float x, float y)
{
    if (!inside(x, y))
        return NOTHING;
    // Pick rows count from the top; a 5 x 5 region around the pointer.
    const int top = int(float(myFeel.getHeight()) - y) - 2;
    const std::vector<PickHit> hits =
        pickHits(myScene, myFeel.getSceneLook(), myFeel.getRender(), int(x) - 2, top, 5, 5);
    const int picked = nearestObject(hits);
    return select(picked, picked >= 0 ? myScene.objectName(size_t(picked)) : "");
}

int
WindowInteract::select(int index, const std::string &label)
{
    for (size_t i = 0; i < myScene.objectCount(); ++i)
        myScene.objectLook(i).setObjSelection(int(i) == index ? 1 : 0);
    myPicked = index >= 0 ? label : std::string();
    if (myReport)
    {
        std::printf("picked %s\n", index >= 0 ? myPicked.c_str() : "nothing");
        std::fflush(stdout);
    }
    return REDRAW;
}

void
WindowInteract::wheel(float x, float y, float clicks)
{
    zoomWindowAbout(x, y, clicks * theWheelStep);
}

void
WindowInteract::zoomWindowAbout(float x, float y, float dz)
{
    const int w = myFeel.getWidth(), h = myFeel.getHeight();
    if (w < 1 || h < 1 || dz == 0.0f)
        return;
    // The point under the pointer stays there: zoom the 2D window, then
    // slide it back under the pointer on each camera.
    const float fx = x / float(w), fy = y / float(h);
    GUI_ViewState &state = myFeel.getViewStateRef();
    float before[3][4];
    for (int i = 0; i < 3; ++i)
        state.getViewParameter(GUI_ViewState::GUI_ViewType(i))
            .getScreenWindow(before[i][0], before[i][1], before[i][2], before[i][3]);
    myFeel.doZoom(dz, GUI_ViewParameter::GUI_ZOOM_WINDOW);
    for (int i = 0; i < 3; ++i)
    {
        GUI_ViewParameter &cam = state.getViewParameter(GUI_ViewState::GUI_ViewType(i));
        float l, r, b, t;
        cam.getScreenWindow(l, r, b, t);
        const float sx = before[i][0] + fx * (before[i][1] - before[i][0]) - (l + fx * (r - l));
        const float sy = before[i][2] + fy * (before[i][3] - before[i][2]) - (b + fy * (t - b));
        cam.setScreenWindow(l + sx, r + sx, b + sy, t + sy);
    }
}
} // namespace vantrel

namespace vantrel
{
void
WindowInteractOrtho::dragStep(int button, float dx, float dy, float x0, float y0)
{
    if (button == UI_DesktopInput::RIGHT)
        zoomWindowAbout(x0, y0, dx + dy);
    else
        myFeel.doScroll(dx, dy);
}
} // namespace vantrel
