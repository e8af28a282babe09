#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/RE/RE_NativeContext.h"
#include "host/RE/RE_SampledFramebuffer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class RE_Render;

// A headless GL context (compatibility profile) drawing into a framebuffer
// object of a fixed size, with a render context bound to it. It needs no
// window system or GPU: EGL on Mesa's surfaceless platform, falling back to
// EGL's default display.
//
// Creation never throws: check isValid() and getError(). Pixels read back
// are RGBA, 8 bits per channel.
class VANTREL_API RE_OffscreenContext : public RE_NativeContext
{
public:
    // With samples above 1 the frame is drawn multisampled (as many samples
    // as the driver allows, at most the number asked) and resolved when read.
    RE_OffscreenContext(int width, int height, int samples = 1);
    ~RE_OffscreenContext() override;
    RE_OffscreenContext(const RE_OffscreenContext &) = delete;
    RE_OffscreenContext &operator=(const RE_OffscreenContext &) = delete;

    bool isValid() const { return myValid; }
    // Why creation failed; empty when it did not.
    const std::string &getError() const { return myError; }

    bool makeCurrent() override;
    int getWidth() const override { return myWidth; }
    int getHeight() const override { return myHeight; }

    // The samples per pixel drawn: 1 unless more were asked and given.
    int getSamples() const { return myFramebuffer.getSamples(); }

    // The render context drawing here; null when creation failed.
    RE_Render *getRender() const { return myRender.get(); }

    // The whole image, top row first (the order of image files). Empty on
    // failure.
    std::vector<uint8_t> readPixels();
    // One pixel in window coordinates (origin at the lower left, as the
    // viewport uses). False (and transparent black) outside the image.
    bool readPixel(int x, int y, uint8_t rgba[4]);
    // Writes the image as a PNG file.
    bool writePNG(const char *path);

    // The live context whose display objects this one was made to share,
    // or null (none, or it is gone).
    RE_OffscreenContext *getSharedWith() const { return mySharedWith; }

private:
    bool create();
    static std::vector<RE_OffscreenContext *> &liveOffscreens();
    static RE_OffscreenContext *sharePartner(void *display);

    int myWidth;
    int myHeight;
    int mySamples; // asked for
    bool myValid = false;
    std::string myError;
    void *myDisplay = nullptr; // EGLDisplay
    void *myContext = nullptr; // EGLContext
    void *mySurface = nullptr; // EGLSurface, when the display needs one
    RE_SampledFramebuffer myFramebuffer;
    std::unique_ptr<RE_Render> myRender;
    RE_OffscreenContext *mySharedWith = nullptr;
    bool myInGroup = false; // shares the process's group of display objects
};
