#include "host/UT/SYS_Time.h"

#include <chrono>

namespace
{
void
systemTime(SYS_TimeVal *tv)
{
    auto now = std::chrono::system_clock::now().time_since_epoch();
    auto us = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    tv->tv_sec = long(us / 1000000);
    tv->tv_usec = long(us % 1000000);
}

SYS_TimeSource theTimeSource = systemTime;
}

int
SYSgettimeofday(SYS_TimeVal *tv)
{
    if (!tv)
        return -1;
    theTimeSource(tv);
    return 0;
}

void
SYSsetTimeSource(SYS_TimeSource source)
{
    theTimeSource = source ? source : systemTime;
}
