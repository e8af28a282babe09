#include "host/RE/RE_Texture2DMap.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_NativeContext.h"
#include "host/RE/RE_OGLRender.h"
#include "host/TIL/TIL_TextureCache.h"
#include "host/TIL/TIL_TextureMap.h"

RE_Texture2DMap::RE_Texture2DMap(int width, int height, int format)
    : myWidth(width > 0 ? width : 0), myHeight(height > 0 ? height : 0),
      myFormat(format)
{
}

RE_Texture2DMap::~RE_Texture2DMap()
{
    clearRenderIndex();
}

void
RE_Texture2DMap::setMap(const TIL_TextureMap *image)
{
    myImage = image;
}

void
RE_Texture2DMap::setMinFilter(int filter)
{
    myMinFilter = filter ? 1 : 0;
    applyFilters();
}

void
RE_Texture2DMap::setMagFilter(int filter)
{
    myMagFilter = filter ? 1 : 0;
    applyFilters();
}

void
RE_Texture2DMap::setModeFlag(int flag, bool on)
{
    if (on)
        myModeFlags |= flag;
    else
        myModeFlags &= ~flag;
}

void
RE_Texture2DMap::applyFilters()
{
    if (!myIndex || !myOwner || !myOwner->isCurrent())
        return;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, myIndex);
    const bool mip = getModeFlag(RE_TEXTURE_MIPMAP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    myMinFilter ? (mip ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR)
                                : (mip ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER,
                    myMagFilter ? GL_LINEAR : GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

void
RE_Texture2DMap::clearRenderIndex()
{
    if (!myIndex)
        return;
    // Display objects that used this texture have to be rebuilt.
    RE_OGLRender::textureChanged(myIndex);
    if (myOwner && myOwner->isCurrent())
    {
        const GLuint name = myIndex;
        glDeleteTextures(1, &name);
    }
    myIndex = 0;
    myOwner = nullptr;
    myUploadedPixels = nullptr;
}

unsigned int
RE_Texture2DMap::getIndex(int reload)
{
    RE_NativeContext *current = RE_NativeContext::getCurrent();
    if (!current)
        return 0;
    const int w = myImage ? myImage->getWidth() : myWidth;
    const int h = myImage ? myImage->getHeight() : myHeight;
    const void *pixels = myImage ? myImage->getPixels() : nullptr;
    if (w <= 0 || h <= 0)
        return 0;
    // A reloaded image may reuse the old one's memory; the cache version
    // tells the two apart.
    const int version = TIL_TextureCache::getVersion();
    const bool changed = pixels != myUploadedPixels || w != myUploadedWidth ||
                         h != myUploadedHeight || version != myUploadedVersion;
    if (myIndex && myOwner == current && !reload && !changed)
        return myIndex;
    clearRenderIndex();

    GLuint name = 0;
    glGenTextures(1, &name);
    if (!name)
        return 0;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, name);
    const GLint wrap = getModeFlag(RE_TEXTURE_REPEAT) ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP,
                    getModeFlag(RE_TEXTURE_MIPMAP) ? GL_TRUE : GL_FALSE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Rows of the image run bottom to top, as GL expects.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    myIndex = name;
    myOwner = current;
    myUploadedPixels = pixels;
    myUploadedWidth = w;
    myUploadedHeight = h;
    myUploadedVersion = version;
    applyFilters();
    return myIndex;
}
