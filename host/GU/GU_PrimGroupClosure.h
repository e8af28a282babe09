#ifndef GU_PrimGroupClosure_h
#define GU_PrimGroupClosure_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GB_PrimitiveGroup.h"

#include <string>

class GB_Detail;

// The primitives of one geometry named by a primitive group, kept as a
// copy so that the closure stays safe to read after the geometry changes
// or goes away. The group either lists the primitives to keep (a
// "visible" group) or those to leave out (a "hidden" group).
class VANTREL_API GU_PrimGroupClosure
{
public:
    GU_PrimGroupClosure() = default;

    // Rebuilds from the group called group_name in gdp. keep_listed
    // non-zero: the group lists the primitives to keep; zero: the group
    // lists the primitives to leave out. Without geometry or without such
    // a group the closure becomes invalid and lets every primitive through.
    void refresh(const GB_Detail *gdp, const char *group_name, int keep_listed);

    bool isValid() const { return myValid; }
    // The copied group, or null when invalid.
    const GB_PrimitiveGroup *getGroup() const { return myValid ? &myGroup : nullptr; }
    bool keepsListed() const { return myKeepListed; }

    // Whether primitive prim is let through.
    bool includes(int prim) const
    {
        return !myValid || myGroup.contains(prim) == myKeepListed;
    }

private:
    GB_PrimitiveGroup myGroup;
    bool myValid = false;
    bool myKeepListed = false;
};

#endif
