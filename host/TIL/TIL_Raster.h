#ifndef TIL_Raster_h
#define TIL_Raster_h

#include "host/UT/SYS_Visibility.h"
#include "host/TIL/TIL_TextureMap.h"

// An image meant to be drawn as pixels (not laid on geometry): the same
// RGBA layout as a texture map, rows bottom to top, so the render context
// can draw either.
class VANTREL_API TIL_Raster : public TIL_TextureMap
{
public:
    TIL_Raster() = default;
    TIL_Raster(int width, int height) : TIL_TextureMap(width, height) {}
};

#endif
