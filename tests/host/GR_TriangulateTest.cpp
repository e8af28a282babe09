// Cutting one polygon into triangles: every corner count, including faces
// of tens of thousands of corners whose outline winds round like a spiral
// (which made a simple ear search take minutes), gives n - 2 triangles
// that turn the polygon's way and together cover exactly its area.
#include "host/GR/GR_Triangulate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
// A band wound `turns` times round the origin: out along one edge, back
// along the other, half a unit inside it.
std::vector<float>
spiral(int n, double turns)
{
    std::vector<float> xyz;
    const int half = n / 2;
    for (int side = 0; side < 2; ++side)
        for (int k = 0; k < half; ++k)
        {
            const int i = side == 0 ? k : half - 1 - k;
            const double t = double(i) / (half - 1), a = t * turns * 2.0 * M_PI;
            const double r = 1.0 + 10.0 * t - (side == 0 ? 0.0 : 0.5);
            xyz.insert(xyz.end(), {float(r * std::cos(a)), float(r * std::sin(a)), 0.0f});
        }
    return xyz;
}

// Corners at the given radii, evenly round the origin.
std::vector<float>
radial(const std::vector<double> &radii)
{
    std::vector<float> xyz;
    const size_t n = radii.size();
    for (size_t i = 0; i < n; ++i)
    {
        const double a = 2.0 * M_PI * double(i) / double(n);
        xyz.insert(xyz.end(), {float(radii[i] * std::cos(a)), float(radii[i] * std::sin(a)), 0.0f});
    }
    return xyz;
}

double
turn(const float *a, const float *b, const float *c)
{
    return 0.5 * ((double(b[0]) - a[0]) * (double(c[1]) - a[1]) -
                  (double(b[1]) - a[1]) * (double(c[0]) - a[0]));
}

void
expectExactCover(const std::vector<float> &xyz, const char *what)
{
    const int n = int(xyz.size() / 3);
    std::vector<const float *> corners;
    for (int i = 0; i < n; ++i)
        corners.push_back(&xyz[size_t(3 * i)]);
    double outline = 0.0;
    for (int i = 0; i < n; ++i)
    {
        const float *a = corners[size_t(i)], *b = corners[size_t((i + 1) % n)];
        outline += 0.5 * (double(a[0]) * b[1] - double(b[0]) * a[1]);
    }
    const float up[3] = {0.0f, 0.0f, 1.0f};
    std::vector<int> tris;
    ASSERT_EQ(GRtriangulatePolygon(corners.data(), n, up, tris), n - 2) << what;
    ASSERT_EQ(tris.size(), size_t(3 * (n - 2))) << what;
    double covered = 0.0;
    int backwards = 0;
    for (size_t t = 0; t < tris.size(); t += 3)
    {
        for (int k = 0; k < 3; ++k)
            ASSERT_TRUE(tris[t + k] >= 0 && tris[t + k] < n) << what;
        const double area =
            turn(corners[size_t(tris[t])], corners[size_t(tris[t + 1])], corners[size_t(tris[t + 2])]);
        covered += area;
        backwards += area < -1e-9;
    }
    EXPECT_EQ(backwards, 0) << what;
    EXPECT_NEAR(covered, outline, 1e-6 * std::fabs(outline) + 1e-9) << what;
}
} // namespace

TEST(GR_Triangulate, ConcaveOutlinesOfAnySizeAreCoveredExactly)
{
    expectExactCover(radial({1, 0.3, 1, 0.3, 1, 0.3, 1, 0.3, 1, 0.3}), "star");
    expectExactCover(radial({1, 1, 0.5, 0.5, 1, 1, 0.5, 0.5, 1, 1, 0.5, 0.5}), "comb");
    expectExactCover(radial({1, 1, 1, 1, 1, 0.2}), "one notch, last corner");
    // Coarse spirals: the chord past a corner of the outer edge cuts across
    // the inner one, so most convex corners are no ears.
    expectExactCover(spiral(24, 1.5), "coarse spiral");
    expectExactCover(spiral(60, 3), "coarser spiral");
    std::vector<double> jagged;
    for (int i = 0; i < 300; ++i)
        jagged.push_back(0.2 + double((i * 7919) % 101) / 100.0);
    expectExactCover(radial(jagged), "jagged outline");
    expectExactCover(spiral(8000, 6), "spiral of 8,000 corners");
    // The reader's own limit for one face, and a circle of as many
    // corners, whose float positions leave half of them not quite convex.
    expectExactCover(spiral(65536, 6), "spiral of 65,536 corners");
    expectExactCover(radial(std::vector<double>(65536, 1.0)), "circle of 65,536 corners");
}
