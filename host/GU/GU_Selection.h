#ifndef GU_Selection_h
#define GU_Selection_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GB_ElementGroup.h"

// Which kind of component a selection picks.
enum GU_SelectionType
{
    GU_SELECT_POINTS = 0,
    GU_SELECT_PRIMITIVES = 1,
    GU_SELECT_VERTICES = 2
};

// A component selection of one geometry: a set of point, primitive or
// vertex indices.
class VANTREL_API GU_Selection : public GB_ElementGroup
{
public:
    explicit GU_Selection(GU_SelectionType type = GU_SELECT_PRIMITIVES)
        : myType(type) {}

    GU_SelectionType getType() const { return myType; }

private:
    GU_SelectionType myType;
};

#endif
