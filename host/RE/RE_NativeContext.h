#pragma once

#include "host/UT/SYS_Visibility.h"

// A drawing context of the window system (or a headless one) that a render
// context sends its GL calls to. A render context only talks to OpenGL
// while its native context is the current one of the process.
class VANTREL_API RE_NativeContext
{
public:
    RE_NativeContext();
    virtual ~RE_NativeContext();
    RE_NativeContext(const RE_NativeContext &) = delete;
    RE_NativeContext &operator=(const RE_NativeContext &) = delete;

    // True while ctx is a native context that has not been destroyed.
    static bool isLive(const RE_NativeContext *ctx);

    // Makes this context current on the calling thread; false on failure.
    virtual bool makeCurrent() = 0;

    // True when this context is the one made current last.
    bool isCurrent() const { return theCurrent == this; }

    // Width and height of the drawing surface in pixels.
    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;

    // True when the surface has separate front and back buffers.
    virtual bool isDoubleBuffered() const { return false; }

    // The native context made current last, or null.
    static RE_NativeContext *getCurrent() { return theCurrent; }
    // Changes each time another context is made current, so a render
    // context can tell that GL may have moved on without it.
    static unsigned getActivationStamp() { return theStamp; }

protected:
    static void setCurrent(RE_NativeContext *ctx)
    {
        if (ctx != theCurrent)
            ++theStamp;
        theCurrent = ctx;
    }

private:
    static RE_NativeContext *theCurrent;
    static unsigned theStamp;
};
