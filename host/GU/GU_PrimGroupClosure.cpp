#include "host/GU/GU_PrimGroupClosure.h"

#include "host/GU/GB_Detail.h"

void
GU_PrimGroupClosure::refresh(const GB_Detail *gdp, const char *group_name,
                             int keep_listed)
{
    myKeepListed = keep_listed != 0;
    const GB_PrimitiveGroup *group =
        gdp ? gdp->findPrimitiveGroup(group_name) : nullptr;
    myValid = group != nullptr;
    if (group)
        myGroup = *group;
    else
        myGroup = GB_PrimitiveGroup();
}
