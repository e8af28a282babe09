#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_Vector3.h"

// A homogeneous 4-component float vector.
class VANTREL_API UT_Vector4
{
public:
    UT_Vector4() : vec{0.0f, 0.0f, 0.0f, 1.0f} {}
    UT_Vector4(float x, float y, float z, float w = 1.0f) : vec{x, y, z, w} {}
    explicit UT_Vector4(const UT_Vector3 &v, float w = 1.0f) : vec{v.x(), v.y(), v.z(), w} {}

    float &operator[](int i) { return vec[i < 0 ? 0 : (i > 3 ? 3 : i)]; }
    float operator[](int i) const { return vec[i < 0 ? 0 : (i > 3 ? 3 : i)]; }
    float x() const { return vec[0]; }
    float y() const { return vec[1]; }
    float z() const { return vec[2]; }
    float w() const { return vec[3]; }

    float vec[4];
};
