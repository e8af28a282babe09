#include "host/UI/UI_DesktopWindow.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_PNG.h"
#include "host/RE/RE_Render.h"

#define GLFW_INCLUDE_NONE
#include <algorithm>
#include <GLFW/glfw3.h>

#include <cstring>

#include <dlfcn.h>
#include <link.h>

namespace
{
// GLFW reports errors through one process-wide callback: the last one is
// kept for the window being made.
std::string &
lastError()
{
    static std::string theError;
    return theError;
}

void
onError(int, const char *text)
{
    lastError() = text ? text : "unknown window system error";
}

// The library is started by the first window and stopped with the last.
int theWindows = 0;

bool
startLibrary(std::string &error)
{
    if (theWindows > 0)
        return true;
    glfwSetErrorCallback(onError);
    lastError().clear();
    if (!glfwInit())
    {
        error = lastError().empty() ? "the window system cannot be started" : lastError();
        return false;
    }
    return true;
}

// Every library loaded by now (the GL dispatch and driver, X extensions,
// all loaded on demand by the window system library and the GL dispatch)
// stays loaded for the rest of the process, as the offscreen contexts keep
// their EGL display: unloading the driver makes the next window pay to load
// it again, and leak checkers could no longer name the driver's own
// allocations.
int
keepLoaded(struct dl_phdr_info *info, size_t, void *)
{
    if (info->dlpi_name && info->dlpi_name[0])
        dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD);
    return 0;
}

void
stopLibrary()
{
    if (theWindows > 0)
        return;
    dl_iterate_phdr(keepLoaded, nullptr);
    glfwTerminate();
}

unsigned
modifierBits(int mods)
{
    unsigned bits = 0;
    if (mods & GLFW_MOD_SHIFT)
        bits |= UI_DesktopInput::SHIFT;
    if (mods & GLFW_MOD_CONTROL)
        bits |= UI_DesktopInput::CTRL;
    if (mods & GLFW_MOD_ALT)
        bits |= UI_DesktopInput::ALT;
    return bits;
}

// Printable keys as lower-case ASCII, Escape as 27; 0 for keys the
// window does not report.
int
keyCode(int key)
{
    if (key == GLFW_KEY_ESCAPE)
        return UI_DesktopInput::KEY_ESCAPE;
    if (key >= GLFW_KEY_A && key <= GLFW_KEY_Z)
        return key - GLFW_KEY_A + 'a';
    if (key >= GLFW_KEY_SPACE && key <= GLFW_KEY_GRAVE_ACCENT)
        return key;
    return 0;
}
} // namespace

void
UIwindowToPixels(double x, double y, int windowWidth, int windowHeight, int pixelWidth,
                 int pixelHeight, float &px, float &py)
{
    // The window system counts rows from the top; the viewport from the
    // bottom.
    px = float(x * pixelWidth / windowWidth);
    py = float((windowHeight - y) * pixelHeight / windowHeight);
}

struct UI_DesktopWindow::Native
{
    GLFWwindow *window = nullptr;
    // This window counts among those keeping the library started.
    bool counted = false;

