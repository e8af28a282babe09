#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_Vector3.h"

template <typename T> class UT_Matrix4T;

// An axis-aligned box held as six floats in the order
// xmin, xmax, ymin, ymax, zmin, zmax. After initBounds() it is empty
// (every min above every max) until a point enlarges it.
class VANTREL_API UT_BoundingBox
{
public:
    UT_BoundingBox() { initBounds(); }
    // The six values in storage order: xmin, xmax, ymin, ymax, zmin, zmax.
    UT_BoundingBox(float xmin, float xmax, float ymin, float ymax, float zmin, float zmax)
        : vals{xmin, xmax, ymin, ymax, zmin, zmax} {}
    UT_BoundingBox(const UT_Vector3 &pmin, const UT_Vector3 &pmax)
        : vals{pmin.x(), pmax.x(), pmin.y(), pmax.y(), pmin.z(), pmax.z()} {}

    // Empty.
    void initBounds();
    // Exactly one point.
    void initBounds(float x, float y, float z);
    void initBounds(const UT_Vector3 &p) { initBounds(p.x(), p.y(), p.z()); }
    void setBounds(float xmin, float xmax, float ymin, float ymax, float zmin, float zmax);

    void enlargeBounds(float x, float y, float z);
    void enlargeBounds(const UT_Vector3 &p) { enlargeBounds(p.x(), p.y(), p.z()); }
    void enlargeBounds(const UT_BoundingBox &b);

    // False for an empty box (after initBounds() with no point added).
    bool isValid() const;
    bool isInside(float x, float y, float z) const;
    bool isInside(const UT_Vector3 &p) const { return isInside(p.x(), p.y(), p.z()); }
    bool intersects(const UT_BoundingBox &b) const;

    float xmin() const { return vals[0]; }
    float xmax() const { return vals[1]; }
    float ymin() const { return vals[2]; }
    float ymax() const { return vals[3]; }
    float zmin() const { return vals[4]; }
    float zmax() const { return vals[5]; }
    // Axis 0..2, side 0 for min, 1 for max. Out-of-range indices are clamped.
    float &operator()(int axis, int side) { return vals[index(axis, side)]; }
    float operator()(int axis, int side) const { return vals[index(axis, side)]; }
    const float *data() const { return vals; }

    UT_Vector3 minvec() const { return UT_Vector3(vals[0], vals[2], vals[4]); }
    UT_Vector3 maxvec() const { return UT_Vector3(vals[1], vals[3], vals[5]); }
    UT_Vector3 center() const;
    UT_Vector3 size() const;
    float sizeX() const { return vals[1] - vals[0]; }
    float sizeY() const { return vals[3] - vals[2]; }
    float sizeZ() const { return vals[5] - vals[4]; }
    // The largest of the three extents.
    float sizeMax() const;
    // Half the length of the diagonal.
    float radius() const;

    // The bounds of the eight transformed corners.
    void transform(const UT_Matrix4T<float> &m);
    void transform(const UT_Matrix4T<double> &m);

    // The entry and exit parameters of the line orig + t * dir through the
    // box (slab test). False when the line misses the box.
    bool intersectLine(const UT_Vector3 &orig, const UT_Vector3 &dir,
                       float &tnear, float &tfar) const;

    bool operator==(const UT_BoundingBox &b) const;
    bool operator!=(const UT_BoundingBox &b) const { return !(*this == b); }

    float vals[6];

private:
    static int index(int axis, int side)
    {
        axis = axis < 0 ? 0 : (axis > 2 ? 2 : axis);
        return axis * 2 + (side ? 1 : 0);
    }
};
