#include "host/UT/UT_Vector3.h"

#include "host/UT/UT_Matrix3.h"
#include "host/UT/UT_Matrix4.h"

UT_Vector3 &
UT_Vector3::operator*=(const UT_Matrix3 &m)
{
    float x = vec[0], y = vec[1], z = vec[2];
    for (int c = 0; c < 3; ++c)
        vec[c] = x * m(0, c) + y * m(1, c) + z * m(2, c);
    return *this;
}

namespace
{
template <typename T>
void
pointTimes(float vec[3], const UT_Matrix4T<T> &m, bool with_translate)
{
    T x = vec[0], y = vec[1], z = vec[2];
    for (int c = 0; c < 3; ++c)
    {
        T v = x * m(0, c) + y * m(1, c) + z * m(2, c);
        if (with_translate)
            v += m(3, c);
        vec[c] = float(v);
    }
}
} // namespace

UT_Vector3 &UT_Vector3::operator*=(const UT_Matrix4T<float> &m) { pointTimes(vec, m, true); return *this; }
UT_Vector3 &UT_Vector3::operator*=(const UT_Matrix4T<double> &m) { pointTimes(vec, m, true); return *this; }
void UT_Vector3::multiply3(const UT_Matrix4T<float> &m) { pointTimes(vec, m, false); }
void UT_Vector3::multiply3(const UT_Matrix4T<double> &m) { pointTimes(vec, m, false); }

UT_Vector3 operator*(UT_Vector3 v, const UT_Matrix3 &m) { return v *= m; }
UT_Vector3 operator*(UT_Vector3 v, const UT_Matrix4T<float> &m) { return v *= m; }
UT_Vector3 operator*(UT_Vector3 v, const UT_Matrix4T<double> &m) { return v *= m; }

namespace
{
// Parameters s (on p + s*v) and t (on q + t*w) of the closest points of two
// lines. False when the lines are parallel or a direction is zero.
bool
closestParams(const UT_Vector3 &p, const UT_Vector3 &v, const UT_Vector3 &q,
              const UT_Vector3 &w, double &s, double &t)
{
    double a = v.dot(v), b = v.dot(w), c = w.dot(w);
    UT_Vector3 r = p - q;
    double d = v.dot(r), e = w.dot(r);
    double denom = a * c - b * b;
    // Relative test so that the answer does not depend on the vectors' scale.
    if (!(a > 0.0) || !(c > 0.0) || !(denom > 1e-12 * a * c))
        return false;
    s = (b * e - c * d) / denom;
    t = (a * e - b * d) / denom;
    return std::isfinite(s) && std::isfinite(t);
}
} // namespace

int
UT_Vector3::lineIntersect(const UT_Vector3 &p, const UT_Vector3 &v,
                          const UT_Vector3 &orig, const UT_Vector3 &dir)
{
    double s, t;
    if (!closestParams(p, v, orig, dir, s, t))
    {
        *this = p;
        return -1;
    }
    *this = p + v * float(s);
    return 0;
}

int
UT_Vector3::segLineIntersect(const UT_Vector3 &a, const UT_Vector3 &b,
                             const UT_Vector3 &orig, const UT_Vector3 &dir)
{
    double s, t;
    UT_Vector3 ab = b - a;
    if (!closestParams(a, ab, orig, dir, s, t))
    {
        *this = a;
        return -1;
    }
    if (s <= 0.0)
    {
        *this = a;
        return -2;
    }
    if (s >= 1.0)
    {
        *this = b;
        return -3;
    }
    *this = a + ab * float(s);
    return 0;
}
