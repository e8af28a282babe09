#ifndef VANTREL_VIEW_ViewOptions_h
#define VANTREL_VIEW_ViewOptions_h

#include "view/GUI_ViewParameter.h"

#include <string>

// What the command line asked the demo to do.
struct ViewOptions
{
    std::string output = "vantrel-view.png";
    int width = 320;
    int height = 240;

    // Camera.
    bool homeGiven = false;
    GUI_ViewParameter::axis homeAxis = GUI_ViewParameter::GUI_HOME_THREE_QUARTER;
    bool tumbleGiven = false;
    float tumbleX = 0.0f;
    float tumbleY = 0.0f;
    int tumbleStyle = 0;
    float dolly = 0.0f;
    float zoom = 0.0f;
    bool ortho = false;
    std::string loadCamera;
    std::string saveCamera;
};

// Fills opts from the command line. Returns -1 to go on, otherwise the exit
// code to leave with (0 after --help, non-zero for bad arguments).
int parseViewOptions(int argc, char **argv, ViewOptions &opts);

// Parses a home axis given as a number 0-10 or a name ("front", "top", ...).
bool parseHomeAxis(const std::string &text, GUI_ViewParameter::axis &axis);

#endif
