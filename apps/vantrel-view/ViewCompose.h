#ifndef VANTREL_VIEW_ViewCompose_h
#define VANTREL_VIEW_ViewCompose_h

#include <functional>
#include <string>

namespace CLI
{
class App;
}
class GUI_SceneLook;
class GUI_ViewRender;
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

// The step of a frame that draws the objects, between the decorations
// behind and in front of them.
using ViewObjectsStep = std::function<void(RE_Render *)>;

// One frame over the w x h view, in the order the library composes it:
// viewport and projection, background clear and published options,
// decorations behind, the objects, decorations in front, the snapshot.
void composeFrame(GUI_SceneLook &look, RE_Render *r, short w, short h, int homeAxis,
                  const ViewObjectsStep &objects);
// The same with the scene's looks as the objects (their uvs when uv is set).
void composeFrame(GUI_SceneLook &look, const ViewScene &scene, RE_Render *r, short w, short h,
                  int homeAxis, bool uv = false);

// The decorations a view's look owns: the 2D ones of the uv view, else the
// 3D ones.
GUI_ViewRender *newViewRender(bool uv);

#endif
