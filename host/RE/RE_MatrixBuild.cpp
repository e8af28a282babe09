#include "host/RE/RE_MatrixBuild.h"

#include <cmath>

namespace RE_MatrixBuild
{
bool
ortho(UT_Matrix4 &m, float l, float r, float b, float t, float n, float f)
{
    if (!(r != l && t != b && f != n))
        return false;
    m = 1.0f;
    m(0, 0) = 2.0f / (r - l);
    m(1, 1) = 2.0f / (t - b);
    m(2, 2) = -2.0f / (f - n);
    m(3, 0) = -(r + l) / (r - l);
    m(3, 1) = -(t + b) / (t - b);
    m(3, 2) = -(f + n) / (f - n);
    return true;
}

bool
frustum(UT_Matrix4 &m, float l, float r, float b, float t, float n, float f)
{
    if (!(r != l && t != b && f != n && n > 0.0f && f > 0.0f))
        return false;
    m = 0.0f;
    m(0, 0) = 2.0f * n / (r - l);
    m(1, 1) = 2.0f * n / (t - b);
    m(2, 0) = (r + l) / (r - l);
    m(2, 1) = (t + b) / (t - b);
    m(2, 2) = -(f + n) / (f - n);
    m(2, 3) = -1.0f;
    m(3, 2) = -2.0f * f * n / (f - n);
    return true;
}

bool
rotation(UT_Matrix4 &m, float degrees, char axis)
{
    UT_Axis3::axis a;
    switch (axis)
    {
    case 'x': case 'X': a = UT_Axis3::XAXIS; break;
    case 'y': case 'Y': a = UT_Axis3::YAXIS; break;
    case 'z': case 'Z': a = UT_Axis3::ZAXIS; break;
    default: return false;
    }
    m = 1.0f;
    m.rotate(a, static_cast<float>(static_cast<double>(degrees) * M_PI / 180.0));
    return true;
}

UT_Matrix4
pick(float px, float py, float pw, float ph,
     float vx, float vy, float vw, float vh)
{
    if (!(pw >= 1.0f))
        pw = 1.0f;
    if (!(ph >= 1.0f))
        ph = 1.0f;
    const float cx = px + pw * 0.5f;
    const float cy = py + ph * 0.5f;
    UT_Matrix4 m(1.0f);
    m(0, 0) = vw / pw;
    m(1, 1) = vh / ph;
    m(3, 0) = (vw - 2.0f * (cx - vx)) / pw;
    m(3, 1) = (vh - 2.0f * (cy - vy)) / ph;
    return m;
}
}