    static UI_DesktopWindow &owner(GLFWwindow *w)
    {
        return *static_cast<UI_DesktopWindow *>(glfwGetWindowUserPointer(w));
    }
    static UI_DesktopInput at(UI_DesktopWindow &o, UI_DesktopInput::Kind kind)
    {
        UI_DesktopInput in;
        in.kind = kind;
        in.x = o.myCursorX;
        in.y = o.myCursorY;
        in.modifiers = o.myModifiers;
        return in;
    }
    static void onCursor(GLFWwindow *w, double x, double y)
    {
        UI_DesktopWindow &o = owner(w);
        int ww = 0, wh = 0, fw = 0, fh = 0;
        glfwGetWindowSize(w, &ww, &wh);
        glfwGetFramebufferSize(w, &fw, &fh);
        if (ww < 1 || wh < 1 || fw < 1 || fh < 1)
            return; // minimised
        UIwindowToPixels(x, y, ww, wh, fw, fh, o.myCursorX, o.myCursorY);
        o.queue(at(o, UI_DesktopInput::MOUSE_MOVE));
    }
    static void onDrop(GLFWwindow *w, int count, const char **paths)
    {
        UI_DesktopWindow &o = owner(w);
        UI_DesktopInput in = at(o, UI_DesktopInput::DROP);
        for (int i = 0; i < count; ++i)
            if (paths[i])
                in.paths.emplace_back(paths[i]);
        if (!in.paths.empty())
            o.queue(in);
    }
    static void onButton(GLFWwindow *w, int button, int action, int mods)
    {
        UI_DesktopWindow &o = owner(w);
        int which = button == GLFW_MOUSE_BUTTON_LEFT     ? UI_DesktopInput::LEFT
                    : button == GLFW_MOUSE_BUTTON_MIDDLE ? UI_DesktopInput::MIDDLE
                    : button == GLFW_MOUSE_BUTTON_RIGHT  ? UI_DesktopInput::RIGHT
                                                         : -1;
        if (which < 0)
            return;
        o.myModifiers = modifierBits(mods);
        UI_DesktopInput in = at(o, action == GLFW_PRESS ? UI_DesktopInput::MOUSE_DOWN
                                                        : UI_DesktopInput::MOUSE_UP);
        in.button = which;
        o.queue(in);
    }
    static void onScroll(GLFWwindow *w, double, double dy)
    {
        UI_DesktopWindow &o = owner(w);
        UI_DesktopInput in = at(o, UI_DesktopInput::WHEEL);
        in.wheel = float(dy);
        o.queue(in);
    }
    static void onKey(GLFWwindow *w, int key, int, int action, int mods)
    {
        UI_DesktopWindow &o = owner(w);
        o.myModifiers = modifierBits(mods);
        const int code = keyCode(key);
        if (action != GLFW_PRESS || code == 0)
            return;
        UI_DesktopInput in = at(o, UI_DesktopInput::KEY);
        in.key = code;
        o.queue(in);
    }
    static void resized(UI_DesktopWindow &o, int width, int height)
    {
        o.myWidth = std::clamp(width, 0, theMaxSide);
        o.myHeight = std::clamp(height, 0, theMaxSide);
        o.fitFramebuffer();
        if (o.myRender)
            o.myRender->fitToSurface();
        UI_DesktopInput in = at(o, UI_DesktopInput::RESIZE);
        in.width = o.myWidth;
        in.height = o.myHeight;
        o.queue(in);
    }
    static void onFramebufferSize(GLFWwindow *w, int width, int height)
    {
        resized(owner(w), width, height);
    }
    static void onIconify(GLFWwindow *w, int iconified)
    {
        int width = 0, height = 0;
        if (!iconified)
            glfwGetFramebufferSize(w, &width, &height);
        resized(owner(w), width, height);
    }
    static void onClose(GLFWwindow *w) { owner(w).queue(at(owner(w), UI_DesktopInput::CLOSE)); }
};

UI_DesktopWindow::UI_DesktopWindow(int width, int height, const char *title, int samples)
    : myNative(std::make_unique<Native>())
{
    if (width < 1 || height < 1 || width > 16384 || height > 16384)
    {
        myError = "window size out of range";
        return;
    }
    if (!startLibrary(myError))
        return;
    ++theWindows;
    myNative->counted = true;
    // A compatibility context (no version asked for), made through EGL as
    // the offscreen contexts are, or the window system's own API when EGL
    // cannot serve this display.
    const int apis[2] = {GLFW_EGL_CONTEXT_API, GLFW_NATIVE_CONTEXT_API};
    for (int api : apis)
    {
        if (myNative->window)
            break;
        glfwDefaultWindowHints();
        glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
        glfwWindowHint(GLFW_CONTEXT_CREATION_API, api);
        glfwWindowHint(GLFW_DEPTH_BITS, 24);
        glfwWindowHint(GLFW_STENCIL_BITS, 8);
        glfwWindowHint(GLFW_ALPHA_BITS, 8);
        lastError().clear();
        myNative->window = glfwCreateWindow(width, height, title ? title : "", nullptr, nullptr);
    }
    if (!myNative->window)
    {
        myError = lastError().empty() ? "the window cannot be made" : lastError();
        return;
    }
    GLFWwindow *w = myNative->window;
    glfwSetWindowUserPointer(w, this);
    glfwSetCursorPosCallback(w, Native::onCursor);
    glfwSetMouseButtonCallback(w, Native::onButton);
    glfwSetScrollCallback(w, Native::onScroll);
    glfwSetKeyCallback(w, Native::onKey);
    glfwSetFramebufferSizeCallback(w, Native::onFramebufferSize);
    glfwSetWindowIconifyCallback(w, Native::onIconify);
    glfwSetWindowCloseCallback(w, Native::onClose);
    glfwSetDropCallback(w, Native::onDrop);
    glfwSetWindowSizeLimits(w, GLFW_DONT_CARE, GLFW_DONT_CARE, theMaxSide, theMaxSide);
    glfwGetFramebufferSize(w, &myWidth, &myHeight);
    myWidth = std::min(myWidth, theMaxSide);
    myHeight = std::min(myHeight, theMaxSide);
    if (!makeCurrent())
    {
        myError = "the window's GL context cannot be made current";
        return;
    }
    myAskedSamples = samples;
    fitFramebuffer();
    glfwSwapInterval(1);
    myRender = std::make_unique<RE_Render>();
    myRender->setNativeContext(this);
}

