#ifndef GB_PointGroup_h
#define GB_PointGroup_h

#include "host/GU/GB_ElementGroup.h"

// A set of points of one geometry, by point index.
class GB_PointGroup : public GB_ElementGroup
{
public:
    using GB_ElementGroup::GB_ElementGroup;
};

#endif
