#include "host/UT/UT_WorkBuffer.h"

#include <cstdarg>
#include <cstdio>

namespace
{
void
appendFormatted(std::string &out, const char *fmt, va_list args)
{
    if (!fmt)
        return;
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (n <= 0)
        return;
    size_t old = out.size();
    out.resize(old + size_t(n) + 1);
    std::vsnprintf(&out[old], size_t(n) + 1, fmt, args);
    out.resize(old + size_t(n));
}
} // namespace

int
UT_WorkBuffer::sprintf(const char *fmt, ...)
{
    myData.clear();
    va_list args;
    va_start(args, fmt);
    appendFormatted(myData, fmt, args);
    va_end(args);
    return length();
}

int
UT_WorkBuffer::appendSprintf(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    appendFormatted(myData, fmt, args);
    va_end(args);
    return length();
}
