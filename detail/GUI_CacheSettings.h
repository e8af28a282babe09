#ifndef GUI_CacheSettings_h
#define GUI_CacheSettings_h

#include "host/UT/SYS_Visibility.h"

// The environment settings that control cached drawing:
// "VANTREL_DISABLE_DISPLAYLIST" (non-zero: never build cached display
// objects) and "VANTREL_DISPLAYLIST_THRESHOLD" (how many consecutive
// unchanged draws an object waits before it is cached). Each renderer class
// keeps its own copy, read on its first use, so each says once that
// caching is off.
class VANTREL_API GUI_CacheSettings
{
public:
    bool isCachingDisabled();
    int getDisplayListThreshold();

private:
    int myDisabled = -1;
    int myThreshold = -1;
};

#endif
