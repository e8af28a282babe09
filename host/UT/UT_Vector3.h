#pragma once

#include "host/UT/SYS_Visibility.h"

#include <cmath>

class UT_Matrix3;
template <typename T> class UT_Matrix4T;

// A 3-component float vector. Used as a point (row vector) or a direction.
class VANTREL_API UT_Vector3
{
public:
    UT_Vector3() : vec{0.0f, 0.0f, 0.0f} {}
    UT_Vector3(float x, float y, float z) : vec{x, y, z} {}
    explicit UT_Vector3(const float v[3]) : vec{v[0], v[1], v[2]} {}
    explicit UT_Vector3(const double v[3])
        : vec{float(v[0]), float(v[1]), float(v[2])} {}

    float &x() { return vec[0]; }
    float &y() { return vec[1]; }
    float &z() { return vec[2]; }
    float x() const { return vec[0]; }
    float y() const { return vec[1]; }
    float z() const { return vec[2]; }

    // Out-of-range indices are clamped into 0..2 rather than overrun.
    float &operator[](int i) { return vec[clampIndex(i)]; }
    float operator[](int i) const { return vec[clampIndex(i)]; }
    float &operator()(int i) { return vec[clampIndex(i)]; }
    float operator()(int i) const { return vec[clampIndex(i)]; }

    float *data() { return vec; }
    const float *data() const { return vec; }

    void assign(float x, float y, float z) { vec[0] = x; vec[1] = y; vec[2] = z; }

    UT_Vector3 &operator+=(const UT_Vector3 &v) { vec[0] += v.vec[0]; vec[1] += v.vec[1]; vec[2] += v.vec[2]; return *this; }
    UT_Vector3 &operator-=(const UT_Vector3 &v) { vec[0] -= v.vec[0]; vec[1] -= v.vec[1]; vec[2] -= v.vec[2]; return *this; }
    UT_Vector3 &operator*=(float s) { vec[0] *= s; vec[1] *= s; vec[2] *= s; return *this; }
    UT_Vector3 &operator/=(float s) { vec[0] /= s; vec[1] /= s; vec[2] /= s; return *this; }
    // Component-wise product.
    UT_Vector3 &operator*=(const UT_Vector3 &v) { vec[0] *= v.vec[0]; vec[1] *= v.vec[1]; vec[2] *= v.vec[2]; return *this; }

    // Row vector times matrix. With a 4x4 the vector is a point (w = 1);
    // multiply3 uses only the upper-left 3x3 (a direction).
    UT_Vector3 &operator*=(const UT_Matrix3 &m);
    UT_Vector3 &operator*=(const UT_Matrix4T<float> &m);
    UT_Vector3 &operator*=(const UT_Matrix4T<double> &m);
    void multiply3(const UT_Matrix4T<float> &m);
    void multiply3(const UT_Matrix4T<double> &m);

    UT_Vector3 operator-() const { return UT_Vector3(-vec[0], -vec[1], -vec[2]); }

    float dot(const UT_Vector3 &v) const { return vec[0] * v.vec[0] + vec[1] * v.vec[1] + vec[2] * v.vec[2]; }
    UT_Vector3 cross(const UT_Vector3 &v) const
    {
        return UT_Vector3(vec[1] * v.vec[2] - vec[2] * v.vec[1],
                          vec[2] * v.vec[0] - vec[0] * v.vec[2],
                          vec[0] * v.vec[1] - vec[1] * v.vec[0]);
    }
    float length2() const { return dot(*this); }
    float length() const { return std::sqrt(length2()); }
    float distance(const UT_Vector3 &v) const { UT_Vector3 d(*this); d -= v; return d.length(); }

    // Scales to unit length and returns the old length; a zero vector is left alone.
    float normalize()
    {
        float len = length();
        if (len > 0.0f)
            *this /= len;
        return len;
    }

    bool isZero() const { return vec[0] == 0.0f && vec[1] == 0.0f && vec[2] == 0.0f; }
    bool isEqual(const UT_Vector3 &v, float tol = 1e-5f) const
    {
        return std::fabs(vec[0] - v.vec[0]) <= tol && std::fabs(vec[1] - v.vec[1]) <= tol &&
               std::fabs(vec[2] - v.vec[2]) <= tol;
    }
    bool operator==(const UT_Vector3 &v) const { return vec[0] == v.vec[0] && vec[1] == v.vec[1] && vec[2] == v.vec[2]; }
    bool operator!=(const UT_Vector3 &v) const { return !(*this == v); }

    // Sets *this to the point on the line (p, v) closest to the line
    // (orig, dir). Returns 0 on success, -1 when the lines are parallel or a
    // direction is zero (then *this is p).
    int lineIntersect(const UT_Vector3 &p, const UT_Vector3 &v,
                      const UT_Vector3 &orig, const UT_Vector3 &dir);

    // Sets *this to the point of the segment a-b closest to the line
    // (orig, dir). Returns 0 when that point lies strictly inside the
    // segment, -2 when it is clamped to a, -3 when clamped to b, and -1 when
    // the segment is parallel to the line or degenerate (then *this is a).
    int segLineIntersect(const UT_Vector3 &a, const UT_Vector3 &b,
                         const UT_Vector3 &orig, const UT_Vector3 &dir);

    float vec[3];

private:
    static int clampIndex(int i) { return i < 0 ? 0 : (i > 2 ? 2 : i); }
};

inline UT_Vector3 operator+(UT_Vector3 a, const UT_Vector3 &b) { return a += b; }
inline UT_Vector3 operator-(UT_Vector3 a, const UT_Vector3 &b) { return a -= b; }
inline UT_Vector3 operator*(UT_Vector3 a, float s) { return a *= s; }
inline UT_Vector3 operator*(float s, UT_Vector3 a) { return a *= s; }
inline UT_Vector3 operator/(UT_Vector3 a, float s) { return a /= s; }
inline float dot(const UT_Vector3 &a, const UT_Vector3 &b) { return a.dot(b); }
inline UT_Vector3 cross(const UT_Vector3 &a, const UT_Vector3 &b) { return a.cross(b); }
VANTREL_API UT_Vector3 operator*(UT_Vector3 v, const UT_Matrix3 &m);
VANTREL_API UT_Vector3 operator*(UT_Vector3 v, const UT_Matrix4T<float> &m);
VANTREL_API UT_Vector3 operator*(UT_Vector3 v, const UT_Matrix4T<double> &m);
