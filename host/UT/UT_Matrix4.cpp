#include "host/UT/UT_Matrix4.h"

#include "host/UT/UT_Matrix3.h"
#include "host/UT/UT_MatrixRotation.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace
{
const double theDegToRad = M_PI / 180.0;

// Plain double 4x4 helpers for xform and explode, which compute in double
// whatever the matrix's own precision.
struct D4
{
    double m[4][4];

    static D4 identity()
    {
        D4 d;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                d.m[r][c] = (r == c) ? 1.0 : 0.0;
        return d;
    }
    static D4 translation(double x, double y, double z)
    {
        D4 d = identity();
        d.m[3][0] = x;
        d.m[3][1] = y;
        d.m[3][2] = z;
        return d;
    }
    static D4 scaling(double x, double y, double z)
    {
        D4 d = identity();
        d.m[0][0] = x;
        d.m[1][1] = y;
        d.m[2][2] = z;
        return d;
    }
    static D4 from3(const double r[3][3])
    {
        D4 d = identity();
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                d.m[i][j] = r[i][j];
        return d;
    }
};

D4
mul(const D4 &a, const D4 &b)
{
    D4 out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
        {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a.m[r][k] * b.m[k][c];
            out.m[r][c] = sum;
        }
    return out;
}

template <typename T>
D4
toD4(const UT_Matrix4T<T> &m)
{
    D4 d;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            d.m[r][c] = m(r, c);
    return d;
}

// Inverse by Gauss-Jordan elimination with partial pivoting. False when a
// pivot is not above tol in size or the result is not finite.
bool
invert4(const double in[4][4], double out[4][4], double tol)
{
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
        {
            a[r][c] = in[r][c];
            a[r][c + 4] = (r == c) ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col)
    {
        int best = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[best][col]))
                best = r;
        double piv = a[best][col];
        if (!std::isfinite(piv) || !(std::fabs(piv) > tol) || piv == 0.0)
            return false;
        if (best != col)
            for (int c = 0; c < 8; ++c)
                std::swap(a[best][c], a[col][c]);
        for (int c = 0; c < 8; ++c)
            a[col][c] /= piv;
        for (int r = 0; r < 4; ++r)
        {
            if (r == col)
                continue;
            double f = a[r][col];
            if (f == 0.0)
                continue;
            for (int c = 0; c < 8; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
        {
            if (!std::isfinite(a[r][c + 4]))
                return false;
            out[r][c] = a[r][c + 4];
        }
    return true;
}

// The rotation applying the order's three axis rotations in turn.
D4
eulerRotation(const UT_XformOrder &order, const double radians[3])
{
    D4 rot = D4::identity();
    for (int i = 0; i < 3; ++i)
    {
        int axis = order.rotAxis(i);
        double r[3][3];
        UTaxisRotation(axis, radians[axis], r);
        rot = mul(rot, D4::from3(r));
    }
    return rot;
}

// Angles (indexed by axis) of a pure rotation R = R_i(a) R_j(b) R_k(c) for
// row vectors, where i, j, k are the order's axes in turn. Works on the
// column-vector form C = R^T = C_k(c) C_j(b) C_i(a).
void
eulerAngles(const UT_XformOrder &order, const double R[3][3], double out[3])
{
    int i = order.rotAxis(0), j = order.rotAxis(1), k = order.rotAxis(2);
    auto C = [&](int r, int c) { return R[c][r]; };
    double s = (j == (i + 1) % 3) ? 1.0 : -1.0;
    double cb = std::sqrt(C(i, i) * C(i, i) + C(j, i) * C(j, i));
    double a, b, c;
    b = std::atan2(-s * C(k, i), cb);
    if (cb > 1e-7)
    {
        a = std::atan2(s * C(k, j), C(k, k));
        c = std::atan2(s * C(j, i), C(i, i));
    }
    else
    {
        // Gimbal lock: only a + c (or a - c) is defined; put it all in a.
        // With c = 0, C = C_j(b) C_i(a), so C_j(b)^T C is the rotation C_i(a).
        c = 0.0;
        double rj[3][3];
        UTaxisRotation(j, b, rj); // row form of C_j(b) is C_j(b)^T
        double q[3][3];
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col)
            {
                double sum = 0.0;
                for (int m = 0; m < 3; ++m)
                    sum += rj[r][m] * C(m, col);
                q[r][col] = sum;
            }
        int i1 = (i + 1) % 3, i2 = (i + 2) % 3;
        a = std::atan2(q[i2][i1], q[i1][i1]);
    }
    out[i] = a;
    out[j] = b;
    out[k] = c;
}

int
stepPosition(const UT_XformOrder &order, UT_XformOrder::step st)
{
    for (int i = 0; i < 3; ++i)
        if (order.mainStep(i) == st)
            return i;
    return 0;
}

// The transform of xform, in double, before it is appended.
D4
buildXform(const UT_XformOrder &order, const double t[3], const double r[3],
           const double s[3], const double p[3], bool reverse)
{
    double rad[3] = {r[0] * theDegToRad, r[1] * theDegToRad, r[2] * theDegToRad};
    D4 steps[3];
    steps[UT_XformOrder::T] = D4::translation(t[0], t[1], t[2]);
    steps[UT_XformOrder::S] = D4::scaling(s[0], s[1], s[2]);
    steps[UT_XformOrder::R] = eulerRotation(order, rad);
    if (reverse)
    {
        // The inverse of each step, applied in the opposite sequence.
        auto inv = [](double v) { return v != 0.0 ? 1.0 / v : 0.0; };
        steps[UT_XformOrder::T] = D4::translation(-t[0], -t[1], -t[2]);
        steps[UT_XformOrder::S] = D4::scaling(inv(s[0]), inv(s[1]), inv(s[2]));
        D4 &rot = steps[UT_XformOrder::R];
        for (int a = 0; a < 3; ++a)
            for (int b = a + 1; b < 3; ++b)
                std::swap(rot.m[a][b], rot.m[b][a]);
        D4 x = D4::translation(-p[0], -p[1], -p[2]);
        for (int i = 2; i >= 0; --i)
            x = mul(x, steps[order.mainStep(i)]);
        return mul(x, D4::translation(p[0], p[1], p[2]));
    }
    D4 x = D4::translation(-p[0], -p[1], -p[2]);
    for (int i = 0; i < 3; ++i)
        x = mul(x, steps[order.mainStep(i)]);
    return mul(x, D4::translation(p[0], p[1], p[2]));
}

template <typename T>
void
storeD4(UT_Matrix4T<T> &m, const D4 &d)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            m(r, c) = T(d.m[r][c]);
}
} // namespace

