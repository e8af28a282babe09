#pragma once

#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_Vector3.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

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

// A run of values read back one by one, naming the position of a mismatch;
// a zero tolerance means equal to within four units in the last place.
inline void
expectFloats(const std::vector<float> &got, const std::vector<float> &want, float tol = 0.0f)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i)
    {
        if (tol > 0.0f)
            EXPECT_NEAR(got[i], want[i], tol) << "value " << i;
        else
            EXPECT_FLOAT_EQ(got[i], want[i]) << "value " << i;
    }
}

// The place of a virtual operation in its class's table of virtual
// operations, counted in entries (a destructor takes two), or -1 when the
// member is not virtual. A pointer to a virtual member holds one plus the
// entry's byte offset in the table.
template <class Member>
std::ptrdiff_t
virtualSlot(Member member)
{
    static_assert(sizeof(Member) == 2 * sizeof(std::ptrdiff_t), "a two-word member pointer");
    std::ptrdiff_t words[2];
    std::memcpy(words, &member, sizeof(words));
    if ((words[0] & 1) == 0)
        return -1;
    return (words[0] - 1) / std::ptrdiff_t(sizeof(void *));
}
}
