#include "tests/support/VantrelSkip.h"
#include "tests/support/VantrelTestContext.h"

#include <cstdlib>
#include <memory>

namespace vantrel_test
{
namespace
{
struct SharedContext
{
    std::unique_ptr<RE_OffscreenContext> context;
    std::string error;
    bool tried = false;
};

SharedContext &
shared()
{
    static SharedContext theShared;
    return theShared;
}

int
channelDistance(int a, int b)
{
    return std::abs(a - b);
}
}

RE_OffscreenContext *
offscreen()
{
    SharedContext &s = shared();
    if (!s.tried)
    {
        s.tried = true;
        auto ctx = std::make_unique<RE_OffscreenContext>(theContextSize, theContextSize);
        if (ctx->isValid())
            s.context = std::move(ctx);
        else
            s.error = ctx->getError().empty() ? "unknown failure" : ctx->getError();
    }
    return s.context.get();
}

const std::string &
offscreenError()
{
    offscreen();
    return shared().error;
}

void
PixelTest::SetUp()
{
    myContext = offscreen();
    if (!myContext)
        VANTREL_CANNOT_RUN() << "no offscreen GL context: " << offscreenError();
    myContext->makeCurrent();
    RE_Render *r = myContext->getRender();
    r->setJournal(false);
    r->clearJournal();
    r->resetState();
    r->clear();
}

void
PixelTest::TearDown()
{
    if (RE_Render *r = render())
        r->setJournal(false);
}

void
WindowPixelTest::SetUp()
{
    PixelTest::SetUp();
    if (!render())
        return;
    render()->ortho3DW(0, theContextSize, 0, theContextSize, -10, 10);
    render()->matrixMode(RE_MATRIX_VIEWING);
    render()->loadIdentityMatrix();
}

void
WindowPixelTest::square(float x, float y, float size, float fog)
{
    render()->beginPolygon(1);
    const float xs[4] = {x, x + size, x + size, x};
    const float ys[4] = {y, y, y + size, y + size};
    for (int i = 0; i < 4; ++i)
    {
        if (fog >= 0.0f)
            render()->fogCoord(fog);
        render()->v3DW(xs[i], ys[i], 0);
    }
    render()->endPolygon();
}

std::vector<std::vector<unsigned>>
pickNames(const unsigned *buffer, int count)
{
    std::vector<std::vector<unsigned>> out;
    for (int i = 0, at = 0; i < count; ++i)
    {
        const unsigned names = buffer[at];
        out.emplace_back(buffer + at + 3, buffer + at + 3 + names);
        at += 3 + int(names);
    }
    return out;
}

std::vector<int>
PixelTest::pixel(int x, int y) const
{
    uint8_t rgba[4] = {0, 0, 0, 0};
    if (myContext)
        myContext->readPixel(x, y, rgba);
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

bool
isNear(const uint8_t rgba[4], int r, int g, int b, int tol)
{
    return channelDistance(rgba[0], r) <= tol && channelDistance(rgba[1], g) <= tol &&
           channelDistance(rgba[2], b) <= tol;
}

bool
isNear(const std::vector<int> &rgba, int r, int g, int b, int tol)
{
    return rgba.size() >= 3 && channelDistance(rgba[0], r) <= tol &&
           channelDistance(rgba[1], g) <= tol && channelDistance(rgba[2], b) <= tol;
}

int
countNotColor(const std::vector<uint8_t> &image, int r, int g, int b, int tol)
{
    int count = 0;
    for (size_t i = 0; i + 3 < image.size(); i += 4)
        if (!isNear(&image[i], r, g, b, tol))
            ++count;
    return count;
}

int
countDifferent(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b, int tol)
{
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (size_t i = 0; i + 3 < a.size(); i += 4)
        for (int c = 0; c < 4; ++c)
            if (channelDistance(a[i + c], b[i + c]) > tol)
            {
                ++count;
                break;
            }
    return count;
}
}
