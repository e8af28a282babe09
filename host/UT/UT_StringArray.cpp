#include "host/UT/UT_StringArray.h"

int
UT_StringArray::append(const char *s)
{
    myData.emplace_back(s ? s : "");
    return entries() - 1;
}

int
UT_StringArray::find(const char *s) const
{
    for (int i = 0; i < entries(); ++i)
        if (myData[size_t(i)] == s)
            return i;
    return -1;
}

bool
UT_StringArray::removeIndex(int i)
{
    if (i < 0 || i >= entries())
        return false;
    myData.erase(myData.begin() + i);
    return true;
}

const UT_String &
UT_StringArray::operator()(int i) const
{
    static const UT_String theEmpty("");
    return (i >= 0 && i < entries()) ? myData[size_t(i)] : theEmpty;
}

void
UT_StringArray::set(int i, const char *s)
{
    if (i < 0)
        return;
    if (i >= entries())
        myData.resize(size_t(i) + 1, UT_String(""));
    myData[size_t(i)] = s ? s : "";
}

bool
UT_StringArray::operator==(const UT_StringArray &o) const
{
    if (entries() != o.entries())
        return false;
    for (int i = 0; i < entries(); ++i)
        if (myData[size_t(i)] != o.myData[size_t(i)])
            return false;
    return true;
}
