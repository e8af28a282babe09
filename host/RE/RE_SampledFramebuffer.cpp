#include "host/RE/RE_SampledFramebuffer.h"

#include "host/RE/RE_GL.h"

#include <algorithm>

namespace
{
// A framebuffer with a colour buffer (and a depth-stencil one when depth is
// given) of the size and samples, left bound.
bool
makeFramebuffer(int width, int height, int samples, GLuint &fbo, GLuint &color, GLuint *depth)
{
    const GLsizei n = samples > 1 ? samples : 0;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glGenRenderbuffers(1, &color);
    glBindRenderbuffer(GL_RENDERBUFFER, color);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, n, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color);
    if (depth)
    {
        glGenRenderbuffers(1, depth);
        glBindRenderbuffer(GL_RENDERBUFFER, *depth);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, n, GL_DEPTH24_STENCIL8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  *depth);
    }
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// Blits a box between framebuffers with the scissor test out of the way
// (it clips blits), putting it back after.
void
blit(GLuint from, GLuint to, int x, int y, int w, int h)
{
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    glBlitFramebuffer(x, y, x + w, y + h, x, y, x + w, y + h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    if (scissor)
        glEnable(GL_SCISSOR_TEST);
}
} // namespace

bool
RE_SampledFramebuffer::allocate(int width, int height, int samples)
{
    release();
    GLint most = 1;
    glGetIntegerv(GL_MAX_SAMPLES, &most);
    myWidth = width;
    myHeight = height;
    mySamples = std::max(1, std::min(samples, int(most)));
    bool ok = makeFramebuffer(width, height, mySamples, myFramebuffer, myColor, &myDepth);
    if (ok && mySamples > 1)
        ok = makeFramebuffer(width, height, 1, myResolveFramebuffer, myResolveColor, nullptr);
    if (!ok)
    {
        release();
        return false;
    }
    bind();
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return true;
}

void
RE_SampledFramebuffer::release()
{
    const GLuint fbos[2] = {myFramebuffer, myResolveFramebuffer};
    const GLuint buffers[3] = {myColor, myDepth, myResolveColor};
    if (myFramebuffer || myResolveFramebuffer)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(2, fbos);
        glDeleteRenderbuffers(3, buffers);
    }
    myFramebuffer = myColor = myDepth = myResolveFramebuffer = myResolveColor = 0;
}

void
RE_SampledFramebuffer::bind() const
{
    glBindFramebuffer(GL_FRAMEBUFFER, myFramebuffer);
}

void
RE_SampledFramebuffer::resolve(int x, int y, int w, int h) const
{
    if (myResolveFramebuffer)
    {
        blit(myFramebuffer, myResolveFramebuffer, x, y, w, h);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, myResolveFramebuffer);
    }
    else
        glBindFramebuffer(GL_READ_FRAMEBUFFER, myFramebuffer);
}

void
RE_SampledFramebuffer::read(int x, int y, int w, int h, uint8_t *rgba) const
{
    resolve(x, y, w, h);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    bind();
}

void
RE_SampledFramebuffer::showInBackBuffer() const
{
    resolve(0, 0, myWidth, myHeight);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    blit(myResolveFramebuffer ? myResolveFramebuffer : myFramebuffer, 0, 0, 0, myWidth, myHeight);
    bind();
}
