#ifndef VANTREL_VIEW_ViewCompose_h
#define VANTREL_VIEW_ViewCompose_h

#include "facade/FrameCompose.h"

#include <string>

namespace CLI
{
class App;
}
class GUI_SceneLook;
class GUI_ViewState;
class RE_Render;
class ViewScene;

// How the demo clears its frame: the clear amount and fog.
struct ViewComposeOptions
{
    float clearAmount = 1.0f;
    bool clearGiven = false;
    bool fog = false;
    float fogWeight = -1.0f; // below 0: the camera's own
};

// Adds --clear, --fog and --fog-weight.
void addComposeOptions(CLI::App &app, ViewComposeOptions &opts);
// Puts the clear amount and fog into the view state's main camera.
void applyComposeOptions(GUI_ViewState &state, const ViewComposeOptions &opts);

// One frame of the scene's looks over the w x h view, composed in the
// library's order (their uvs when uv is set).
void composeFrame(GUI_SceneLook &look, const ViewScene &scene, RE_Render *r, short w, short h,
                  int homeAxis, bool uv = false);

using vantrel::newViewRender;

#endif
