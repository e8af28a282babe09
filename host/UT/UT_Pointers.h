#pragma once

#include "host/UT/UT_ValArray.h"

// A set-like list of untyped pointers in the order they were added. It
// does not own them.
class VANTREL_API UT_Pointers : public UT_ValArray<void *>
{
public:
    // Adds p unless it is already present; returns its index.
    int addMember(void *p)
    {
        int i = find(p);
        return i >= 0 ? i : append(p);
    }
    // Removes p; returns its old index, or -1 when it was not present.
    int removeMember(void *p) { return findAndRemove(p); }
    bool hasMember(void *p) const { return find(p) >= 0; }
};
