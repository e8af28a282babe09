#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_Vector3.h"

template <typename T> class UT_Matrix4T;

// An infinite plane through a point with a unit normal. Points on the
// positive side are those the normal points toward.
class VANTREL_API UT_Plane
{
public:
    // The xy plane through the origin, facing +z.
    UT_Plane() : myPoint(0, 0, 0), myNormal(0, 0, 1) {}
    // A zero normal is replaced by +z.
    UT_Plane(const UT_Vector3 &point, const UT_Vector3 &normal);
    virtual ~UT_Plane() = default;

    UT_Plane(const UT_Plane &) = default;
    UT_Plane &operator=(const UT_Plane &) = default;

    const UT_Vector3 &point() const { return myPoint; }
    const UT_Vector3 &normal() const { return myNormal; }
    void setPoint(const UT_Vector3 &p) { myPoint = p; }
    void setNormal(const UT_Vector3 &n);

    // Signed distance of p from the plane (positive on the normal's side).
    float distance(const UT_Vector3 &p) const { return (p - myPoint).dot(myNormal); }

    // Where the line orig + t * dir (both directions) meets the plane.
    // Returns 0 and sets hit when it does; -1 (hit untouched) when the line
    // is parallel to the plane or dir is zero.
    int intersectLine(const UT_Vector3 &orig, const UT_Vector3 &dir,
                      UT_Vector3 &hit) const;

    // Moves the plane by a point transform (p' = p * m): the point goes
    // through m, the normal through the inverse transpose of its 3x3.
    // A singular matrix leaves the normal as it was.
    virtual void transform(const UT_Matrix4T<float> &m);
    virtual void transform(const UT_Matrix4T<double> &m);

private:
    UT_Vector3 myPoint;
    UT_Vector3 myNormal;
};
