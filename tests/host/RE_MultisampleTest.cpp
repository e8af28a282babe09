// Multisampled offscreen frames: edges are smoothed, nothing else changes,
// and reading the frame does not take drawing away from the samples.

#include "tests/support/VantrelSkip.h"
#include "tests/support/VantrelTestContext.h"

#include <cstdlib>

namespace
{
const int W = 90, H = 50;

// A slanted white triangle off centre on black: every edge but the bottom
// one crosses pixels at a slant.
void
drawTriangle(RE_Render *r, float shift = 0.0f)
{
    r->setClearColor(0, 0, 0);
    r->clear();
    r->ortho3DW(0, W, 0, H, -10, 10);
    r->matrixMode(RE_MATRIX_VIEWING);
    r->loadIdentityMatrix();
    r->setColor(1, 1, 1);
    r->beginPolygon(1);
    r->v3DW(12 + shift, 6, 0);
    r->v3DW(71 + shift, 13, 0);
    r->v3DW(33 + shift, 44, 0);
    r->endPolygon();
}

int
channel(const std::vector<uint8_t> &image, int x, int y)
{
    return image[(size_t(y) * W + x) * 4];
}

// True when a pixel of the single-sampled image has a neighbour (of the 8)
// of another colour: it lies on an edge.
bool
onEdge(const std::vector<uint8_t> &image, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
        {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < W && ny < H &&
                channel(image, nx, ny) != channel(image, x, y))
                return true;
        }
    return false;
}
} // namespace

TEST(RE_Multisample, EdgesAreSmoothedAndNothingElseChanges)
{
    RE_OffscreenContext plain(W, H);
    RE_OffscreenContext smooth(W, H, 4);
    if (!plain.isValid() || !smooth.isValid())
        VANTREL_CANNOT_RUN() << "no GL context: " << plain.getError() << smooth.getError();
    ASSERT_EQ(plain.getSamples(), 1);
    ASSERT_GT(smooth.getSamples(), 1) << "the driver gives no multisampled framebuffer";

    plain.makeCurrent();
    drawTriangle(plain.getRender());
    const std::vector<uint8_t> hard = plain.readPixels();
    smooth.makeCurrent();
    drawTriangle(smooth.getRender());
    const std::vector<uint8_t> soft = smooth.readPixels();
    ASSERT_EQ(hard.size(), soft.size());

    int partial = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
        {
            const int a = channel(hard, x, y), b = channel(soft, x, y);
            if (std::abs(a - b) <= 2)
                continue;
            EXPECT_TRUE(onEdge(hard, x, y)) << "pixel " << x << "," << y << " changed off the edges";
            partial += b > 8 && b < 247 ? 1 : 0;
        }
    // The slanted edges hold many pixels partly covered.
    EXPECT_GT(partial, 40);

    // One pixel read alone is resolved as the whole frame is.
    uint8_t rgba[4];
    for (int x = 0; x < W; ++x)
        if (channel(soft, x, 25) > 8 && channel(soft, x, 25) < 247)
        {
            ASSERT_TRUE(smooth.readPixel(x, H - 1 - 25, rgba));
            EXPECT_EQ(int(rgba[0]), channel(soft, x, 25)) << x;
            break;
        }

    // Drawing after a read still reaches the frame: the triangle moved
    // right shows in the next read.
    drawTriangle(smooth.getRender(), 10.0f);
    const std::vector<uint8_t> moved = smooth.readPixels();
    EXPECT_GT(vantrel_test::countDifferent(soft, moved, 8), 100);
    EXPECT_EQ(smooth.getRender()->drainGLErrors(), 0);
}
