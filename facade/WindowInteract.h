#pragma once

#include "host/UI/UI_DesktopWindow.h"
#include "host/UT/SYS_Visibility.h"

#include <string>

class GUI_SceneFeel;

namespace vantrel
{
class WindowScene;

// What an interactive window does with the person's input in the 3D view: mouse drags
// become camera operations of the scene feel, a click picks, keys home and
// toggle what the view shows. Positions are window pixels from the lower
// left. The texture-space view changes what the gestures do
// (WindowInteractUV); telling a click from a drag stays here.
class VANTREL_API WindowInteract
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

    // With report set, each pick is said on standard output ("picked
    // NAME" or "picked nothing").
    WindowInteract(GUI_SceneFeel &feel, WindowScene &scene, bool report);
    virtual ~WindowInteract() = default;

    // Returns Result bits.
    int handle(const UI_DesktopInput &in);

    // What was picked last ("" when nothing) for the title.
    const std::string &getPickedName() const { return myPicked; }

    // Homes the cameras onto every object (from index first on): from the
    // given home axis, or keeping the present orientation when axis is
    // negative.
    void home(int axis, size_t first = 0);
    // Frames the objects from index first on, which have just come in, as
    // the view frames things (the uv view frames the unit square).
    virtual void frameNewObjects(size_t first) { home(-1, first); }

protected:
    // One step of a drag of button by (dx, dy) pixels; the drag started
    // at (x0, y0). Not called for the box zoom of shift + left drag.
    virtual void dragStep(int button, float dx, float dy, float x0, float y0);
    // The release of a drag that moved.
    virtual void dragEnd(int button);
    // A left press and release that did not move; returns Result bits.
    virtual int click(float x, float y);
    virtual void wheel(float x, float y, float clicks);
    // Zooms the 2D window of each camera by a drag of dz pixels, keeping
    // the point under (x, y) where it is.
    void zoomWindowAbout(float x, float y, float dz);
    virtual int key(int code);

    // True when (x, y) lies inside a window that can draw.
    bool inside(float x, float y) const;
    // Makes the object at index the selected one (-1 clears the
    // selection) and says so, calling it label.
    int select(int index, const std::string &label);

    GUI_SceneFeel &myFeel;
    WindowScene &myScene;

private:
    int press(const UI_DesktopInput &in);
    int drag(const UI_DesktopInput &in);
    int release(const UI_DesktopInput &in);

    int myButton = -1; // held, or -1
    bool myBoxZoom = false;
    bool myMoved = false;
    float myStartX = 0, myStartY = 0;
    float myLastX = 0, myLastY = 0;
    std::string myPicked;
    bool myReport;
};

// The input of an orthographic view, which keeps its axis: left or middle
// drag pans, right drag zooms about where it started; the rest as in 3D.
class VANTREL_API WindowInteractOrtho : public WindowInteract
{
public:
    using WindowInteract::WindowInteract;

protected:
    void dragStep(int button, float dx, float dy, float x0, float y0) override;
    void dragEnd(int) override {}
};
} // namespace vantrel
