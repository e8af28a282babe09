#pragma once

#include "host/UT/SYS_Visibility.h"

class TIL_TextureMap;
class RE_NativeContext;

// A 2D texture made from an image of the image library. The image is held
// by pointer (not owned) and uploaded to GL by getIndex on first use, and
// again after clearRenderIndex or a change of image.
class VANTREL_API RE_Texture2DMap
{
public:
    // Mode flags.
    enum
    {
        RE_TEXTURE_REPEAT = 1, // wrap coordinates instead of clamping
        RE_TEXTURE_MIPMAP = 4  // build mipmaps when uploading
    };

    // The size and format of an empty texture; 0 for none (the size comes
    // from the image given to setMap).
    RE_Texture2DMap(int width = 0, int height = 0, int format = 0);
    ~RE_Texture2DMap();
    RE_Texture2DMap(const RE_Texture2DMap &) = delete;
    RE_Texture2DMap &operator=(const RE_Texture2DMap &) = delete;

    void setMap(const TIL_TextureMap *image);
    const TIL_TextureMap *getMap() const { return myImage; }

    // 0 nearest, 1 linear.
    void setMinFilter(int filter);
    void setMagFilter(int filter);
    int getMinFilter() const { return myMinFilter; }
    int getMagFilter() const { return myMagFilter; }

    int getModeFlags() const { return myModeFlags; }
    bool getModeFlag(int flag) const { return (myModeFlags & flag) != 0; }
    void setModeFlag(int flag, bool on);

    // The GL texture name of the image, uploading it when needed; a
    // non-zero reload uploads it again in any case. 0 when there is no
    // image or no current GL context.
    unsigned int getIndex(int reload = 0);
    // Drops the GL texture so the next getIndex uploads the image again.
    void clearRenderIndex();

private:
    void applyFilters();

    const TIL_TextureMap *myImage = nullptr;
    int myWidth;
    int myHeight;
    int myFormat;
    int myMinFilter = 1;
    int myMagFilter = 1;
    int myModeFlags = 0;
    unsigned int myIndex = 0;
    RE_NativeContext *myOwner = nullptr; // the context the name belongs to
    const void *myUploadedPixels = nullptr;
    int myUploadedWidth = 0;
    int myUploadedHeight = 0;
    int myUploadedVersion = 0;
};