template <typename T>
UT_Matrix4T<T>::UT_Matrix4T(T m00, T m01, T m02, T m03,
                            T m10, T m11, T m12, T m13,
                            T m20, T m21, T m22, T m23,
                            T m30, T m31, T m32, T m33)
    : matx{{m00, m01, m02, m03}, {m10, m11, m12, m13},
           {m20, m21, m22, m23}, {m30, m31, m32, m33}}
{
}

template <typename T>
UT_Matrix4T<T> &
UT_Matrix4T<T>::operator=(T s)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matx[r][c] = (r == c) ? s : T(0);
    return *this;
}

template <typename T>
UT_Matrix4T<T> &
UT_Matrix4T<T>::operator=(const UT_Matrix3 &m)
{
    *this = T(1);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            matx[r][c] = T(m(r, c));
    return *this;
}

template <typename T>
const UT_Matrix4T<T> &
UT_Matrix4T<T>::getIdentityMatrix()
{
    static const UT_Matrix4T theIdentity(T(1));
    return theIdentity;
}

template <typename T>
UT_Matrix4T<T>
operator*(const UT_Matrix4T<T> &a, const UT_Matrix4T<T> &b)
{
    UT_Matrix4T<T> out(T(0));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
        {
            T sum = T(0);
            for (int k = 0; k < 4; ++k)
                sum += a.matx[r][k] * b.matx[k][c];
            out.matx[r][c] = sum;
        }
    return out;
}

template <typename T>
UT_Matrix4T<T> &UT_Matrix4T<T>::operator*=(const UT_Matrix4T &m) { return *this = *this * m; }

template <typename T>
UT_Matrix4T<T> &
UT_Matrix4T<T>::operator*=(T s)
{
    for (auto &row : matx)
        for (T &v : row)
            v *= s;
    return *this;
}

template <typename T>
UT_Matrix4T<T> &
UT_Matrix4T<T>::operator+=(const UT_Matrix4T &m)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matx[r][c] += m.matx[r][c];
    return *this;
}

template <typename T>
UT_Matrix4T<T> &
UT_Matrix4T<T>::operator-=(const UT_Matrix4T &m)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matx[r][c] -= m.matx[r][c];
    return *this;
}

template <typename T>
void UT_Matrix4T<T>::leftMult(const UT_Matrix4T &m) { *this = m * *this; }

template <typename T>
void
UT_Matrix4T<T>::translate(T tx, T ty, T tz)
{
    // M * Translate only changes the last column's contribution into the
    // translation: row r gains w_r * (tx, ty, tz).
    for (int r = 0; r < 4; ++r)
    {
        T w = matx[r][3];
        matx[r][0] += w * tx;
        matx[r][1] += w * ty;
        matx[r][2] += w * tz;
    }
}

