#ifndef UI_Object_h
#define UI_Object_h

#include "host/UT/SYS_Visibility.h"

// The root of the toolkit's polymorphic objects: each answers its class
// name, and is destroyed through the base.
class VANTREL_API UI_Object
{
public:
    UI_Object() = default;
    UI_Object(const UI_Object &) = default;
    UI_Object &operator=(const UI_Object &) = default;
    virtual ~UI_Object() = default;

    virtual const char *className() const { return "UI_Object"; }
};

#endif
