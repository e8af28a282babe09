#pragma once

#include "host/UT/SYS_Visibility.h"

#include <memory>

namespace vantrel
{
class Object;

// One record of a pick pass: the object (null when the record names none
// of the viewport's objects), the handle and primitive named under it (-1
// when none) and the nearest depth (0 near to 1 far).
struct VANTREL_API PickRecord
{
    std::shared_ptr<Object> object;
    int handle = -1;
    int primitive = -1;
    double depth = 1.0;
};
} // namespace vantrel