template <typename T>
void
UT_Matrix4T<T>::pretranslate(T tx, T ty, T tz)
{
    for (int c = 0; c < 4; ++c)
        matx[3][c] += tx * matx[0][c] + ty * matx[1][c] + tz * matx[2][c];
}

template <typename T>
void
UT_Matrix4T<T>::scale(T sx, T sy, T sz)
{
    for (int r = 0; r < 4; ++r)
    {
        matx[r][0] *= sx;
        matx[r][1] *= sy;
        matx[r][2] *= sz;
    }
}

template <typename T>
void
UT_Matrix4T<T>::prescale(T sx, T sy, T sz)
{
    for (int c = 0; c < 4; ++c)
    {
        matx[0][c] *= sx;
        matx[1][c] *= sy;
        matx[2][c] *= sz;
    }
}

template <typename T>
void
UT_Matrix4T<T>::rotate(UT_Axis3::axis a, T radians)
{
    double r[3][3];
    if (!UTaxisRotation(UT_Axis3::toIndex(a), radians, r))
        return;
    storeD4(*this, mul(toD4(*this), D4::from3(r)));
}

template <typename T>
void
UT_Matrix4T<T>::rotate(const UT_Vector3 &axis, T radians, int norm)
{
    double r[3][3];
    UTvectorRotation(axis.x(), axis.y(), axis.z(), radians, norm != 0, r);
    storeD4(*this, mul(toD4(*this), D4::from3(r)));
}

template <typename T>
void
UT_Matrix4T<T>::prerotate(UT_Axis3::axis a, T radians)
{
    double r[3][3];
    if (!UTaxisRotation(UT_Axis3::toIndex(a), radians, r))
        return;
    storeD4(*this, mul(D4::from3(r), toD4(*this)));
}

template <typename T>
void
UT_Matrix4T<T>::transpose()
{
    for (int r = 0; r < 4; ++r)
        for (int c = r + 1; c < 4; ++c)
            std::swap(matx[r][c], matx[c][r]);
}

template <typename T>
T
UT_Matrix4T<T>::determinant3() const
{
    return T(UTdeterminant3(matx));
}

template <typename T>
T
UT_Matrix4T<T>::determinant() const
{
    // Laplace expansion along the first row with 3x3 minors.
    double det = 0.0;
    for (int c = 0; c < 4; ++c)
    {
        double minor[3][3];
        for (int r = 1; r < 4; ++r)
        {
            int mc = 0;
            for (int k = 0; k < 4; ++k)
                if (k != c)
                    minor[r - 1][mc++] = matx[r][k];
        }
        det += ((c & 1) ? -1.0 : 1.0) * double(matx[0][c]) * UTdeterminant3(minor);
    }
    return T(det);
}

template <typename T>
int
UT_Matrix4T<T>::invert(UT_Matrix4T &out, T tol) const
{
    D4 in = toD4(*this), inv;
    double t = std::fabs(double(tol));
    if (!invert4(in.m, inv.m, t))
        return 1;
    storeD4(out, inv);
    return 0;
}

template <typename T>
int
UT_Matrix4T<T>::invert(T tol)
{
    return invert(*this, tol);
}

template <typename T>
void
UT_Matrix4T<T>::xform(const UT_XformOrder &order,
                      T tx, T ty, T tz, T rx, T ry, T rz, T sx, T sy, T sz,
                      int reverse)
{
    xform(order, tx, ty, tz, rx, ry, rz, sx, sy, sz, T(0), T(0), T(0), reverse);
}

template <typename T>
void
UT_Matrix4T<T>::xform(const UT_XformOrder &order,
                      T tx, T ty, T tz, T rx, T ry, T rz, T sx, T sy, T sz,
                      T px, T py, T pz, int reverse)
{
    const double t[3] = {double(tx), double(ty), double(tz)};
    const double r[3] = {double(rx), double(ry), double(rz)};
    const double s[3] = {double(sx), double(sy), double(sz)};
    const double p[3] = {double(px), double(py), double(pz)};
    storeD4(*this, mul(toD4(*this), buildXform(order, t, r, s, p, reverse != 0)));
}

template <typename T>
int
UT_Matrix4T<T>::explode(const UT_XformOrder &order, UT_Vector3 &r,
                        UT_Vector3 &s, UT_Vector3 &t, UT_Vector3 *shears) const
{
    return explode(order, r, s, t, UT_Vector3(0.0f, 0.0f, 0.0f), shears);
}

