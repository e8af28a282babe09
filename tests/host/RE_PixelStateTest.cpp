// Render context state that shows in pixels: fog, light slots, line styles,
// smart objects and several contexts side by side.

#include "tests/support/VantrelTestContext.h"

#include "host/RE/RE_Light.h"
#include "host/RE/RE_Texture2DMap.h"
#include "host/TIL/TIL_TextureMap.h"

using vantrel_test::isNear;

namespace
{
const int S = vantrel_test::theContextSize;

class RE_PixelState : public vantrel_test::WindowPixelTest
{
protected:
    int litAlongRow(int y, int x0, int x1)
    {
        int lit = 0;
        for (int x = x0; x < x1; ++x)
            if (!isNear(pixel(x, y), 0, 0, 0, 10))
                ++lit;
        return lit;
    }
};
}

TEST_F(RE_PixelState, EightLightSlotsAndAFreedSlotIsTakenAgain)
{
    RE_Light light("key");
    ASSERT_TRUE(render()->defineLight(&light));
    EXPECT_TRUE(render()->isLightDefined(&light));
    // The ninth light has no slot until one is freed.
    std::vector<RE_Light> more(8);
    int defined = 0;
    for (RE_Light &l : more)
        defined += render()->defineLight(&l) ? 1 : 0;
    EXPECT_EQ(defined, 7);
    render()->undefineLight(&light);
    EXPECT_FALSE(render()->isLightDefined(&light));
    EXPECT_TRUE(render()->defineLight(&more.back()));
}

TEST_F(RE_PixelState, SmartObjectsTurnDirtyWhenTheirTextureChanges)
{
    TIL_TextureMap image(1, 1);
    image.setPixel(0, 0, 0, 255, 0, 255);
    RE_Texture2DMap texture;
    texture.setMap(&image);
    const unsigned int index = texture.getIndex();
    ASSERT_NE(index, 0u);

    const int textured = render()->startSmartObjectDefine();
    render()->useTexture2D(index);
    square(0, 0, 20);
    render()->useTexture2D(0);
    ASSERT_TRUE(render()->endSmartObjectDefine());
    const int plain = render()->startSmartObjectDefine();
    square(30, 0, 20);
    ASSERT_TRUE(render()->endSmartObjectDefine());

    render()->drawObject(textured);
    EXPECT_TRUE(isNear(pixel(10, 10), 0, 255, 0));
    EXPECT_FALSE(render()->isSmartObjectDirty(textured));
    texture.clearRenderIndex();
    EXPECT_TRUE(render()->isSmartObjectDirty(textured));
    EXPECT_FALSE(render()->isSmartObjectDirty(plain));
    render()->deleteSmartObject(textured);
    render()->deleteSmartObject(plain);
    EXPECT_FALSE(render()->isObject(plain));
}

TEST_F(RE_PixelState, EachContextKeepsItsOwnRecordAndPixels)
{
    RE_OffscreenContext other(32, 16);
    ASSERT_TRUE(other.isValid()) << other.getError();
    RE_Render *r2 = other.getRender();
    short x1, x2, y1, y2;
    r2->getViewport2DS(x1, x2, y1, y2);
    EXPECT_EQ(x2, 31);
    EXPECT_EQ(y2, 15);
    r2->setClearColor(0, 1, 0);
    r2->clear();

    // Drawing through the first context while the second is current does
    // not reach either picture; locking brings the first back.
    render()->setClearColor(1, 0, 0);
    render()->clear();
    uint8_t rgba[4];
    ASSERT_TRUE(other.readPixel(3, 3, rgba));
    EXPECT_TRUE(isNear(rgba, 0, 255, 0));
    render()->lockContextForRender();
    render()->clear();
    render()->unlockContextAfterRender();
    EXPECT_TRUE(isNear(pixel(3, 3), 255, 0, 0));
    ASSERT_TRUE(other.readPixel(3, 3, rgba));
    EXPECT_TRUE(isNear(rgba, 0, 255, 0));
    EXPECT_FALSE(other.readPixel(32, 0, rgba));

    RE_OffscreenContext bad(0, 10);
    EXPECT_FALSE(bad.isValid());
    EXPECT_FALSE(bad.getError().empty());
    EXPECT_EQ(bad.getRender(), nullptr);
    EXPECT_TRUE(bad.readPixels().empty());
}
