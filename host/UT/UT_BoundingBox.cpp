#include "host/UT/UT_BoundingBox.h"

#include "host/UT/UT_Matrix4.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

void
UT_BoundingBox::initBounds()
{
    for (int a = 0; a < 3; ++a)
    {
        vals[a * 2] = FLT_MAX;
        vals[a * 2 + 1] = -FLT_MAX;
    }
}

void
UT_BoundingBox::initBounds(float x, float y, float z)
{
    setBounds(x, x, y, y, z, z);
}

void
UT_BoundingBox::setBounds(float xmin, float xmax, float ymin, float ymax,
                          float zmin, float zmax)
{
    vals[0] = xmin;
    vals[1] = xmax;
    vals[2] = ymin;
    vals[3] = ymax;
    vals[4] = zmin;
    vals[5] = zmax;
}

void
UT_BoundingBox::enlargeBounds(float x, float y, float z)
{
    const float p[3] = {x, y, z};
    for (int a = 0; a < 3; ++a)
    {
        if (p[a] < vals[a * 2])
            vals[a * 2] = p[a];
        if (p[a] > vals[a * 2 + 1])
            vals[a * 2 + 1] = p[a];
    }
}

void
UT_BoundingBox::enlargeBounds(const UT_BoundingBox &b)
{
    if (!b.isValid())
        return;
    enlargeBounds(b.vals[0], b.vals[2], b.vals[4]);
    enlargeBounds(b.vals[1], b.vals[3], b.vals[5]);
}

bool
UT_BoundingBox::isValid() const
{
    return vals[0] <= vals[1] && vals[2] <= vals[3] && vals[4] <= vals[5];
}

bool
UT_BoundingBox::isInside(float x, float y, float z) const
{
    return x >= vals[0] && x <= vals[1] && y >= vals[2] && y <= vals[3] &&
           z >= vals[4] && z <= vals[5];
}

bool
UT_BoundingBox::intersects(const UT_BoundingBox &b) const
{
    for (int a = 0; a < 3; ++a)
        if (vals[a * 2] > b.vals[a * 2 + 1] || b.vals[a * 2] > vals[a * 2 + 1])
            return false;
    return isValid() && b.isValid();
}

UT_Vector3
UT_BoundingBox::center() const
{
    return UT_Vector3((vals[0] + vals[1]) * 0.5f, (vals[2] + vals[3]) * 0.5f,
                      (vals[4] + vals[5]) * 0.5f);
}

UT_Vector3
UT_BoundingBox::size() const
{
    return UT_Vector3(sizeX(), sizeY(), sizeZ());
}

float
UT_BoundingBox::sizeMax() const
{
    return std::max(sizeX(), std::max(sizeY(), sizeZ()));
}

float
UT_BoundingBox::radius() const
{
    return size().length() * 0.5f;
}

namespace
{
template <typename T>
void
transformBox(UT_BoundingBox &box, const UT_Matrix4T<T> &m)
{
    if (!box.isValid())
        return;
    UT_BoundingBox out;
    for (int i = 0; i < 8; ++i)
    {
        UT_Vector3 p(box(0, i & 1), box(1, (i >> 1) & 1), box(2, (i >> 2) & 1));
        p *= m;
        out.enlargeBounds(p);
    }
    box = out;
}
} // namespace

void UT_BoundingBox::transform(const UT_Matrix4T<float> &m) { transformBox(*this, m); }
void UT_BoundingBox::transform(const UT_Matrix4T<double> &m) { transformBox(*this, m); }

bool
UT_BoundingBox::intersectLine(const UT_Vector3 &orig, const UT_Vector3 &dir,
                              float &tnear, float &tfar) const
{
    if (!isValid())
        return false;
    double t0 = -HUGE_VAL, t1 = HUGE_VAL;
    for (int a = 0; a < 3; ++a)
    {
        double lo = vals[a * 2], hi = vals[a * 2 + 1];
        if (dir[a] == 0.0f)
        {
            if (orig[a] < lo || orig[a] > hi)
                return false;
            continue;
        }
        double ta = (lo - orig[a]) / dir[a];
        double tb = (hi - orig[a]) / dir[a];
        if (ta > tb)
            std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        if (t0 > t1)
            return false;
    }
    tnear = float(t0);
    tfar = float(t1);
    return true;
}

bool
UT_BoundingBox::operator==(const UT_BoundingBox &b) const
{
    return std::equal(vals, vals + 6, b.vals);
}
