#include "scene/GUI_FadeClock.h"

#include "host/UT/SYS_Math.h"
#include "host/UT/SYS_Time.h"

#include <climits>

GUI_FadeClock &
GUI_FadeClock::theClock()
{
    static GUI_FadeClock theFadeClock;
    return theFadeClock;
}

float
GUI_FadeClock::accumulate(float a, double fps)
{
    SYS_TimeVal now;
    SYSgettimeofday(&now);
    const int32_t sec = int32_t(now.tv_sec), usec = int32_t(now.tv_usec);
    const double elapsedMs =
        (double(usec) - double(myLastMicroseconds)) * 0.001 +
        (double(sec) - double(myLastSeconds)) * 1000.0;
    myLastSeconds = sec;
    myLastMicroseconds = usec;
    const bool first = myFirstUse;
    myFirstUse = false;
    // Only a partial alpha accumulates: the powers of 1 or more never shrink.
    if (first || !(a > 0.0f && a < 1.0f))
        return a;

    const double frames = SYSceil(elapsedMs * fps * 0.001);
    if (!(frames >= 1.0))
        return 0.0f;
    const long n = frames < double(INT_MAX) ? long(frames) : long(INT_MAX);
    float sum = 0.0f, power = 1.0f;
    for (long i = 0; i < n; ++i)
    {
        power *= a;
        const float next = sum + power;
        // The powers only shrink: once one no longer changes the sum, none
        // of the rest will.
        if (next == sum)
            break;
        sum = next;
    }
    return sum;
}
