#include "host/RE/RE_OffscreenContext.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_PNG.h"
#include "host/RE/RE_Render.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <algorithm>
#include <cstring>

namespace
{
// One EGL display for the process, initialised by the first context and
// terminated when the last one goes.
struct DisplayUse
{
    EGLDisplay display = EGL_NO_DISPLAY;
    int users = 0;
};

DisplayUse &
displayUse()
{
    static DisplayUse theUse;
    return theUse;
}

bool
hasExtension(const char *list, const char *name)
{
    if (!list || !name)
        return false;
    const size_t len = std::strlen(name);
    for (const char *p = std::strstr(list, name); p; p = std::strstr(p + len, name))
        if ((p == list || p[-1] == ' ') && (p[len] == ' ' || p[len] == '\0'))
            return true;
    return false;
}

EGLDisplay
initialisedDisplay(EGLDisplay d)
{
    if (d == EGL_NO_DISPLAY)
        return EGL_NO_DISPLAY;
    EGLint major = 0, minor = 0;
    return eglInitialize(d, &major, &minor) ? d : EGL_NO_DISPLAY;
}

// Mesa's surfaceless platform first (no window system, no GPU needed), then
// whatever EGL gives by default.
EGLDisplay
acquireDisplay(std::string &error)
{
    DisplayUse &use = displayUse();
    if (use.display != EGL_NO_DISPLAY)
    {
        ++use.users;
        return use.display;
    }
    EGLDisplay d = EGL_NO_DISPLAY;
    const char *clientExts = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (hasExtension(clientExts, "EGL_MESA_platform_surfaceless"))
    {
        auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (getPlatformDisplay)
            d = initialisedDisplay(getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA,
                                                      EGL_DEFAULT_DISPLAY, nullptr));
    }
    if (d == EGL_NO_DISPLAY)
        d = initialisedDisplay(eglGetDisplay(EGL_DEFAULT_DISPLAY));
    if (d == EGL_NO_DISPLAY)
    {
        error = "no EGL display could be initialised";
        return EGL_NO_DISPLAY;
    }
    use.display = d;
    use.users = 1;
    return d;
}

// The share group of the process: a context of its own that is never
// made current and never destroyed, created with the first offscreen
// context, and a render context without GL that holds the group's table of
// display objects. Every offscreen context shares both, so display
// objects (the decorations' lists, cached drawings) outlive the contexts
// they were built in: closing the last viewport and opening another keeps
// every id valid.
struct ShareAnchor
{
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    RE_OGLRender *objects = nullptr;
};

ShareAnchor &
shareAnchor()
{
    // Reachable for the whole process; released by the process's exit.
    static ShareAnchor *theAnchor = new ShareAnchor;
    return *theAnchor;
}

// The group's context on this display, made on first use; no context when
// the display cannot make one (each offscreen context then stands alone).
EGLContext
anchorContext(EGLDisplay display, EGLConfig config, const EGLint *attribs)
{
    ShareAnchor &anchor = shareAnchor();
    if (anchor.context != EGL_NO_CONTEXT)
        return anchor.display == display ? anchor.context : EGL_NO_CONTEXT;
    anchor.context = eglCreateContext(display, config, EGL_NO_CONTEXT, attribs);
    if (anchor.context == EGL_NO_CONTEXT)
        return EGL_NO_CONTEXT;
    anchor.display = display;
    anchor.objects = new RE_OGLRender;
    // A render context made before the first offscreen one (the main one,
    // without GL) keeps sharing with those made after it.
    if (RE_Render *main = RE_Render::getMainRender())
        anchor.objects->shareObjectsWith(*main);
    return anchor.context;
}

void
releaseDisplay()
{
    // The display stays initialised for the rest of the process: terminating
    // it unloads the driver, and the next context would pay to load it again
    // (and leak checkers could no longer name the driver's own allocations).
    DisplayUse &use = displayUse();
    if (use.users > 0)
        --use.users;
}
}

RE_OffscreenContext::RE_OffscreenContext(int width, int height, int samples)
    : myWidth(width), myHeight(height), mySamples(samples)
{
    if (width < 1 || height < 1 || width > 16384 || height > 16384)
    {
        myError = "offscreen size out of range";
        return;
    }
    myValid = create();
    if (!myValid)
        return;
    liveOffscreens().push_back(this);
    myRender = std::make_unique<RE_Render>();
    if (myInGroup && shareAnchor().objects)
        myRender->shareObjectsWith(*shareAnchor().objects);
    else if (mySharedWith && mySharedWith->getRender())
        myRender->shareObjectsWith(*mySharedWith->getRender());
    myRender->setMode(RE_MODE_RGB | RE_MODE_ZBUFFER | RE_MODE_STENCIL | RE_MODE_ALPHA);
    myRender->setNativeContext(this);
}

std::vector<RE_OffscreenContext *> &
RE_OffscreenContext::liveOffscreens()
{
    static auto *theLive = new std::vector<RE_OffscreenContext *>;
    return *theLive;
}

RE_OffscreenContext *
RE_OffscreenContext::sharePartner(void *display)
{
    // The main context when it is one of ours, else any live one: they all
    // belong to the one share group.
    RE_Render *main = RE_Render::getMainRender();
    RE_OffscreenContext *best = nullptr;
    for (RE_OffscreenContext *c : liveOffscreens())
    {
        if (c->myDisplay != display || !c->myContext)
            continue;
        if (main && c->getRender() == main)
            return c;
        if (!best)
            best = c;
    }
    return best;
}