UI_DesktopWindow::~UI_DesktopWindow()
{
    if (myNative->window)
    {
        // The render context deletes its display objects while GL is live.
        if (makeCurrent())
        {
            myRender.reset();
            myFramebuffer.release();
        }
        myRender.reset();
        if (isCurrent())
            setCurrent(nullptr);
        glfwMakeContextCurrent(nullptr);
        glfwDestroyWindow(myNative->window);
        myNative->window = nullptr;
    }
    if (myNative->counted)
    {
        --theWindows;
        stopLibrary();
    }
}

bool
UI_DesktopWindow::makeCurrent()
{
    if (!myNative->window)
        return false;
    if (isCurrent() && glfwGetCurrentContext() == myNative->window)
        return true;
    glfwMakeContextCurrent(myNative->window);
    if (glfwGetCurrentContext() != myNative->window)
        return false;
    setCurrent(this);
    return true;
}

void
UI_DesktopWindow::setTitle(const char *title)
{
    if (myNative->window)
        glfwSetWindowTitle(myNative->window, title ? title : "");
}

void
UI_DesktopWindow::setSize(int width, int height)
{
    if (!myNative->window)
        return;
    if (width < 1 || height < 1)
    {
        glfwIconifyWindow(myNative->window);
        return;
    }
    if (glfwGetWindowAttrib(myNative->window, GLFW_ICONIFIED))
        glfwRestoreWindow(myNative->window);
    glfwSetWindowSize(myNative->window, std::min(width, theMaxSide), std::min(height, theMaxSide));
}

bool
UI_DesktopWindow::nextInput(UI_DesktopInput &in, double timeout)
{
    if (myQueue.empty() && myNative->window)
    {
        if (timeout > 0.0)
            glfwWaitEventsTimeout(timeout);
        else
            glfwPollEvents();
    }
    if (myQueue.empty())
        return false;
    in = myQueue.front();
    myQueue.pop_front();
    return true;
}

void
UI_DesktopWindow::postInput(const UI_DesktopInput &in)
{
    myQueue.push_back(in);
}

void
UI_DesktopWindow::fitFramebuffer()
{
    // Smooth edges come from a multisampled framebuffer of our own, shown
    // through the window's back buffer: the window's frames then match the
    // offscreen ones, which draw the same way. Without it (the driver
    // refused it) the window is drawn straight, unsmoothed.
    if (myAskedSamples > 1 && myWidth > 0 && myHeight > 0 && makeCurrent())
        myFramebuffer.allocate(myWidth, myHeight, myAskedSamples);
}

void
UI_DesktopWindow::swapBuffers()
{
    if (!myNative->window)
        return;
    // Runs of objects the render context deferred land first.
    if (myRender && makeCurrent())
        myRender->drawDeferred();
    if (myFramebuffer.isAllocated() && makeCurrent())
        myFramebuffer.showInBackBuffer();
    glfwSwapBuffers(myNative->window);
}

bool
UI_DesktopWindow::drawImage(const std::vector<uint8_t> &rgba, int width, int height)
{
    if (!isValid() || width < 1 || height < 1 ||
        rgba.size() < size_t(width) * size_t(height) * 4 || !makeCurrent())
        return false;
    if (myRender)
        myRender->drawDeferred();
    glDrawBuffer(GL_BACK);
    glViewport(0, 0, myWidth, myHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (myWidth < 1 || myHeight < 1)
        return true;
    // Rows go down from the window's top edge: the image's first row is
    // its top one.
    GLboolean depth = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glWindowPos2i(0, myHeight);
    glPixelZoom(1.0f, -1.0f);
    glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPixelZoom(1.0f, 1.0f);
    if (depth)
        glEnable(GL_DEPTH_TEST);
    return true;
}

std::vector<uint8_t>
UI_DesktopWindow::readPixels()
{
    std::vector<uint8_t> image;
    if (!isValid() || myWidth < 1 || myHeight < 1 || !makeCurrent())
        return image;
    if (myRender)
        myRender->drawDeferred();
    const size_t stride = size_t(myWidth) * 4;
    std::vector<uint8_t> bottomUp(stride * size_t(myHeight));
    if (myFramebuffer.isAllocated())
        myFramebuffer.read(0, 0, myWidth, myHeight, bottomUp.data());
    else
    {
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, myWidth, myHeight, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    }
    image.resize(bottomUp.size());
    for (int y = 0; y < myHeight; ++y)
        std::memcpy(&image[stride * size_t(y)], &bottomUp[stride * size_t(myHeight - 1 - y)],
                    stride);
    return image;
}

bool
UI_DesktopWindow::writePNG(const char *path)
{
    const std::vector<uint8_t> image = readPixels();
    return !image.empty() && REwritePNG(path, myWidth, myHeight, image.data());
}
