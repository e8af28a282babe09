#pragma once

#include "host/UT/SYS_Visibility.h"
#include "host/UT/UT_ValArray.h"

// An array of pointers; reading out of range gives null. It never owns
// what it points to.
template <typename T>
class VANTREL_API UT_PtrArray : public UT_ValArray<T>
{
};
