#include "host/UT/UT_String.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

UT_String &
UT_String::operator=(const char *s)
{
    // Copy before assigning: s may point into our own buffer.
    if (!s)
    {
        myData.clear();
        myIsNull = true;
        return *this;
    }
    std::string copy(s);
    myData.swap(copy);
    myIsNull = false;
    return *this;
}

UT_String &
UT_String::operator=(const std::string &s)
{
    myData = s;
    myIsNull = false;
    return *this;
}

UT_String &
UT_String::operator+=(const char *s)
{
    myIsNull = false;
    if (s)
        myData += std::string(s);
    return *this;
}

void
UT_String::append(char c)
{
    myIsNull = false;
    myData.push_back(c);
}

int
UT_String::sprintf(const char *fmt, ...)
{
    if (!fmt)
    {
        *this = "";
        return 0;
    }
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0)
    {
        out.resize(size_t(n) + 1);
        std::vsnprintf(&out[0], out.size(), fmt, args);
        out.resize(size_t(n));
    }
    va_end(args);
    *this = out;
    return length();
}

bool
UT_String::contains(const char *part) const
{
    return part && myData.find(part) != std::string::npos;
}

int
UT_String::compare(const char *s) const
{
    return std::strcmp(myData.c_str(), s ? s : "");
}

bool operator==(const UT_String &a, const UT_String &b) { return a.toStdString() == b.toStdString(); }
bool operator==(const UT_String &a, const char *b) { return a.compare(b) == 0; }
bool operator==(const char *a, const UT_String &b) { return b.compare(a) == 0; }
bool operator!=(const UT_String &a, const UT_String &b) { return !(a == b); }
bool operator!=(const UT_String &a, const char *b) { return !(a == b); }
bool operator!=(const char *a, const UT_String &b) { return !(a == b); }
bool operator<(const UT_String &a, const UT_String &b) { return a.toStdString() < b.toStdString(); }
