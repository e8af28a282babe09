#ifndef UI_DesktopWindow_h
#define UI_DesktopWindow_h

#include "host/RE/RE_NativeContext.h"
#include "host/RE/RE_SampledFramebuffer.h"
#include "host/UT/SYS_Visibility.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class RE_Render;

// A window on the desktop with an OpenGL context (compatibility profile)
// and a render context bound to it, and the input the person gives it.
//
// Input arrives as UI_DesktopInput records in the order it happened.
// Positions are window pixels with the origin at the lower left, as the
// viewport counts them. Records can also be posted by the program (a
// scripted session); they go through the same queue as real ones.
//
// Creation never throws: check isValid() and getError(). Without a
// display the window cannot be made and getError says why.
struct VANTREL_API UI_DesktopInput
{
    enum Kind
    {
        MOUSE_DOWN,
        MOUSE_UP,
        MOUSE_MOVE,
        WHEEL,
        KEY,
        RESIZE,
        CLOSE,
        DROP // files dropped on the window, at the pointer
    };
    enum Button
    {
        LEFT = 0,
        MIDDLE = 1,
        RIGHT = 2
    };
    enum Modifier
    {
        SHIFT = 1,
        CTRL = 2,
        ALT = 4
    };
    // Keys that have no character.
    enum SpecialKey
    {
        KEY_ESCAPE = 27
    };

    Kind kind = MOUSE_MOVE;
    int button = LEFT;
    // Printable keys as lower-case ASCII; KEY_ESCAPE.
    int key = 0;
    unsigned modifiers = 0;
    float x = 0.0f, y = 0.0f;
    // Wheel clicks, positive away from the person.
    float wheel = 0.0f;
    // The new size of a RESIZE, in pixels (0 x 0 while minimised).
    int width = 0, height = 0;
    // The files of a DROP, as the window system names them.
    std::vector<std::string> paths;
};

// Where a pointer position the window system gives (window units, rows
// from the top) falls in the drawing surface (pixels, rows from the
// bottom). On a high-density screen the surface has more pixels than the
// window has units; both sizes must be positive.
VANTREL_API void UIwindowToPixels(double x, double y, int windowWidth, int windowHeight,
                                  int pixelWidth, int pixelHeight, float &px, float &py);

class VANTREL_API UI_DesktopWindow : public RE_NativeContext
{
public:
    // The widest and tallest a window's drawing surface may be, in pixels:
    // larger sizes asked of it, or given to it by the window system, are
    // held to this.
    static constexpr int theMaxSide = 8192;

    // samples above 1 draws multisampled (smooth edges); the window draws
    // without when the driver cannot give the samples.
    UI_DesktopWindow(int width, int height, const char *title, int samples = 1);
    ~UI_DesktopWindow() override;
    UI_DesktopWindow(const UI_DesktopWindow &) = delete;
    UI_DesktopWindow &operator=(const UI_DesktopWindow &) = delete;

    bool isValid() const { return myRender != nullptr; }
    const std::string &getError() const { return myError; }

    bool makeCurrent() override;
    // The drawing surface's size; 0 x 0 while minimised.
    int getWidth() const override { return myWidth; }
    int getHeight() const override { return myHeight; }
    // A multisampled window draws into a framebuffer of its own that keeps
    // the last frame: there is no front buffer to copy back.
    bool isDoubleBuffered() const override { return !myFramebuffer.isAllocated(); }
    // The samples per pixel drawn.
    int getSamples() const { return myFramebuffer.isAllocated() ? myFramebuffer.getSamples() : 1; }

    // Null when creation failed.
    RE_Render *getRender() const { return myRender.get(); }

    void setTitle(const char *title);
    // Asks the window system for a new size; 0 on either side minimises
    // the window. The RESIZE input follows once the window has changed.
    void setSize(int width, int height);

    // The next input record: the queue first; when it is empty, waits up
    // to timeout seconds (0 only looks) for the window system's. False
    // when nothing came.
    bool nextInput(UI_DesktopInput &in, double timeout);
    void postInput(const UI_DesktopInput &in);

    // Shows the frame drawn into the back buffer.
    void swapBuffers();
    // Clears the back buffer and puts an RGBA image (top row first, width
    // x height pixels) at its top left, for a frame drawn in another
    // context. False when the window cannot draw or the image is too short.
    bool drawImage(const std::vector<uint8_t> &rgba, int width, int height);
    // The back buffer (the frame drawn since the last swap), top row
    // first, RGBA. Empty on failure or while minimised.
    std::vector<uint8_t> readPixels();
    bool writePNG(const char *path);

private:
    // Makes the multisampled framebuffer for the drawing surface's size,
    // when samples were asked for.
    void fitFramebuffer();

    struct Native;
    friend struct Native;

    void queue(const UI_DesktopInput &in) { myQueue.push_back(in); }

    std::unique_ptr<Native> myNative;
    std::unique_ptr<RE_Render> myRender;
    std::string myError;
    std::deque<UI_DesktopInput> myQueue;
    int myWidth = 0;
    int myAskedSamples = 1;
    RE_SampledFramebuffer myFramebuffer; // when drawn multisampled
    int myHeight = 0;
    float myCursorX = 0.0f, myCursorY = 0.0f;
    unsigned myModifiers = 0;
};

#endif
