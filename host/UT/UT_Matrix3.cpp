#include "host/UT/UT_Matrix3.h"

#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_MatrixRotation.h"

#include <cmath>

UT_Matrix3::UT_Matrix3(float m00, float m01, float m02,
                       float m10, float m11, float m12,
                       float m20, float m21, float m22)
    : matx{{m00, m01, m02}, {m10, m11, m12}, {m20, m21, m22}}
{
}

UT_Matrix3 &
UT_Matrix3::operator=(float s)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            matx[r][c] = (r == c) ? s : 0.0f;
    return *this;
}

UT_Matrix3 &
UT_Matrix3::operator=(const UT_Matrix4T<float> &m)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            matx[r][c] = m(r, c);
    return *this;
}

UT_Matrix3 &
UT_Matrix3::operator=(const UT_Matrix4T<double> &m)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            matx[r][c] = float(m(r, c));
    return *this;
}

const UT_Matrix3 &
UT_Matrix3::getIdentityMatrix()
{
    static const UT_Matrix3 theIdentity(1.0f);
    return theIdentity;
}

UT_Matrix3
operator*(const UT_Matrix3 &a, const UT_Matrix3 &b)
{
    UT_Matrix3 out(0.0f);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
        {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k)
                sum += double(a.matx[r][k]) * b.matx[k][c];
            out.matx[r][c] = float(sum);
        }
    return out;
}

UT_Matrix3 &UT_Matrix3::operator*=(const UT_Matrix3 &m) { return *this = *this * m; }

UT_Matrix3 &
UT_Matrix3::operator*=(float s)
{
    for (auto &row : matx)
        for (float &v : row)
            v *= s;
    return *this;
}

UT_Matrix3 &
UT_Matrix3::operator+=(const UT_Matrix3 &m)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            matx[r][c] += m.matx[r][c];
    return *this;
}

UT_Matrix3 &
UT_Matrix3::operator-=(const UT_Matrix3 &m)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            matx[r][c] -= m.matx[r][c];
    return *this;
}

void UT_Matrix3::leftMult(const UT_Matrix3 &m) { *this = m * *this; }

void
UT_Matrix3::rotate(UT_Axis3::axis a, float radians)
{
    double r[3][3];
    if (!UTaxisRotation(UT_Axis3::toIndex(a), radians, r))
        return;
    *this *= UT_Matrix3(float(r[0][0]), float(r[0][1]), float(r[0][2]),
                        float(r[1][0]), float(r[1][1]), float(r[1][2]),
                        float(r[2][0]), float(r[2][1]), float(r[2][2]));
}

void
UT_Matrix3::rotate(const UT_Vector3 &axis, float radians, int norm)
{
    double r[3][3];
    UTvectorRotation(axis.x(), axis.y(), axis.z(), radians, norm != 0, r);
    *this *= UT_Matrix3(float(r[0][0]), float(r[0][1]), float(r[0][2]),
                        float(r[1][0]), float(r[1][1]), float(r[1][2]),
                        float(r[2][0]), float(r[2][1]), float(r[2][2]));
}

void
UT_Matrix3::scale(float sx, float sy, float sz)
{
    for (int r = 0; r < 3; ++r)
    {
        matx[r][0] *= sx;
        matx[r][1] *= sy;
        matx[r][2] *= sz;
    }
}

void
UT_Matrix3::transpose()
{
    for (int r = 0; r < 3; ++r)
        for (int c = r + 1; c < 3; ++c)
        {
            float t = matx[r][c];
            matx[r][c] = matx[c][r];
            matx[c][r] = t;
        }
}

float
UT_Matrix3::determinant() const
{
    return float(UTdeterminant3(matx));
}

int
UT_Matrix3::invert(UT_Matrix3 &out) const
{
    const auto &m = matx;
    double cof[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
        {
            int r1 = (r + 1) % 3, r2 = (r + 2) % 3;
            int c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            cof[r][c] = double(m[r1][c1]) * m[r2][c2] - double(m[r1][c2]) * m[r2][c1];
        }
    double det = m[0][0] * cof[0][0] + m[0][1] * cof[0][1] + m[0][2] * cof[0][2];
    if (det == 0.0 || !std::isfinite(det))
        return 1;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out.matx[r][c] = float(cof[c][r] / det);
    return 0;
}

int
UT_Matrix3::invert()
{
    UT_Matrix3 inv;
    if (invert(inv) != 0)
        return 1;
    *this = inv;
    return 0;
}

bool
UT_Matrix3::isIdentity(float tol) const
{
    return isEqual(getIdentityMatrix(), tol);
}

bool
UT_Matrix3::isEqual(const UT_Matrix3 &m, float tol) const
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (!(std::fabs(matx[r][c] - m.matx[r][c]) <= tol))
                return false;
    return true;
}

bool
UT_Matrix3::operator==(const UT_Matrix3 &m) const
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (matx[r][c] != m.matx[r][c])
                return false;
    return true;
}
