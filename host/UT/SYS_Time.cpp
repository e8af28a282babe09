#include "host/UT/SYS_Time.h"

#include <chrono>

int
SYSgettimeofday(SYS_TimeVal *tv)
{
    if (!tv)
        return -1;
    auto now = std::chrono::system_clock::now().time_since_epoch();
    auto us = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    tv->tv_sec = long(us / 1000000);
    tv->tv_usec = long(us % 1000000);
    return 0;
}
