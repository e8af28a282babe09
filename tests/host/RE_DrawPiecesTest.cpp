// Large drawings from client arrays go to GL a piece at a time: the frame
// must be exactly that of one drawing, the short last piece and indices
// reaching across the whole arrays included.

#include "tests/support/VantrelTestContext.h"

#include <algorithm>
#include <random>
#include <vector>

namespace
{
using Frame = std::vector<uint8_t>;

// Arrays of one drawing: small primitives strewn over the 128-pixel frame,
// each vertex its own colour, so that a primitive missing, misassembled or
// drawn out of turn (later ones cover earlier ones) changes pixels.
struct Strewn
{
    std::vector<float> positions, colors;
    std::vector<unsigned int> indices;
    int count = 0;
};

Strewn
strew(int primitives, int corners, bool indexed, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> where(0.0f, 128.0f), step(-3.0f, 3.0f), shade(0.0f, 1.0f);
    Strewn s;
    s.count = primitives * corners;
    for (int p = 0; p < primitives; ++p)
    {
        const float x = where(random), y = where(random);
        for (int c = 0; c < corners; ++c)
        {
            s.positions.insert(s.positions.end(), {x + step(random), y + step(random), 0.0f});
            s.colors.insert(s.colors.end(), {shade(random), shade(random), shade(random), 1.0f});
        }
    }
    if (!indexed)
        return s;
    // The vertices stored in a shuffled order: each piece of indices reads
    // vertices from all over the arrays.
    std::vector<unsigned int> slot(size_t(s.count));
    for (size_t i = 0; i < slot.size(); ++i)
        slot[i] = unsigned(i);
    std::shuffle(slot.begin(), slot.end(), random);
    std::vector<float> positions(s.positions.size()), colors(s.colors.size());
    for (size_t i = 0; i < slot.size(); ++i)
    {
        std::copy_n(&s.positions[i * 3], 3, &positions[slot[i] * 3]);
        std::copy_n(&s.colors[i * 4], 4, &colors[slot[i] * 4]);
    }
    s.positions.swap(positions);
    s.colors.swap(colors);
    s.indices = slot;
    return s;
}

class RE_DrawPieces : public vantrel_test::WindowPixelTest
{
protected:
    void draw(int prim, const Strewn &s)
    {
        render()->drawArrays(prim, s.positions.data(), nullptr, s.colors.data(), s.count,
                             s.indices.empty() ? nullptr : s.indices.data(),
                             int(s.indices.size()));
    }

    // The drawing drawn directly, and drawn whole from a display object
    // (its arrays in buffer objects, one GL drawing).
    void expectPiecesDrawTheWhole(int prim, const Strewn &s, const char *what)
    {
        render()->clear();
        draw(prim, s);
        const Frame direct = context()->readPixels();
        const int id = render()->startObjectDefine();
        ASSERT_GT(id, 0);
        draw(prim, s);
        render()->endObjectDefine();
        render()->clear();
        render()->drawObject(id);
        const Frame whole = context()->readPixels();
        render()->deleteObject(id);
        EXPECT_EQ(vantrel_test::countDifferent(direct, whole), 0) << what;
        // Not a black frame compared with another.
        EXPECT_GT(vantrel_test::countNotColor(direct, 0, 0, 0), 128 * 128 / 2) << what;
    }
};
} // namespace

TEST_F(RE_DrawPieces, LargeDrawingsInPiecesGiveTheFrameOfOneDrawing)
{
    const int piece = RE_Render::drawPieceElements();
    // Two full pieces and a short last one, for every primitive a piece
    // holds whole of.
    const int triangles = (2 * piece + 3000) / 3, lines = (2 * piece + 1000) / 2;
    expectPiecesDrawTheWhole(RE_PRIM_TRIANGLES, strew(triangles, 3, true, 1), "indexed triangles");
    expectPiecesDrawTheWhole(RE_PRIM_TRIANGLES, strew(triangles, 3, false, 2), "triangles in order");
    expectPiecesDrawTheWhole(RE_PRIM_LINES, strew(lines, 2, true, 3), "indexed lines");
    expectPiecesDrawTheWhole(RE_PRIM_POINTS, strew(2 * piece + 7, 1, false, 4), "points");
}
