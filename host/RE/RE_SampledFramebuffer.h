#pragma once

#include "host/UT/SYS_Visibility.h"

#include <cstdint>

// A framebuffer object that a context draws into instead of its window or
// surface: colour and depth-stencil buffers of one size, multisampled when
// more than one sample is asked for, with a plain colour buffer the samples
// are averaged into before anything is read or shown. Offscreen contexts
// and windows draw through the same one, so that their frames match pixel
// for pixel.
//
// Every call needs the owning GL context current.
class VANTREL_API RE_SampledFramebuffer
{
public:
    RE_SampledFramebuffer() = default;
    ~RE_SampledFramebuffer() = default; // release() while the context lives
    RE_SampledFramebuffer(const RE_SampledFramebuffer &) = delete;
    RE_SampledFramebuffer &operator=(const RE_SampledFramebuffer &) = delete;

    // Makes the buffers for a width x height frame with at most samples
    // samples (what the driver allows), keeping the contents of nothing,
    // and binds them for drawing. False when the driver refuses them.
    bool allocate(int width, int height, int samples);
    // Deletes the buffers; binds the context's own framebuffer.
    void release();

    bool isAllocated() const { return myFramebuffer != 0; }
    int getSamples() const { return mySamples; }
    // Binds the framebuffer for drawing and reading.
    void bind() const;

    // Reads a box of the frame (RGBA bytes, bottom row first), averaging
    // the samples first. Drawing stays bound here.
    void read(int x, int y, int w, int h, uint8_t *rgba) const;
    // Copies the whole frame, samples averaged, to the back buffer of the
    // context's own framebuffer, to be shown; drawing stays bound here.
    void showInBackBuffer() const;

private:
    // Averages the samples of the box into the plain buffer and leaves it
    // bound for reading.
    void resolve(int x, int y, int w, int h) const;

    int myWidth = 0, myHeight = 0, mySamples = 1;
    unsigned int myFramebuffer = 0, myColor = 0, myDepth = 0;
    unsigned int myResolveFramebuffer = 0, myResolveColor = 0; // multisampled only
};
