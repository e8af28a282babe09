#pragma once

#include "host/UT/UT_Vector3.h"

// A homogeneous 4-component float vector.
class UT_Vector4
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

    // The point after the perspective divide (w = 0 is left undivided).
    UT_Vector3 dehomogenize() const
    {
        if (vec[3] == 0.0f)
            return UT_Vector3(vec[0], vec[1], vec[2]);
        return UT_Vector3(vec[0] / vec[3], vec[1] / vec[3], vec[2] / vec[3]);
    }

    float vec[4];
};
