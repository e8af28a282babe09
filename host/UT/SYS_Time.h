#pragma once

// Wall-clock time as whole seconds and microseconds since the epoch.
struct SYS_TimeVal
{
    long tv_sec = 0;
    long tv_usec = 0;
};

// Fills tv from the current time source; returns 0 on success, -1 when tv
// is null.
int SYSgettimeofday(SYS_TimeVal *tv);

// Where SYSgettimeofday takes the time from. The system clock until
// another source is set; a null source brings the system clock back. Lets
// callers that measure elapsed time (fading, timing) be driven by a clock
// they control, without waiting.
using SYS_TimeSource = void (*)(SYS_TimeVal *tv);
void SYSsetTimeSource(SYS_TimeSource source);
