#include "host/GR/GR_Triangulate.h"

#include <cmath>

namespace
{
struct Point2
{
    double x, y;
};

double
cross(const Point2 &a, const Point2 &b, const Point2 &c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Whether p lies inside or on triangle abc (counter-clockwise).
bool
inTriangle(const Point2 &p, const Point2 &a, const Point2 &b, const Point2 &c)
{
    return cross(a, b, p) >= 0.0 && cross(b, c, p) >= 0.0 && cross(c, a, p) >= 0.0;
}

void
appendFan(const std::vector<int> &ring, std::vector<int> &out)
{
    for (size_t i = 1; i + 1 < ring.size(); ++i)
    {
        out.push_back(ring[0]);
        out.push_back(ring[i]);
        out.push_back(ring[i + 1]);
    }
}
}

int
GRtriangulatePolygon(const float *const *corners, int n, const float normal[3],
                     std::vector<int> &out)
{
    if (n < 3)
        return 0;
    if (n == 3)
    {
        out.insert(out.end(), {0, 1, 2});
        return 1;
    }
    // Drop the normal's largest axis and look at the polygon in the plane
    // of the other two, oriented so that its winding turns
    // counter-clockwise there.
    const double ax = std::fabs(normal[0]), ay = std::fabs(normal[1]),
                 az = std::fabs(normal[2]);
    int u = 0, v = 1, drop = 2;
    if (ax >= ay && ax >= az)
        u = 1, v = 2, drop = 0;
    else if (ay >= az)
        u = 2, v = 0, drop = 1;
    const bool flip = normal[drop] < 0.0f;
    std::vector<Point2> p(n);
    for (int i = 0; i < n; ++i)
    {
        p[i].x = corners[i][u];
        p[i].y = flip ? -corners[i][v] : corners[i][v];
    }

    std::vector<int> ring(n);
    for (int i = 0; i < n; ++i)
        ring[i] = i;
    while (ring.size() > 3)
    {
        const size_t m = ring.size();
        bool clipped = false;
        for (size_t i = 0; i < m && !clipped; ++i)
        {
            const int a = ring[(i + m - 1) % m], b = ring[i], c = ring[(i + 1) % m];
            // A reflex or flat corner is no ear.
            if (cross(p[a], p[b], p[c]) <= 0.0)
                continue;
            bool empty = true;
            for (size_t j = 0; j < m && empty; ++j)
            {
                const int q = ring[j];
                if (q == a || q == b || q == c)
                    continue;
                // A corner on the ear's far side would be cut off.
                if (inTriangle(p[q], p[a], p[b], p[c]))
                    empty = false;
            }
            if (!empty)
                continue;
            out.insert(out.end(), {a, b, c});
            ring.erase(ring.begin() + static_cast<long>(i));
            clipped = true;
        }
        if (!clipped)
        {
            // Nothing left with area (or a self-crossing outline): what
            // remains still gets triangles, so the count stays n - 2.
            appendFan(ring, out);
            return n - 2;
        }
    }
    out.insert(out.end(), {ring[0], ring[1], ring[2]});
    return n - 2;
}
