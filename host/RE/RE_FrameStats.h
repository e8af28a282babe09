#pragma once

#include "host/UT/SYS_Visibility.h"

// What one frame sent through a render context. The context counts cached
// replays, cache builds, triangles and lines; whoever draws objects adds
// the objects drawn and the time taken.
struct VANTREL_API RE_FrameStats
{
    long objectsDrawn = 0;
    long cachedReplays = 0;
    long cacheBuilds = 0;
    // Cached replays drawn together with others of their run, in one call.
    long batchedObjects = 0;
    long trianglesSent = 0;
    long linesSent = 0;
    double milliseconds = 0.0;
};
