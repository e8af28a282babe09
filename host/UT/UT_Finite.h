#pragma once

#include "host/UT/UT_Matrix4.h"

#include <cmath>

// True when every value is a finite number (no NaN, no infinity).
inline bool
UTisFinite(const float *values, int count)
{
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(values[i]))
            return false;
    return true;
}

inline bool
UTisFinite(const UT_Matrix4 &m)
{
    return UTisFinite(m.data(), 16);
}
