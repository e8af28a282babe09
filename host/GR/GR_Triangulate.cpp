#include "host/GR/GR_Triangulate.h"

#include <algorithm>
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

// The corners a candidate ear must not hold, found through a grid over the
// polygon's box: an ear test then looks at the few corners near the ear
// instead of every corner. Only corners that are not convex can lie in an
// ear, so convex ones (and clipped ones) are passed over.
class CornerGrid
{
public:
    explicit CornerGrid(const std::vector<Point2> &p) : myPoints(p)
    {
        const int n = int(p.size());
        myMinX = myMaxX = p[0].x;
        myMinY = myMaxY = p[0].y;
        for (const Point2 &q : p)
        {
            myMinX = std::min(myMinX, q.x), myMaxX = std::max(myMaxX, q.x);
            myMinY = std::min(myMinY, q.y), myMaxY = std::max(myMaxY, q.y);
        }
        mySide = std::max(1, int(std::sqrt(double(n))));
        myStart.assign(static_cast<size_t>(mySide) * mySide + 1, 0);
        for (int i = 0; i < n; ++i)
            ++myStart[cellOf(p[i]) + 1];
        for (size_t c = 1; c < myStart.size(); ++c)
            myStart[c] += myStart[c - 1];
        myCorners.resize(p.size());
        std::vector<int> fill(myStart.begin(), myStart.end() - 1);
        for (int i = 0; i < n; ++i)
            myCorners[fill[cellOf(p[i])]++] = i;
    }

    // True when a corner that skip(q) does not pass over lies in abc. The
    // corners that could be there are also listed apart (few, in a nearly
    // convex polygon): when the ear's box covers more cells than the list
    // holds corners, the list is looked through instead.
    template <typename Skip>
    bool anyInside(const Point2 &a, const Point2 &b, const Point2 &c,
                   const std::vector<int> &listed, Skip skip) const
    {
        const int x0 = column(std::min({a.x, b.x, c.x})), x1 = column(std::max({a.x, b.x, c.x}));
        const int y0 = row(std::min({a.y, b.y, c.y})), y1 = row(std::max({a.y, b.y, c.y}));
        if (size_t(x1 - x0 + 1) * size_t(y1 - y0 + 1) > listed.size())
        {
            for (int q : listed)
                if (!skip(q) && inTriangle(myPoints[q], a, b, c))
                    return true;
            return false;
        }
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
            {
                const int cell = y * mySide + x;
                for (int k = myStart[cell]; k < myStart[cell + 1]; ++k)
                {
                    const int q = myCorners[k];
                    if (!skip(q) && inTriangle(myPoints[q], a, b, c))
                        return true;
                }
            }
        return false;
    }

private:
    int index(double v, double lo, double hi) const
    {
        // A NaN or a flat box lands in the first cell.
        const double t = hi > lo ? (v - lo) / (hi - lo) : 0.0;
        return t > 0.0 ? std::min(mySide - 1, int(t * mySide)) : 0;
    }
    int column(double x) const { return index(x, myMinX, myMaxX); }
    int row(double y) const { return index(y, myMinY, myMaxY); }
    int cellOf(const Point2 &q) const { return row(q.y) * mySide + column(q.x); }

    const std::vector<Point2> &myPoints;
    double myMinX, myMaxX, myMinY, myMaxY;
    int mySide = 1;
    std::vector<int> myStart;   // first corner of each cell in myCorners
    std::vector<int> myCorners; // corner numbers, cell by cell
};
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

    // The corners still to clip, as a ring of links.
    std::vector<int> prev(n), next(n);
    for (int i = 0; i < n; ++i)
    {
        prev[i] = (i + n - 1) % n;
        next[i] = (i + 1) % n;
    }
    // A corner that is reflex or flat is no ear, and the only kind of
    // corner that can lie in one.
    std::vector<char> notConvex(n), listed(n);
    // Every corner found not convex since the list was last cleaned; some
    // may have turned convex (or been clipped) since.
    std::vector<int> suspects;
    int notConvexCount = 0;
    auto classify = [&](int i) {
        const bool before = notConvex[i] != 0;
        const bool now = cross(p[prev[i]], p[i], p[next[i]]) <= 0.0;
        notConvex[i] = now;
        notConvexCount += int(now) - int(before);
        if (now && !listed[i])
        {
            listed[i] = 1;
            suspects.push_back(i);
        }
    };
    auto cleanSuspects = [&] {
        if (suspects.size() <= 2 * size_t(notConvexCount) + 16)
            return;
        size_t kept = 0;
        for (int q : suspects)
            if (notConvex[q])
                suspects[kept++] = q;
            else
                listed[q] = 0;
        suspects.resize(kept);
    };
    for (int i = 0; i < n; ++i)
        classify(i);
    const CornerGrid grid(p);

    std::vector<char> clipped(n);
    auto isEar = [&](int b) {
        const int a = prev[b], c = next[b];
        if (notConvex[b])
            return false;
        // With no corner left that is not convex, every convex corner is an ear.
        return notConvexCount == 0 ||
               !grid.anyInside(p[a], p[b], p[c], suspects, [&](int q) {
                   return !notConvex[q] || q == a || q == b || q == c;
               });
    };
    // Two ways to find ears. A sweep round the ring clips every other
    // corner, so that triangles stay small and local (a nearly convex
    // outline is cut in a few turns). Where the sweep finds none, the
    // corners next to the last cuts are tried: in a winding band (a
    // spiral) ears keep turning up where the last one was cut, far from
    // the sweep.
    int left = n, sweep = 0, failed = 0;
    std::vector<int> nearCuts;
    auto clip = [&](int b) {
        const int a = prev[b], c = next[b];
        out.insert(out.end(), {a, b, c});
        next[a] = c;
        prev[c] = a;
        // A clipped corner is neither convex nor counted again.
        if (notConvex[b])
            --notConvexCount;
        notConvex[b] = 0;
        clipped[b] = 1;
        --left;
        classify(a);
        classify(c);
        cleanSuspects();
        nearCuts.push_back(a);
        nearCuts.push_back(c);
        if (sweep == b)
            sweep = c;
    };
    while (left > 3)
    {
        if (isEar(sweep))
        {
            const int c = next[sweep];
            clip(sweep);
            sweep = next[c];
            failed = 0;
            continue;
        }
        bool cut = false;
        while (!nearCuts.empty() && !cut)
        {
            const int q = nearCuts.back();
            nearCuts.pop_back();
            if (!clipped[q] && isEar(q))
            {
                clip(q);
                cut = true;
            }
        }
        sweep = next[sweep];
        if (cut)
            failed = 0;
        else if (++failed > left)
        {
            // A whole turn without an ear: nothing left with area (or a
            // self-crossing outline). What remains still gets triangles,
            // so the count stays n - 2.
            std::vector<int> ring;
            for (int i = 0, at = sweep; i < left; ++i, at = next[at])
                ring.push_back(at);
            appendFan(ring, out);
            return n - 2;
        }
    }
    const int b = sweep;
    out.insert(out.end(), {prev[b], b, next[b]});
    return n - 2;
}
