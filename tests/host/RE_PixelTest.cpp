// Render context drawing into the shared offscreen context.

#include "tests/support/VantrelTestContext.h"

#include "host/RE/RE_Texture2DMap.h"
#include "host/TIL/TIL_TextureMap.h"

using vantrel_test::isNear;

namespace
{
const int S = vantrel_test::theContextSize;

// World units are window pixels.
using RE_Pixels = vantrel_test::WindowPixelTest;
}

TEST_F(RE_Pixels, TextAndRastersDrawWhereTheyArePut)
{
    render()->setColor(1, 1, 0);
    render()->textMoveW(10, 60);
    render()->putString("Hello");
    std::vector<uint8_t> image = context()->readPixels();
    const int lit = vantrel_test::countNotColor(image, 0, 0, 0);
    EXPECT_GT(lit, 20);
    // All of it lies right of and about the baseline at (10, 60); image rows
    // run top first.
    int minX = S, maxX = -1, minY = S, maxY = -1;
    for (int row = 0; row < S; ++row)
        for (int x = 0; x < S; ++x)
            if (image[(row * S + x) * 4] != 0)
            {
                const int y = S - 1 - row;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    EXPECT_GE(minX, 10);
    EXPECT_LE(maxX, 10 + 5 * 8 + 2);
    EXPECT_GE(minY, 56);
    EXPECT_LE(maxY, 60 + 13);

    // A 2x2 image zoomed by 4 covers an 8x8 block, its first row at the bottom.
    render()->clear();
    TIL_TextureMap image2(2, 2);
    image2.setPixel(0, 0, 255, 0, 0, 255);
    image2.setPixel(1, 0, 0, 255, 0, 255);
    image2.setPixel(0, 1, 0, 0, 255, 255);
    image2.setPixel(1, 1, 255, 255, 255, 255);
    render()->zoomRaster(4, -1);
    render()->displayRaster(30, 40, &image2);
    render()->zoomRaster(1, -1);
    EXPECT_TRUE(isNear(pixel(31, 41), 255, 0, 0));
    EXPECT_TRUE(isNear(pixel(35, 41), 0, 255, 0));
    EXPECT_TRUE(isNear(pixel(31, 46), 0, 0, 255));
    EXPECT_TRUE(isNear(pixel(37, 47), 255, 255, 255));
    EXPECT_TRUE(isNear(pixel(38, 41), 0, 0, 0));
    // A raster whose corner lies left of the viewport still shows its rest.
    render()->clear();
    render()->zoomRaster(4, -1);
    render()->displayRaster(-4, 40, &image2);
    render()->zoomRaster(1, -1);
    EXPECT_TRUE(isNear(pixel(1, 41), 0, 255, 0));
}

TEST_F(RE_Pixels, TexturedQuadBlendAndDepthFollowTheRecord)
{
    TIL_TextureMap image(1, 1);
    image.setPixel(0, 0, 255, 128, 0, 255);
    RE_Texture2DMap texture;
    texture.setMap(&image);
    const unsigned int index = texture.getIndex();
    ASSERT_NE(index, 0u);
    render()->useTexture2D(index);
    render()->setColor(1, 1, 1);
    render()->beginPolygon(0);
    render()->t2DW(0, 0); render()->v2DW(0, 0);
    render()->t2DW(1, 0); render()->v2DW(20, 0);
    render()->t2DW(1, 1); render()->v2DW(20, 20);
    render()->t2DW(0, 1); render()->v2DW(0, 20);
    render()->endPolygon();
    render()->useTexture2D(0);
    EXPECT_TRUE(isNear(pixel(10, 10), 255, 128, 0));

    // Half-transparent white over black with alpha blending.
    render()->pushBlendState();
    render()->blendAlpha(1);
    render()->setColor(1, 1, 1, 0.5f);
    render()->boxf2DS(40, 40, 49, 49);
    render()->popBlendState();
    EXPECT_TRUE(isNear(pixel(40, 40), 128, 128, 128, 3));
    EXPECT_TRUE(isNear(pixel(49, 49), 128, 128, 128, 3));
    EXPECT_TRUE(isNear(pixel(50, 50), 0, 0, 0));

    // With the depth test on, a farther box does not cover a nearer one.
    render()->enableZbuffer(1, 1);
    render()->ortho3DW(0, S, 0, S, -10, 10);
    render()->setColor(1, 0, 0);
    render()->beginPolygon(1);
    render()->v3DW(80, 80, 1); render()->v3DW(100, 80, 1);
    render()->v3DW(100, 100, 1); render()->v3DW(80, 100, 1);
    render()->endPolygon();
    render()->setColor(0, 0, 1);
    render()->beginPolygon(1);
    render()->v3DW(85, 85, -1); render()->v3DW(110, 85, -1);
    render()->v3DW(110, 110, -1); render()->v3DW(85, 110, -1);
    render()->endPolygon();
    render()->enableZbuffer(0);
    EXPECT_TRUE(isNear(pixel(90, 90), 255, 0, 0));
    EXPECT_TRUE(isNear(pixel(105, 105), 0, 0, 255));
}
