#include "tests/support/VantrelSkip.h"
#include "tests/support/VantrelTestContext.h"

#include <cstdlib>
#include <memory>
#include <sstream>

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
    r->drainGLErrors();
    setUpScene();
}

void
PixelTest::TearDown()
{
    if (RE_Render *r = render())
    {
        tearDownScene();
        r->setJournal(false);
        EXPECT_EQ(r->drainGLErrors(), 0) << "a GL error was left behind";
    }
}

void
WindowPixelTest::setUpScene()
{
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
PixelTest::pixelIs(float x, float y, int r, int g, int b, int tol, bool around) const
{
    const int reach = around ? 1 : 0;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (isNear(pixel(int(x) + dx, int(y) + dy), r, g, b, tol))
                return true;
    return false;
}

int
PixelTest::countNotBlack() const
{
    return myContext ? countNotColor(myContext->readPixels(), 0, 0, 0, 3) : 0;
}

bool
PixelTest::windowPoint(const UT_Vector3 &p, float &sx, float &sy) const
{
    RE_Render *r = render();
    short x1, x2, y1, y2;
    r->getViewport2DS(x1, x2, y1, y2);
    return r->mapScreen(p, x1, x2, y1, y2, r->getAMatrix(RE_MATRIX_PROJECTION),
                        r->getAMatrix(RE_MATRIX_VIEWING), sx, sy) == 0;
}

namespace
{
bool
isOp(const std::string &line, const std::string &op)
{
    return line.compare(0, op.size(), op) == 0 && (line.size() == op.size() || line[op.size()] == ' ');
}
}

std::vector<std::string>
journalLines(const RE_Render &r, const std::string &op)
{
    return journalLines(r, {op});
}

std::vector<std::string>
journalLines(const RE_Render &r, std::initializer_list<std::string> ops)
{
    std::vector<std::string> out;
    for (const std::string &line : r.getJournal())
        for (const std::string &op : ops)
            if (isOp(line, op))
            {
                out.push_back(line);
                break;
            }
    return out;
}

int
journalCount(const RE_Render &r, const std::string &op)
{
    return int(journalLines(r, op).size());
}

int
journalIndex(const RE_Render &r, const std::string &op, int from)
{
    const std::vector<std::string> &j = r.getJournal();
    for (int i = from; i < int(j.size()); ++i)
        if (isOp(j[i], op))
            return i;
    return -1;
}

std::vector<double>
journalArgs(const std::string &line)
{
    std::istringstream in(line);
    std::string op;
    in >> op;
    std::vector<double> args;
    for (double v; in >> v;)
        args.push_back(v);
    return args;
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
