#include "detail/GUI_CacheSettings.h"

#include "host/UT/UT_EnvControl.h"

#include <algorithm>
#include <cstdio>

namespace
{
// Unchanged draws before an object is cached when the environment does not
// say: two, so one-off frames and animated geometry never pay for a
// recording, and a still object is replayed from its fourth frame.
const int theDefaultThreshold = 2;
}

bool
GUI_CacheSettings::isCachingDisabled()
{
    if (myDisabled < 0)
    {
        myDisabled = UT_EnvControl::getInt("VANTREL_DISABLE_DISPLAYLIST", 0) != 0;
        if (myDisabled)
            std::fprintf(stderr, "Vantrel. Avoiding caching object display "
                                 "(VANTREL_DISABLE_DISPLAYLIST)\n");
    }
    return myDisabled != 0;
}

int
GUI_CacheSettings::getDisplayListThreshold()
{
    if (myThreshold < 0)
        myThreshold = std::max(
            0, UT_EnvControl::getInt("VANTREL_DISPLAYLIST_THRESHOLD", theDefaultThreshold));
    return myThreshold;
}
