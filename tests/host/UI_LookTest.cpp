// The toolkit look: shading of its colours, the rectangle fill and the
// bevelled border, on a real context.
#include "tests/support/VantrelTestContext.h"

#include "host/UI/UI_Rectangle.h"

#include <cmath>

using vantrel_test::isNear;

TEST(UI_ColorTest, ShadingMovesTowardBlackOrWhite)
{
    const UI_Color c(UT_RGB, 0.2f, 0.4f, 0.8f);
    float r, g, b;
    c.shaded(0.5f).getColor().getRGB(&r, &g, &b);
    EXPECT_FLOAT_EQ(r, 0.1f);
    EXPECT_FLOAT_EQ(b, 0.4f);
    c.shaded(-0.5f).getColor().getRGB(&r, &g, &b);
    EXPECT_FLOAT_EQ(r, 0.6f);
    EXPECT_FLOAT_EQ(b, 0.9f);
    c.shaded(7.0f).getColor().getRGB(&r, &g, &b);
    EXPECT_EQ(g, 0.0f);
    c.shaded(std::nanf("")).getColor().getRGB(&r, &g, &b);
    EXPECT_FLOAT_EQ(g, 0.4f);
    // An HSV colour is shaded in RGB.
    UI_Color(UT_HSV, 0.0f, 1.0f, 1.0f).shaded(0.25f).getColor().getRGB(&r, &g, &b);
    EXPECT_FLOAT_EQ(r, 0.75f);
    EXPECT_FLOAT_EQ(g, 0.0f);
}

TEST(UI_LookTest, MarginIsNeverNegativeAndSetsThePreferredSizes)
{
    UI_Rectangle look;
    look.setMargin(-3);
    EXPECT_EQ(look.getMargin(), 0);
    look.setMargin(5);
    int a = 0, b = 0, c = 1, d = 2, e = 3, f = 4;
    look.getPreferredSizes(a, b, c, d, e, f);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 10);
    EXPECT_EQ(c * 1000 + d * 100 + e * 10 + f, 1234);
    EXPECT_NE(look.getFont(), nullptr);
}

class UI_LookPixels : public vantrel_test::PixelTest
{
};

TEST_F(UI_LookPixels, RectangleFillsAndBorderBevels)
{
    RE_Render *r = render();
    UI_Rectangle look;
    look.setBG(UI_Color(UT_RGB, 0.4f, 0.4f, 0.4f));
    look.setView(r, 0, 0, 128, 128);
    look.render(r, 10, 20, 30, 40, nullptr);
    EXPECT_TRUE(isNear(pixel(10, 20), 102, 102, 102));
    EXPECT_TRUE(isNear(pixel(39, 59), 102, 102, 102));
    EXPECT_TRUE(isNear(pixel(40, 59), 0, 0, 0));
    EXPECT_TRUE(isNear(pixel(39, 60), 0, 0, 0));

    look.renderBorder(r, 10, 20, 30, 40);
    EXPECT_TRUE(isNear(pixel(20, 59), 140, 140, 140)); // top, lighter
    EXPECT_TRUE(isNear(pixel(10, 40), 140, 140, 140)); // left
    EXPECT_TRUE(isNear(pixel(20, 20), 51, 51, 51));    // bottom, darker
    EXPECT_TRUE(isNear(pixel(39, 40), 51, 51, 51));    // right
    EXPECT_TRUE(isNear(pixel(20, 40), 102, 102, 102)); // inside untouched

    // Empty rectangles draw nothing; a plain look draws only its border.
    r->clear();
    look.render(r, 10, 10, 0, 20, nullptr);
    look.renderBorder(r, 10, 10, 20, -1);
    look.UI_Look::render(r, 10, 10, 20, 20, nullptr);
    EXPECT_EQ(vantrel_test::countNotColor(context()->readPixels(), 0, 0, 0), 0);
    look.drawsBorder(true);
    look.UI_Look::render(r, 10, 10, 20, 20, nullptr);
    EXPECT_EQ(vantrel_test::countNotColor(context()->readPixels(), 0, 0, 0), 4 * 20 - 4);
}

TEST_F(UI_LookPixels, PlainLookPicksInPixelsAndPutsTheContextBack)
{
    RE_Render *r = render();
    UI_Look look;
    unsigned int buffer[32];
    r->viewport2DS(0, 9, 0, 9);
    const auto pickAt = [&](short px, short py) {
        look.beginPicking(r, buffer, 32, 0, 0, 128, 128, px, py, 2, 2);
        r->pushPickId(5);
        r->beginPolygon();
        r->vertex2DW(45, 45);
        r->vertex2DW(55, 45);
        r->vertex2DW(55, 55);
        r->vertex2DW(45, 55);
        r->endPolygon();
        r->popPickId();
        return look.endPicking(r, buffer);
    };
    ASSERT_EQ(pickAt(50, 50), 1);
    EXPECT_EQ(buffer[3], 5u);
    EXPECT_EQ(pickAt(100, 50), 0);
    short x1, x2, y1, y2;
    r->getViewport2DS(x1, x2, y1, y2);
    EXPECT_EQ(x2, 9);
    EXPECT_EQ(r->getLockDepth(), 0);
}
