#ifndef GB_PointGroup_h
#define GB_PointGroup_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GB_ElementGroup.h"

// A set of points of one geometry, by point index.
class VANTREL_API GB_PointGroup : public GB_ElementGroup
{
public:
    using GB_ElementGroup::GB_ElementGroup;
};

#endif
