// Small arrays drawn outside definitions go to GL from buffer objects the
// context keeps for the last few sets: what is drawn must follow the
// arrays' bytes at each call, whatever was drawn before from where.

#include "tests/support/VantrelTestContext.h"

#include <GL/gl.h>

#include <vector>

using vantrel_test::isNear;

namespace
{
// A 20-unit square with its lower left corner at (x, 0).
std::vector<float>
squareAt(float x)
{
    return {x, 0, 0, x + 20, 0, 0, x + 20, 20, 0, x, 20, 0};
}

const unsigned int theSquareTriangles[] = {0, 1, 2, 0, 2, 3};

class RE_StreamedArrays : public vantrel_test::WindowPixelTest
{
};
} // namespace

TEST_F(RE_StreamedArrays, DrawingsFollowTheArraysBytesAndLeaveTheRecordsColour)
{
    RE_Render *r = render();
    const std::vector<float> square = squareAt(0);
    std::vector<float> colors(16, 1.0f);
    for (int v = 0; v < 4; ++v)
        colors[v * 4 + 1] = colors[v * 4 + 2] = 0.0f;
    r->setColor(0, 0, 1);
    r->drawArrays(RE_PRIM_TRIANGLES, square.data(), nullptr, colors.data(), 4,
                  theSquareTriangles, 6);
    // The same addresses with other colours, further along.
    std::vector<float> moved = squareAt(30);
    for (int v = 0; v < 4; ++v)
    {
        colors[v * 4 + 0] = 0.0f;
        colors[v * 4 + 1] = 1.0f;
    }
    r->drawArrays(RE_PRIM_TRIANGLES, moved.data(), nullptr, colors.data(), 4,
                  theSquareTriangles, 6);
    // Without colours, in the record's colour: one triangle, then the last
    // square's first triangle and the whole of it.
    const std::vector<float> plain = squareAt(60);
    r->drawArrays(RE_PRIM_TRIANGLES, plain.data(), nullptr, nullptr, 4, theSquareTriangles, 3);
    const std::vector<float> last = squareAt(90);
    r->drawArrays(RE_PRIM_TRIANGLES, last.data(), nullptr, nullptr, 4, theSquareTriangles, 3);
    r->drawArrays(RE_PRIM_TRIANGLES, last.data(), nullptr, nullptr, 4, theSquareTriangles, 6);
    EXPECT_TRUE(isNear(pixel(10, 10), 255, 0, 0));
    EXPECT_TRUE(isNear(pixel(40, 10), 0, 255, 0));
    // Only the first triangle of the square at 60: lower right half.
    EXPECT_TRUE(isNear(pixel(75, 5), 0, 0, 255));
    EXPECT_FALSE(isNear(pixel(65, 15), 0, 0, 255));
    EXPECT_TRUE(isNear(pixel(95, 15), 0, 0, 255));

    // The record's colour is what GL holds once the colour arrays are done.
    r->sendPendingState();
    std::vector<float> current(4);
    glGetFloatv(GL_CURRENT_COLOR, current.data());
    EXPECT_EQ(current, std::vector<float>({0, 0, 1, 1}));
    GLint bound = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(glIsEnabled(GL_VERTEX_ARRAY), GL_FALSE);
}

TEST_F(RE_StreamedArrays, ManySetsTakingTurnsAndLargeArraysAllDraw)
{
    RE_Render *r = render();
    r->setColor(1, 1, 0);
    // More sets than are kept, each drawn twice in turn, then drawn in
    // order without indices: six vertices of two triangles.
    std::vector<std::vector<float>> sets;
    for (int s = 0; s < 6; ++s)
        sets.push_back(squareAt(21.0f * float(s))); // all six within the 128 pixels
    for (int round = 0; round < 2; ++round)
        for (const auto &s : sets)
            r->drawArrays(RE_PRIM_TRIANGLES, s.data(), nullptr, nullptr, 4,
                          theSquareTriangles, 6);
    for (int s = 0; s < 6; ++s)
        EXPECT_TRUE(isNear(pixel(21 * s + 10, 10), 255, 255, 0)) << "set " << s;
    const float y = 30.0f;
    const std::vector<float> corners = {0, y, 0, 20, y, 0, 20, y + 20, 0,
                                        0, y, 0, 20, y + 20, 0, 0, y + 20, 0};
    r->drawArrays(RE_PRIM_TRIANGLES, corners.data(), nullptr, nullptr, 6);
    EXPECT_TRUE(isNear(pixel(5, 45), 255, 255, 0));
    EXPECT_TRUE(isNear(pixel(15, 35), 255, 255, 0));

    // Too large to keep: drawn from memory all the same.
    std::vector<float> large(3 * 4000, 0.0f);
    const std::vector<float> far = squareAt(30);
    std::copy(far.begin(), far.end(), large.begin());
    for (size_t i = 12; i < large.size(); i += 3)
        large[i + 1] = 30.0f;
    r->setColor(0, 1, 1);
    r->drawArrays(RE_PRIM_TRIANGLES, large.data(), nullptr, nullptr, 4000,
                  theSquareTriangles, 6);
    EXPECT_TRUE(isNear(pixel(40, 10), 0, 255, 255));
}
