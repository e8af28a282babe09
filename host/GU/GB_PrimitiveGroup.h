#ifndef GB_PrimitiveGroup_h
#define GB_PrimitiveGroup_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GB_ElementGroup.h"

// A set of primitives of one geometry, by primitive index.
class VANTREL_API GB_PrimitiveGroup : public GB_ElementGroup
{
public:
    using GB_ElementGroup::GB_ElementGroup;
};

#endif
