#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_Axis3.h"
#include "host/UT/UT_Vector3.h"

template <typename T> class UT_Matrix4T;

// A 3x3 float matrix for row vectors (p' = p * M). rotate, scale and *=
// append after the present effect (M = M * X); leftMult prepends.
class VANTREL_API UT_Matrix3
{
public:
    // Identity.
    UT_Matrix3() { *this = 1.0f; }
    // The identity scaled by s.
    explicit UT_Matrix3(float s) { *this = s; }
    UT_Matrix3(float m00, float m01, float m02,
               float m10, float m11, float m12,
               float m20, float m21, float m22);
    // The upper-left 3x3 of a 4x4.
    explicit UT_Matrix3(const UT_Matrix4T<float> &m) { *this = m; }
    explicit UT_Matrix3(const UT_Matrix4T<double> &m) { *this = m; }

    UT_Matrix3 &operator=(float s);
    UT_Matrix3 &operator=(const UT_Matrix4T<float> &m);
    UT_Matrix3 &operator=(const UT_Matrix4T<double> &m);

    // Out-of-range indices are clamped rather than overrun.
    float &operator()(int r, int c) { return matx[clamp(r)][clamp(c)]; }
    float operator()(int r, int c) const { return matx[clamp(r)][clamp(c)]; }
    float *operator[](int r) { return matx[clamp(r)]; }
    const float *operator[](int r) const { return matx[clamp(r)]; }
    float *data() { return &matx[0][0]; }
    const float *data() const { return &matx[0][0]; }

    void identity() { *this = 1.0f; }
    void zero() { *this = 0.0f; }
    static const UT_Matrix3 &getIdentityMatrix();

    UT_Matrix3 &operator*=(const UT_Matrix3 &m);
    UT_Matrix3 &operator*=(float s);
    UT_Matrix3 &operator+=(const UT_Matrix3 &m);
    UT_Matrix3 &operator-=(const UT_Matrix3 &m);
    // M = m * M.
    void leftMult(const UT_Matrix3 &m);

    // Angles in radians.
    void rotate(UT_Axis3::axis a, float radians);
    // Rotate about an arbitrary axis; norm != 0 normalizes the axis first.
    void rotate(const UT_Vector3 &axis, float radians, int norm = 1);
    void scale(float sx, float sy, float sz);

    void transpose();
    UT_Matrix3 transposedCopy() const { UT_Matrix3 m(*this); m.transpose(); return m; }
    float determinant() const;
    // 0 on success; nonzero (and out untouched) when singular.
    int invert(UT_Matrix3 &out) const;
    int invert();

    bool isIdentity(float tol = 0.0f) const;
    bool isEqual(const UT_Matrix3 &m, float tol = 1e-5f) const;
    bool operator==(const UT_Matrix3 &m) const;
    bool operator!=(const UT_Matrix3 &m) const { return !(*this == m); }

    float matx[3][3];

private:
    static int clamp(int i) { return i < 0 ? 0 : (i > 2 ? 2 : i); }
};

VANTREL_API UT_Matrix3 operator*(const UT_Matrix3 &a, const UT_Matrix3 &b);