bool
RE_OffscreenContext::create()
{
    EGLDisplay display = acquireDisplay(myError);
    if (display == EGL_NO_DISPLAY)
        return false;
    myDisplay = display;
    if (!eglBindAPI(EGL_OPENGL_API))
    {
        myError = "EGL cannot bind the OpenGL API";
        return false;
    }
    const EGLint configAttribs[] = {
        EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
        EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
        EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
        EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttribs, &config, 1, &count) || count < 1)
        config = nullptr;
    const char *displayExts = eglQueryString(display, EGL_EXTENSIONS);
    if (!config && !hasExtension(displayExts, "EGL_KHR_no_config_context") &&
        !hasExtension(displayExts, "EGL_MESA_configless_context"))
    {
        myError = "no EGL configuration for OpenGL";
        return false;
    }
    // No version or profile asked for: Mesa then gives its newest
    // compatibility profile, which keeps immediate mode and display lists.
    const EGLint contextAttribs[] = {EGL_NONE};
    // Share display objects with the process's group, so that an object
    // built here can be released through the main context, and lives on
    // after this context.
    RE_OffscreenContext *partner = sharePartner(display);
    EGLContext group = anchorContext(display, config, contextAttribs);
    EGLContext context = EGL_NO_CONTEXT;
    if (group != EGL_NO_CONTEXT)
    {
        context = eglCreateContext(display, config, group, contextAttribs);
        myInGroup = context != EGL_NO_CONTEXT;
    }
    if (context == EGL_NO_CONTEXT && partner)
        context = eglCreateContext(display, config,
                                   static_cast<EGLContext>(partner->myContext), contextAttribs);
    if (context == EGL_NO_CONTEXT)
    {
        // A driver that cannot share still gives a context of its own.
        partner = nullptr;
        context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs);
    }
    mySharedWith = partner;
    if (context == EGL_NO_CONTEXT)
    {
        myError = "EGL cannot create an OpenGL context";
        return false;
    }
    myContext = context;
    if (!hasExtension(displayExts, "EGL_KHR_surfaceless_context") && config)
    {
        const EGLint pbufferAttribs[] = {EGL_WIDTH, myWidth, EGL_HEIGHT, myHeight, EGL_NONE};
        EGLSurface surface = eglCreatePbufferSurface(display, config, pbufferAttribs);
        if (surface == EGL_NO_SURFACE)
        {
            myError = "EGL cannot create a pbuffer";
            return false;
        }
        mySurface = surface;
    }
    EGLSurface surface = mySurface ? static_cast<EGLSurface>(mySurface) : EGL_NO_SURFACE;
    if (!eglMakeCurrent(display, surface, surface, context))
    {
        myError = "EGL cannot make the context current";
        return false;
    }
    setCurrent(this);

    // Draw into a framebuffer object so the size does not depend on any
    // surface the platform gives.
    if (!myFramebuffer.allocate(myWidth, myHeight, mySamples))
    {
        myError = "the framebuffer object is incomplete";
        return false;
    }
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    return true;
}

RE_OffscreenContext::~RE_OffscreenContext()
{
    std::vector<RE_OffscreenContext *> &all = liveOffscreens();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    for (RE_OffscreenContext *c : all)
        if (c->mySharedWith == this)
            c->mySharedWith = nullptr;
    if (myDisplay && myContext && makeCurrent())
    {
        // The render context deletes its display objects while GL is live.
        myRender.reset();
        myFramebuffer.release();
    }
    myRender.reset();
    if (myDisplay)
    {
        EGLDisplay display = static_cast<EGLDisplay>(myDisplay);
        if (isCurrent() || eglGetCurrentContext() == myContext)
            eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (isCurrent())
            setCurrent(nullptr);
        if (mySurface)
            eglDestroySurface(display, static_cast<EGLSurface>(mySurface));
        if (myContext)
            eglDestroyContext(display, static_cast<EGLContext>(myContext));
        releaseDisplay();
    }
}

bool
RE_OffscreenContext::makeCurrent()
{
    if (!myDisplay || !myContext)
        return false;
    if (isCurrent() && eglGetCurrentContext() == myContext)
        return true;
    EGLSurface surface = mySurface ? static_cast<EGLSurface>(mySurface) : EGL_NO_SURFACE;
    if (!eglMakeCurrent(static_cast<EGLDisplay>(myDisplay), surface, surface,
                        static_cast<EGLContext>(myContext)))
        return false;
    setCurrent(this);
    return true;
}

std::vector<uint8_t>
RE_OffscreenContext::readPixels()
{
    std::vector<uint8_t> image;
    if (!myValid || !makeCurrent())
        return image;
    // Runs of objects the render context deferred land first.
    if (myRender)
        myRender->drawDeferred();
    const size_t stride = static_cast<size_t>(myWidth) * 4;
    std::vector<uint8_t> bottomUp(stride * myHeight);
    myFramebuffer.read(0, 0, myWidth, myHeight, bottomUp.data());
    image.resize(bottomUp.size());
    for (int y = 0; y < myHeight; ++y)
        std::memcpy(&image[stride * y], &bottomUp[stride * (myHeight - 1 - y)], stride);
    return image;
}

bool
RE_OffscreenContext::readPixel(int x, int y, uint8_t rgba[4])
{
    rgba[0] = rgba[1] = rgba[2] = rgba[3] = 0;
    if (!myValid || x < 0 || y < 0 || x >= myWidth || y >= myHeight || !makeCurrent())
        return false;
    if (myRender)
        myRender->drawDeferred();
    myFramebuffer.read(x, y, 1, 1, rgba);
    return true;
}

bool
RE_OffscreenContext::writePNG(const char *path)
{
    const std::vector<uint8_t> image = readPixels();
    if (image.empty())
        return false;
    return REwritePNG(path, myWidth, myHeight, image.data());
}
