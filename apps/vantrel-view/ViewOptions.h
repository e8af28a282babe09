#ifndef VANTREL_VIEW_ViewOptions_h
#define VANTREL_VIEW_ViewOptions_h

#include "apps/vantrel-view/ViewCompose.h"
#include "apps/vantrel-view/ViewDrawOptions.h"
#include "apps/vantrel-view/ViewDecor.h"
#include "view/GUI_ViewParameter.h"

#include <string>
#include <utility>
#include <vector>

// What the command line asked the demo to do.
struct ViewOptions
{
    std::string output = "vantrel-view.png";
    int width = 320;
    int height = 240;
    // Samples per pixel: 0 until given, then 4 in the window and 1 for
    // images, so that written frames stay as they were.
    int samples = 0;
    // A mesh file to show instead of the built-in scene.
    std::string mesh;

    // Camera.
    bool homeGiven = false;
    GUI_ViewParameter::axis homeAxis = GUI_ViewParameter::GUI_HOME_THREE_QUARTER;
    bool tumbleGiven = false;
    float tumbleX = 0.0f;
    float tumbleY = 0.0f;
    // -1 keeps the tumble style the default settings file gave.
    int tumbleStyle = -1;
    float dolly = 0.0f;
    float zoom = 0.0f;
    bool ortho = false;
    std::string loadCamera;
    std::string saveCamera;

    // Default viewport settings.
    std::string prefsDir;
    bool savePrefs = false;
    bool printDefaults = false;

    // Changes to the view state the defaults gave.
    bool nearGiven = false;
    float nearDist = 0.0f;
    bool farGiven = false;
    float farDist = 0.0f;
    int adjustLimits = -1; // -1 keeps the default
    bool backgroundGiven = false;
    float background[3] = {0.0f, 0.0f, 0.0f};
    // Viewport flags by keyword, with the value to set.
    std::vector<std::pair<std::string, bool>> displayFlags;
    // Application drawing options to define; 1 turns one on for
    // non-selected objects, 0 off, -1 only defines it.
    std::vector<std::pair<std::string, int>> userOptions;

    // Drawing, statistics, picking, axes and names.
    ViewDrawOptions draw;
    // Clear and fog of the composed frame.
    ViewComposeOptions compose;
    // Decorations around the objects.
    DecorOptions decor;

    // The texture-space view of the objects' uvs instead of the 3D view,
    // with "point", "vertex" or empty (chosen from the scene) uvs.
    bool uv = false;
    std::string uvAttrib;
    // An interactive window instead of one image, and a file of input
    // to play into it.
    bool window = false;
    std::string events;
    // Four views (top, front, right, perspective) instead of one.
    bool quad = false;
};

// Fills opts from the command line. Returns -1 to go on, otherwise the exit
// code to leave with (0 after --help, non-zero for bad arguments).
int parseViewOptions(int argc, char **argv, ViewOptions &opts);

// Parses a home axis given as a number 0-10 or a name ("front", "top", ...).
bool parseHomeAxis(const std::string &text, GUI_ViewParameter::axis &axis);

#endif
