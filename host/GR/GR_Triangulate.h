#ifndef GR_TRIANGULATE_H
#define GR_TRIANGULATE_H

#include <vector>

// Splits one planar polygon into triangles by ear clipping, so that a
// concave polygon fills exactly its outline. corners are n positions (3
// floats each, in order around the polygon); normal is the polygon's
// normal (its winding). Each triangle is appended to out as three corner
// numbers (0 to n-1) in the polygon's own winding. A polygon that has no
// area left to clip (collinear corners) is finished as a fan. Returns the
// number of triangles appended: n - 2 for n of at least 3, else 0.
int GRtriangulatePolygon(const float *const *corners, int n, const float normal[3],
                         std::vector<int> &out);

#endif
