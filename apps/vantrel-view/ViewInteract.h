#ifndef VANTREL_VIEW_ViewInteract_h
#define VANTREL_VIEW_ViewInteract_h

#include "host/UI/UI_DesktopWindow.h"

#include <string>

class GUI_SceneFeel;
class RE_Render;
class ViewScene;

// What the viewer does with the person's input: mouse drags become camera
// operations of the scene feel, a click picks, keys home and toggle what
// the view shows. Positions are window pixels from the lower left.
class ViewInteract
{
public:
    // What the main loop must do after an input.
    enum Result
    {
        NOTHING = 0,
        REDRAW = 1,
        SAVE = 2, // write the frame, then go on
        QUIT = 4
    };

    ViewInteract(GUI_SceneFeel &feel, ViewScene &scene);

    // Returns Result bits.
    int handle(const UI_DesktopInput &in);

    // The object picked last ("" when none) for the title.
    const std::string &getPickedName() const { return myPicked; }

    // Homes the cameras onto every object: from the given home axis, or
    // keeping the present orientation when axis is negative.
    void home(int axis);

private:
    int press(const UI_DesktopInput &in);
    int drag(const UI_DesktopInput &in);
    int release(const UI_DesktopInput &in);
    int key(int code);
    int pick(float x, float y);
    void zoomAbout(float x, float y, float clicks);

    GUI_SceneFeel &myFeel;
    ViewScene &myScene;
    int myButton = -1; // held, or -1
    bool myBoxZoom = false;
    bool myMoved = false;
    float myStartX = 0, myStartY = 0;
    float myLastX = 0, myLastY = 0;
    std::string myPicked;
};

#endif
