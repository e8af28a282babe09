#pragma once

#include "host/UI/UI_DesktopWindow.h"
#include "host/UT/SYS_Visibility.h"

#include <functional>
#include <string>
#include <vector>

class GUI_SceneFeel;
class GUI_SceneLook;
class RE_Render;

namespace vantrel
{
class WindowScene;

// Where an interactive window's frames are drawn, picked and mapped: the
// window's own context, or another one whose frames the window shows.
class VANTREL_API WindowCanvas
{
public:
    virtual ~WindowCanvas() = default;
    virtual RE_Render *render() const = 0;
    virtual bool makeCurrent() = 0;
    // The frame's size for a window of the given size.
    virtual void frameSize(int windowWidth, int windowHeight, int &width, int &height) const = 0;
    // Draws the w x h frame that compose composes (its views over their
    // rectangles) on a depth cleared for it; returns the milliseconds it
    // took.
    virtual double draw(int w, int h, const std::function<void(RE_Render *)> &compose) = 0;
    // Shows the frame last drawn in the window.
    virtual void present(UI_DesktopWindow &window) = 0;
    // Writes the frame last drawn as a PNG; false when it cannot.
    virtual bool writePNG(UI_DesktopWindow &window, const std::string &path) = 0;
};

// The canvas of a window drawing in its own context.
class VANTREL_API OwnWindowCanvas : public WindowCanvas
{
public:
    explicit OwnWindowCanvas(UI_DesktopWindow &window) : myWindow(window) {}
    RE_Render *render() const override;
    bool makeCurrent() override;
    void frameSize(int windowWidth, int windowHeight, int &width, int &height) const override;
    double draw(int w, int h, const std::function<void(RE_Render *)> &compose) override;
    void present(UI_DesktopWindow &window) override;
    bool writePNG(UI_DesktopWindow &window, const std::string &path) override;

private:
    UI_DesktopWindow &myWindow;
};

struct VANTREL_API WindowSettings
{
    // Scripted input, played once the window system has nothing queued;
    // positions from the top left of the frame.
    std::vector<UI_DesktopInput> events;
    // The texture-space view: flat navigation, uv picking.
    bool uv = false;
    // The home axis the decorations are drawn for.
    int homeAxis = 0;
    // Where "s" writes the frame.
    std::string output;
    // The window title starts with it; with report set, picks and written
    // frames are said on standard output, failures on standard error.
    std::string title = "vantrel";
    bool report = false;
    // Four views (top, front, right, perspective) instead of the look's
    // one; the look's is the perspective. The view under the pointer takes
    // the input; m maximises it and back.
    bool quad = false;
};

// Runs the window over the scene's objects with the look's view state
// (its cameras and options, changed by what the person does) until the
// person closes it: q, Escape or the window's close button. The script,
// when there is one, plays first; the window stays open after it.
VANTREL_API void runInteractiveWindow(UI_DesktopWindow &window, WindowCanvas &canvas,
                                      GUI_SceneLook &look, WindowScene &scene,
                                      const WindowSettings &settings);
} // namespace vantrel
