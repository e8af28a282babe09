#include "host/RE/RE_Displace.h"

int
RE_Displace::bumpRefCount(int delta)
{
    if (delta >= 0)
        return myRefCount += delta;
    if (myRefCount <= 0)
        return 0;
    const int held = myRefCount;
    myRefCount = held + delta > 0 ? held + delta : 0;
    if (myRefCount == 0)
    {
        delete this;
        return 0;
    }
    return myRefCount;
}
