#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_Axis3.h"
#include "host/UT/UT_Vector3.h"
#include "host/UT/UT_Vector4.h"
#include "host/UT/UT_XformOrder.h"

class UT_Matrix3;

// A 4x4 matrix for row vectors: p' = p * M, translation in the last row.
// Stored row-major, which is the same memory layout OpenGL expects, so
// data() can be handed to glLoadMatrix / glMultMatrix as it is.
//
// translate, rotate, scale, xform and *= append after the matrix's present
// effect (M = M * X); leftMult and the pre* operations prepend (M = X * M).
// Angles are radians except in xform, which takes degrees.
template <typename T>
class VANTREL_API UT_Matrix4T
{
public:
    typedef T value_type;

    // Identity.
    UT_Matrix4T() { *this = T(1); }
    // The identity scaled by s.
    explicit UT_Matrix4T(T s) { *this = s; }
    UT_Matrix4T(T m00, T m01, T m02, T m03,
                T m10, T m11, T m12, T m13,
                T m20, T m21, T m22, T m23,
                T m30, T m31, T m32, T m33);
    // Widened from a 3x3: no translation, w column (0, 0, 0, 1).
    explicit UT_Matrix4T(const UT_Matrix3 &m) { *this = m; }
    template <typename U>
    explicit UT_Matrix4T(const UT_Matrix4T<U> &m) { *this = m; }

    UT_Matrix4T &operator=(T s);
    UT_Matrix4T &operator=(const UT_Matrix3 &m);
    template <typename U>
    UT_Matrix4T &operator=(const UT_Matrix4T<U> &m)
    {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                matx[r][c] = T(m(r, c));
        return *this;
    }

    // Out-of-range indices are clamped rather than overrun.
    T &operator()(int r, int c) { return matx[clamp(r)][clamp(c)]; }
    T operator()(int r, int c) const { return matx[clamp(r)][clamp(c)]; }
    T *operator[](int r) { return matx[clamp(r)]; }
    const T *operator[](int r) const { return matx[clamp(r)]; }
    T *data() { return &matx[0][0]; }
    const T *data() const { return &matx[0][0]; }

    void identity() { *this = T(1); }
    void zero() { *this = T(0); }
    static const UT_Matrix4T &getIdentityMatrix();

    UT_Matrix4T &operator*=(const UT_Matrix4T &m);
    UT_Matrix4T &operator*=(T s);
    UT_Matrix4T &operator+=(const UT_Matrix4T &m);
    UT_Matrix4T &operator-=(const UT_Matrix4T &m);
    // M = m * M.
    void leftMult(const UT_Matrix4T &m);

    void translate(T tx, T ty, T tz);
    void pretranslate(T tx, T ty, T tz);
    void scale(T sx, T sy, T sz);
    void prescale(T sx, T sy, T sz);
    void rotate(UT_Axis3::axis a, T radians);
    // norm != 0 normalizes the axis first.
    void rotate(const UT_Vector3 &axis, T radians, int norm = 1);
    void prerotate(UT_Axis3::axis a, T radians);

    void transpose();
    T determinant() const;
    // Determinant of the upper-left 3x3: negative when the transform
    // mirrors, and so reverses the winding of faces.
    T determinant3() const;
    // 0 on success; nonzero (and out untouched) when singular, i.e. the
    // absolute determinant is not above tol or not finite.
    int invert(UT_Matrix4T &out, T tol = T(0)) const;
    int invert(T tol = T(0));

    // Appends the transform built from the given steps: scale (sx, sy, sz),
    // rotations (rx, ry, rz) in degrees, translation (tx, ty, tz), applied in
    // the order's sequence, with scale and rotation about the pivot
    // (px, py, pz). A non-zero reverse appends the inverse transform.
    void xform(const UT_XformOrder &order,
               T tx, T ty, T tz, T rx, T ry, T rz, T sx, T sy, T sz,
               int reverse = 0);
    void xform(const UT_XformOrder &order,
               T tx, T ty, T tz, T rx, T ry, T rz, T sx, T sy, T sz,
               T px, T py, T pz, int reverse = 0);

    // The inverse of xform: finds r (radians), s and t such that xform with
    // the same order and pivot (and r in degrees) rebuilds this matrix. A
    // mirroring matrix gets negative scales. Shears are not extracted; when
    // shears is given it is set to zero. Returns 0 on success, nonzero when
    // the matrix is singular (a zero scale).
    int explode(const UT_XformOrder &order, UT_Vector3 &r, UT_Vector3 &s,
                UT_Vector3 &t, UT_Vector3 *shears = nullptr) const;
    int explode(const UT_XformOrder &order, UT_Vector3 &r, UT_Vector3 &s,
                UT_Vector3 &t, const UT_Vector3 &pivot,
                UT_Vector3 *shears = nullptr) const;

    bool isIdentity(T tol = T(0)) const;
    bool isEqual(const UT_Matrix4T &m, T tol = T(1e-5)) const;
    bool operator==(const UT_Matrix4T &m) const;
    bool operator!=(const UT_Matrix4T &m) const { return !(*this == m); }

    T matx[4][4];

private:
    static int clamp(int i) { return i < 0 ? 0 : (i > 3 ? 3 : i); }
};

template <typename T>
VANTREL_API UT_Matrix4T<T> operator*(const UT_Matrix4T<T> &a, const UT_Matrix4T<T> &b);

// Full homogeneous row vector times matrix.
VANTREL_API UT_Vector4 operator*(const UT_Vector4 &v, const UT_Matrix4T<float> &m);
VANTREL_API UT_Vector4 operator*(const UT_Vector4 &v, const UT_Matrix4T<double> &m);

typedef UT_Matrix4T<float> UT_Matrix4;
typedef UT_Matrix4T<double> UT_DMatrix4;

extern template class UT_Matrix4T<float>;
extern template class UT_Matrix4T<double>;