template <typename T>
int
UT_Matrix4T<T>::explode(const UT_XformOrder &order, UT_Vector3 &r,
                        UT_Vector3 &s, UT_Vector3 &t, const UT_Vector3 &pivot,
                        UT_Vector3 *shears) const
{
    if (shears)
        shears->assign(0.0f, 0.0f, 0.0f);

    // Take the pivot out: M = T(-p) A T(p), so A = T(p) M T(-p).
    D4 a = mul(mul(D4::translation(pivot.x(), pivot.y(), pivot.z()), toD4(*this)),
               D4::translation(-pivot.x(), -pivot.y(), -pivot.z()));

    double lin[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            lin[i][j] = a.m[i][j];

    // Scale first: L = S R, so scales are row lengths. Rotation first:
    // L = R S, so scales are column lengths.
    bool scale_first = stepPosition(order, UT_XformOrder::S) <
                       stepPosition(order, UT_XformOrder::R);
    double sc[3];
    for (int i = 0; i < 3; ++i)
    {
        double sum = 0.0;
        for (int j = 0; j < 3; ++j)
        {
            double v = scale_first ? lin[i][j] : lin[j][i];
            sum += v * v;
        }
        sc[i] = std::sqrt(sum);
    }
    double det = UTdeterminant3(lin);
    bool singular = !(std::fabs(det) > 0.0) || !std::isfinite(det);
    if (det < 0.0)
        for (double &v : sc)
            v = -v;

    double rot[3][3];
    double angles[3] = {0.0, 0.0, 0.0};
    if (!singular)
    {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                rot[i][j] = lin[i][j] / (scale_first ? sc[i] : sc[j]);
        eulerAngles(order, rot, angles);
    }
    else
    {
        UTaxisRotation(0, 0.0, rot);
    }

    // The translation, undoing whatever steps follow it.
    double tr[3] = {a.m[3][0], a.m[3][1], a.m[3][2]};
    int tpos = stepPosition(order, UT_XformOrder::T);
    if (!singular && tpos < 2)
    {
        // Steps after T: both (L) when T is first, else the last one.
        double after[3][3];
        UT_XformOrder::step last = order.mainStep(2);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
            {
                if (tpos == 0)
                    after[i][j] = lin[i][j];
                else if (last == UT_XformOrder::R)
                    after[i][j] = rot[i][j];
                else
                    after[i][j] = (i == j) ? sc[i] : 0.0;
            }
        D4 af = D4::from3(after), inv;
        if (invert4(af.m, inv.m, 0.0))
        {
            double v[3];
            for (int c = 0; c < 3; ++c)
                v[c] = tr[0] * inv.m[0][c] + tr[1] * inv.m[1][c] + tr[2] * inv.m[2][c];
            tr[0] = v[0];
            tr[1] = v[1];
            tr[2] = v[2];
        }
    }

    r.assign(float(angles[0]), float(angles[1]), float(angles[2]));
    s.assign(float(sc[0]), float(sc[1]), float(sc[2]));
    t.assign(float(tr[0]), float(tr[1]), float(tr[2]));
    return singular ? 1 : 0;
}

template <typename T>
bool
UT_Matrix4T<T>::isIdentity(T tol) const
{
    return isEqual(getIdentityMatrix(), tol);
}

template <typename T>
bool
UT_Matrix4T<T>::isEqual(const UT_Matrix4T &m, T tol) const
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!(std::fabs(matx[r][c] - m.matx[r][c]) <= tol))
                return false;
    return true;
}

template <typename T>
bool
UT_Matrix4T<T>::operator==(const UT_Matrix4T &m) const
{
    return std::memcmp(matx, m.matx, sizeof(matx)) == 0 || isEqual(m, T(0));
}

namespace
{
template <typename T>
UT_Vector4
vec4Times(const UT_Vector4 &v, const UT_Matrix4T<T> &m)
{
    UT_Vector4 out;
    for (int c = 0; c < 4; ++c)
    {
        T sum = T(0);
        for (int k = 0; k < 4; ++k)
            sum += T(v[k]) * m(k, c);
        out[c] = float(sum);
    }
    return out;
}
} // namespace

UT_Vector4 operator*(const UT_Vector4 &v, const UT_Matrix4T<float> &m) { return vec4Times(v, m); }
UT_Vector4 operator*(const UT_Vector4 &v, const UT_Matrix4T<double> &m) { return vec4Times(v, m); }

template class UT_Matrix4T<float>;
template class UT_Matrix4T<double>;
template UT_Matrix4T<float> operator*(const UT_Matrix4T<float> &, const UT_Matrix4T<float> &);
template UT_Matrix4T<double> operator*(const UT_Matrix4T<double> &, const UT_Matrix4T<double> &);
