#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Vector3.h"

// A centre and radius; a negative radius marks an empty sphere.
class VANTREL_API UT_BoundingSphere
{
public:
    UT_BoundingSphere() = default;
    UT_BoundingSphere(const UT_Vector3 &center, float radius)
        : myCenter(center), myRadius(radius) {}

    void initBounds() { myCenter.assign(0, 0, 0); myRadius = -1.0f; }
    // The sphere around a box: its centre and half its diagonal.
    void initBounds(const UT_BoundingBox &box)
    {
        if (!box.isValid())
        {
            initBounds();
            return;
        }
        myCenter = box.center();
        myRadius = box.radius();
    }
    // Grows just enough to hold p, moving the centre toward it.
    void enlargeBounds(const UT_Vector3 &p)
    {
        if (myRadius < 0.0f)
        {
            myCenter = p;
            myRadius = 0.0f;
            return;
        }
        float d = myCenter.distance(p);
        if (d <= myRadius)
            return;
        float r = (myRadius + d) * 0.5f;
        myCenter += (p - myCenter) * ((r - myRadius) / d);
        myRadius = r;
    }

    bool isValid() const { return myRadius >= 0.0f; }
    bool isInside(const UT_Vector3 &p) const { return isValid() && myCenter.distance(p) <= myRadius; }

    const UT_Vector3 &getCenter() const { return myCenter; }
    float getRadius() const { return myRadius; }
    void setCenter(const UT_Vector3 &c) { myCenter = c; }
    void setRadius(float r) { myRadius = r; }

private:
    UT_Vector3 myCenter;
    float myRadius = -1.0f;
};
