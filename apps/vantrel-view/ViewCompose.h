#ifndef VANTREL_VIEW_ViewCompose_h
#define VANTREL_VIEW_ViewCompose_h

#include "host/TIL/TIL_TextureMap.h"

#include <string>

namespace CLI
{
class App;
}
class GUI_SceneLook;
class GUI_ViewState;
class RE_Render;
class ViewScene;

// How the demo composes its frame: the clear amount, fog, and a snapshot
// laid over the finished frame.
struct ViewComposeOptions
{
    float clearAmount = 1.0f;
    bool clearGiven = false;
    bool fog = false;
    float fogWeight = -1.0f; // below 0: the camera's own
    std::string backgroundImage;
    std::string snapshotFile;
    float snapshotAlpha = 1.0f;
    TIL_TextureMap snapshot;
};

// Adds --clear, --fog, --fog-weight, --background-image, --snapshot and
// --snapshot-alpha.
void addComposeOptions(CLI::App &app, ViewComposeOptions &opts);
// Reads the snapshot image; false, with a message, when it cannot be read.
bool finishComposeOptions(ViewComposeOptions &opts);
// Puts the clear, fog, background image and snapshot into the view state (the snapshot image
// stays owned by opts).
void applyComposeOptions(GUI_ViewState &state, ViewComposeOptions &opts);

// One frame over the w x h view, in the order the library composes it:
// viewport and projection, background clear and published options,
// decorations behind, the objects, decorations in front, the snapshot.
void composeFrame(GUI_SceneLook &look, const ViewScene &scene, RE_Render *r, short w, short h,
                  int homeAxis);

#endif
