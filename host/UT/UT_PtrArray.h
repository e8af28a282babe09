#pragma once

#include "host/UT/UT_ValArray.h"

// An array of pointers; reading out of range gives null. It never owns
// what it points to.
template <typename T>
class UT_PtrArray : public UT_ValArray<T>
{
};
