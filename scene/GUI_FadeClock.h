#ifndef GUI_FadeClock_h
#define GUI_FadeClock_h

#include "host/UT/SYS_Visibility.h"
#include <cstdint>

// The clock of the fading clear: when the previous fading clear happened.
// A fading clear paints the background with a small alpha each frame; when
// frames were skipped, the alpha grows as if each missed frame had been
// painted too, so the fade runs at the scene's rate and not the drawing
// rate. One clock serves every viewport of the process.
class VANTREL_API GUI_FadeClock
{
public:
    // The process-wide clock, made on first use.
    static GUI_FadeClock &theClock();

    // Reads the time of day and returns the alpha to paint with for a
    // per-frame alpha a, at fps frames per second: a itself on the first
    // call, later a + a^2 + ... + a^n with n the frames elapsed since the
    // previous call (rounded up; 0 when none elapsed, or the clock went
    // back). An a outside (0, 1) is returned as it is.
    float accumulate(float a, double fps);

    bool isFirstUse() const { return myFirstUse; }

private:
    int32_t myLastSeconds = 0;
    int32_t myLastMicroseconds = 0;
    bool myFirstUse = true;
};

#endif
