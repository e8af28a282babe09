#include "host/TIL/TIL_TextureCache.h"

namespace
{
int theVersion = 0;
}

int
TIL_TextureCache::getVersion()
{
    return theVersion;
}

int
TIL_TextureCache::bumpVersion()
{
    return ++theVersion;
}
