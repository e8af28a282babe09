#include "facade/WindowInteractUV.h"

#include "facade/ViewWords.h"
#include "facade/WindowScene.h"
#include "display/GUI_DisplayOption.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Matrix3.h"
#include "host/UT/UT_Plane.h"
#include "scene/GUI_SceneFeel.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <algorithm>
#include <string>

namespace
{
// Pixels of zoom drag per wheel click.
const float theWheelStep = 40.0f;
} // namespace

namespace vantrel
{
WindowInteractUV::WindowInteractUV(GUI_SceneFeel &feel, WindowScene &scene, bool report)
    : WindowInteract(feel, scene, report)
{
}

bool
WindowInteractUV::canDraw() const
{
    return myFeel.getRender() && myFeel.getWidth() >= 1 && myFeel.getHeight() >= 1;
}

void
WindowInteractUV::home()
{
    UT_Matrix3 rot;
    myFeel.getViewStateRef().getViewParameterRef().homeRotation(theUVHomeAxis, rot);
    UT_BoundingBox framed = boxInFrame(uvHomeBox(), rot);
    myFeel.doHome(framed, &rot, false, false);
}

void
WindowInteractUV::dragStep(int button, float dx, float dy, float x0, float y0)
{
    if (!canDraw())
        return;
    if (button == UI_DesktopInput::RIGHT)
        zoomAbout(x0, y0, dx + dy);
    else
        myFeel.doScroll(dx, dy);
}

void
WindowInteractUV::dragEnd(int)
{
}

void
WindowInteractUV::wheel(float x, float y, float clicks)
{
    if (canDraw())
        zoomAbout(x, y, clicks * theWheelStep);
}

void
WindowInteractUV::zoomAbout(float x, float y, float dz)
{
    if (dz == 0.0f)
        return;
    // The uv under the pointer before, and where the zoom took it: the
    // pan that brings it back keeps it under the pointer.
    UT_Vector3 under;
    const bool anchored = myFeel.mapToPlane(x, y, UT_Plane(), under) == 0;
    myFeel.doZoom(dz, GUI_ViewParameter::GUI_ZOOM_WINDOW);
    if (!anchored)
        return;
    // Mapping reads the projection the camera last loaded.
    const short w = short(myFeel.getWidth()), h = short(myFeel.getHeight());
    myFeel.getSceneLook().setView(myFeel.getRender(), short(myFeel.getX()),
                                  short(myFeel.getY()), w, h);
    float sx, sy;
    myFeel.mapToScreen(under, sx, sy);
    myFeel.doScroll(x - sx, y - sy);
}

int
WindowInteractUV::click(float x, float y)
{
    if (!inside(x, y))
        return NOTHING;
    // Uvs are picked by area: the one pixel under the pointer says which
    // primitive the person sees there. Pick rows count from the top.
    const int h = myFeel.getHeight();
    const int row = std::min(h - 1, int(float(h) - y));
    const std::vector<PickHit> hits =
        pickHits(myScene, myFeel.getSceneLook(), myFeel.getRender(), int(x), row, 1, 1, true);
    const int top = topmostHit(hits);
    if (top < 0)
        return select(-1, "");
    const PickHit &hit = hits[size_t(top)];
    return select(hit.object,
                  myScene.objectName(size_t(hit.object)) + " primitive " + std::to_string(hit.prim));
}

int
WindowInteractUV::key(int code)
{
    GUI_DisplayOption &options = myFeel.getViewStateRef().getDisplayOptionRef();
    switch (code)
    {
    case ' ':
    case 'h': home(); return REDRAW;
    case 'b': options.drawBackgrounds(!options.drawBackgrounds()); return REDRAW;
    case 't': options.drawStickyOrigin(!options.drawStickyOrigin()); return REDRAW;
    case 'v': options.drawVertexAttrib2D(!options.drawVertexAttrib2D()); return REDRAW;
    // The origin, saving and quitting work as in 3D.
    case 'o':
    case 's':
    case 'q':
    case UI_DesktopInput::KEY_ESCAPE: return WindowInteract::key(code);
    default: return NOTHING; // grids, guides, shading and the 3D homes
    }
}
} // namespace vantrel
