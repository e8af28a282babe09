#include "host/UT/UT_Plane.h"

#include "host/UT/UT_Matrix3.h"
#include "host/UT/UT_Matrix4.h"

#include <cmath>

UT_Plane::UT_Plane(const UT_Vector3 &point, const UT_Vector3 &normal)
    : myPoint(point), myNormal(0, 0, 1)
{
    setNormal(normal);
}

void
UT_Plane::setNormal(const UT_Vector3 &n)
{
    UT_Vector3 unit(n);
    if (unit.normalize() > 0.0f && std::isfinite(unit.length()))
        myNormal = unit;
}

int
UT_Plane::intersectLine(const UT_Vector3 &orig, const UT_Vector3 &dir,
                        UT_Vector3 &hit) const
{
    double denom = dir.dot(myNormal);
    // Parallel within float precision of the direction's own length.
    if (!(std::fabs(denom) > 1e-7 * dir.length()))
        return -1;
    double t = (myPoint - orig).dot(myNormal) / denom;
    if (!std::isfinite(t))
        return -1;
    hit = orig + dir * float(t);
    return 0;
}

namespace
{
template <typename T>
void
transformPlane(UT_Vector3 &point, UT_Vector3 &normal, const UT_Matrix4T<T> &m)
{
    point *= m;
    // For row vectors a normal n goes to n * (M3^-1)^T.
    UT_Matrix3 m3(m);
    if (m3.invert() != 0)
        return;
    m3.transpose();
    UT_Vector3 n = normal * m3;
    if (n.normalize() > 0.0f)
        normal = n;
}
} // namespace

void UT_Plane::transform(const UT_Matrix4T<float> &m) { transformPlane(myPoint, myNormal, m); }
void UT_Plane::transform(const UT_Matrix4T<double> &m) { transformPlane(myPoint, myNormal, m); }
