#pragma once

#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_Vector3.h"

#include <gtest/gtest.h>

namespace vantrel_test
{
// Component-wise comparisons that name the failing component.
inline void
expectNear(const UT_Vector3 &a, const UT_Vector3 &b, float tol = 1e-5f)
{
    EXPECT_NEAR(a.x(), b.x(), tol);
    EXPECT_NEAR(a.y(), b.y(), tol);
    EXPECT_NEAR(a.z(), b.z(), tol);
}

inline void
expectMatrixNear(const UT_Matrix4 &a, const UT_Matrix4 &b, float tol = 1e-5f)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(a(r, c), b(r, c), tol) << "at " << r << "," << c;
}
}
