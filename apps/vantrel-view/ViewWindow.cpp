#include "apps/vantrel-view/ViewWindow.h"

#include "apps/vantrel-view/ViewCamera.h"
#include "apps/vantrel-view/ViewCompose.h"
#include "apps/vantrel-view/ViewFrame.h"
#include "apps/vantrel-view/ViewOptions.h"
#include "apps/vantrel-view/ViewScene.h"
#include "facade/InteractiveWindow.h"
#include "facade/WindowEvents.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <cstdio>
#include <string>
#include <vector>

const char *
windowBindingsHelp()
{
    return "Window bindings (--window):\n"
           "  left drag          tumble (in the tumble style of the defaults file)\n"
           "  middle drag        pan\n"
           "  right drag         dolly\n"
           "  wheel              zoom about the pointer\n"
           "  shift + left drag  zoom to the dragged box\n"
           "  left click         pick: the object under the pointer becomes the selected one\n"
           "  space, h           home on all objects, keeping the view direction\n"
           "  0 to 6             home on all objects from the three-quarter, front, right,\n"
           "                     top, back, left or bottom view\n"
           "  g, o, a, f         grid, origin, safe area, field guide on or off\n"
           "  w                  wire or shaded\n"
           "  i                  frame statistics over the top left corner on or off\n"
           "  drop files         load meshes (OBJ, PLY, STL, glTF) while the window keeps\n"
           "                     answering, then frame them; the title says what happened\n"
           "  r                  dropped files replace the scene, or go beside it\n"
           "  s                  write the frame to the --output PNG\n"
           "  q, Escape          quit (--save-camera then keeps the camera)\n"
           "With --layout quad the view under the pointer takes the input (a drag stays\n"
           "with the view it started in); the top, front and right views keep their axis:\n"
           "  left or middle drag  pan\n"
           "  right drag           zoom about where the drag started\n"
           "  m                    maximise the view under the pointer, or go back to four\n"
           "  other keys           as above, homing only the view under the pointer\n"
           "With --uv the window shows the uvs, flat:\n"
           "  left or middle drag  pan\n"
           "  right drag, wheel    zoom about the pointer\n"
           "  shift + left drag    zoom to the dragged box\n"
           "  left click           pick the primitive whose uvs lie under the pointer (the\n"
           "                       topmost); its object becomes the selected one\n"
           "  space, h             frame the unit square, as the headless --uv frame does\n"
           "  o, t, b              uv origin, corner origin, background image on or off\n"
           "  v                    vertex or point uvs\n"
           "  s, q, Escape, i, r, drop files  as above\n";
}

bool
runWindow(GUI_ViewState &state, const ViewOptions &opts)
{
    // A bad script is refused before any window opens.
    vantrel::WindowSettings settings;
    std::string error;
    if (!opts.events.empty() && !vantrel::readWindowEvents(opts.events, settings.events, error))
    {
        std::fprintf(stderr, "vantrel-view: %s\n", error.c_str());
        return false;
    }
    UI_DesktopWindow window(opts.width, opts.height, "vantrel-view", opts.samples);
    if (!window.isValid())
    {
        std::fprintf(stderr, "vantrel-view: cannot open a window: %s\n", window.getError().c_str());
        return false;
    }
    window.makeCurrent();
    ViewScene scene;
    if (!setUpScene(scene, state, window.getRender(), opts))
        return false;

    GUI_SceneLook look(newViewRender(opts.uv), &state);
    settings.uv = opts.uv;
    settings.homeAxis = opts.homeAxis;
    settings.output = opts.output;
    settings.title = "vantrel-view";
    settings.report = true;
    settings.quad = opts.quad;
    vantrel::OwnWindowCanvas canvas(window);
    vantrel::runInteractiveWindow(window, canvas, look, scene, settings);
    if (!opts.saveCamera.empty() &&
        !saveCamera(state.getViewParameterRef(), opts.saveCamera.c_str()))
        return false;
    return true;
}
