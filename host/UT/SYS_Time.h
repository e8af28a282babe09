#pragma once

// Wall-clock time as whole seconds and microseconds since the epoch.
struct SYS_TimeVal
{
    long tv_sec = 0;
    long tv_usec = 0;
};

// Fills tv; returns 0 on success, -1 when tv is null.
int SYSgettimeofday(SYS_TimeVal *tv);
