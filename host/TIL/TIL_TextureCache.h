#ifndef TIL_TextureCache_h
#define TIL_TextureCache_h

// The process-wide version of the loaded textures: it grows by one each
// time an image that drawing may use is loaded or reloaded, so that cached
// drawing made with older textures can tell it is stale.
class TIL_TextureCache
{
public:
    static int getVersion();
    // Called by whoever (re)loads an image; returns the new version.
    static int bumpVersion();
};

#endif
