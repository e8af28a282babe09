#pragma once

#include "host/UT/SYS_Visibility.h"

#include <algorithm>

// Rectangle conventions, chosen by the template argument of UT_Rect.
// Inclusive: x2 and y2 are the last pixel inside, so width = x2 - x1 + 1.
struct VANTREL_API UT_InclusiveRectImpl
{
    static int width(int x1, int x2) { return x2 - x1 + 1; }
    static int lastFromSize(int start, int size) { return start + size - 1; }
};

// Exclusive: x2 and y2 are one past the last pixel, so width = x2 - x1.
struct VANTREL_API UT_ExclusiveRectImpl
{
    static int width(int x1, int x2) { return x2 - x1; }
    static int lastFromSize(int start, int size) { return start + size; }
};

template <typename Impl>
class VANTREL_API UT_Rect
{
public:
    UT_Rect() = default;
    // Corners in the order x1, y1, x2, y2.
    UT_Rect(int x1, int y1, int x2, int y2) : myX1(x1), myY1(y1), myX2(x2), myY2(y2) {}

    static UT_Rect fromXYWH(int x, int y, int w, int h)
    {
        return UT_Rect(x, y, Impl::lastFromSize(x, w), Impl::lastFromSize(y, h));
    }
    void setXYWH(int x, int y, int w, int h) { *this = fromXYWH(x, y, w, h); }
    void getXYWH(int &x, int &y, int &w, int &h) const { x = myX1; y = myY1; w = width(); h = height(); }
    void set(int x1, int y1, int x2, int y2) { *this = UT_Rect(x1, y1, x2, y2); }

    int x1() const { return myX1; }
    int y1() const { return myY1; }
    int x2() const { return myX2; }
    int y2() const { return myY2; }
    int x() const { return myX1; }
    int y() const { return myY1; }
    int width() const { return Impl::width(myX1, myX2); }
    int height() const { return Impl::width(myY1, myY2); }
    int w() const { return width(); }
    int h() const { return height(); }

    bool isEmpty() const { return width() <= 0 || height() <= 0; }
    bool contains(int px, int py) const
    {
        return px >= myX1 && py >= myY1 && px - myX1 < width() && py - myY1 < height();
    }

    bool operator==(const UT_Rect &o) const
    {
        return myX1 == o.myX1 && myY1 == o.myY1 && myX2 == o.myX2 && myY2 == o.myY2;
    }
    bool operator!=(const UT_Rect &o) const { return !(*this == o); }

private:
    int myX1 = 0, myY1 = 0, myX2 = 0, myY2 = 0;
};

typedef UT_Rect<UT_InclusiveRectImpl> UT_InclusiveRect;
typedef UT_Rect<UT_ExclusiveRectImpl> UT_ExclusiveRect;
