#include "tests/support/VantrelSkip.h"
#include "tests/support/VantrelTestContext.h"

#include <memory>

using vantrel_test::isNear;

namespace
{
class RE_TwoContexts : public vantrel_test::PixelTest
{
protected:
    void setUpScene() override
    {
        second = std::make_unique<RE_OffscreenContext>(32, 32);
        if (!second->isValid())
            VANTREL_CANNOT_RUN() << "no second context: " << second->getError();
        // Making a context makes it current: start from the shared one.
        context()->makeCurrent();
    }
    void tearDownScene() override
    {
        second.reset();
        context()->makeCurrent();
    }

    // A square over the middle of the unit view in the current colour.
    static void square(RE_Render &r)
    {
        static const float corners[12] = {-0.5f, -0.5f, 0, 0.5f, -0.5f, 0,
                                          0.5f,  0.5f,  0, -0.5f, 0.5f, 0};
        static const unsigned int tris[6] = {0, 1, 2, 0, 2, 3};
        r.drawArrays(RE_PRIM_TRIANGLES, corners, nullptr, nullptr, 4, tris, 6);
    }

    std::unique_ptr<RE_OffscreenContext> second;
};
}

TEST_F(RE_TwoContexts, ObjectsBuiltInOneContextAreDrawnAndReleasedThroughTheMain)
{
    RE_Render *main = RE_Render::getMainRender();
    ASSERT_EQ(main, render());
    RE_Render &other = *second->getRender();
    EXPECT_TRUE(other.sharesObjectsWith(*main));
    EXPECT_EQ(second->getSharedWith(), context());

    second->makeCurrent();
    other.ortho2DW(-1, 1, -1, 1);
    const int live = main->getNumLiveObjects();
    const int id = other.startSmartObjectDefine();
    ASSERT_GT(id, 0);
    other.setColor(1, 0, 0);
    square(other);
    ASSERT_TRUE(other.endSmartObjectDefine());
    // Both contexts count the one object of their shared name space.
    EXPECT_EQ(main->getNumLiveObjects(), live + 1);
    EXPECT_EQ(other.getNumLiveObjects(), live + 1);

    // The main context sees the same object and can draw it.
    context()->makeCurrent();
    EXPECT_TRUE(main->isObject(id));
    main->ortho2DW(-1, 1, -1, 1);
    main->drawObject(id);
    EXPECT_TRUE(isNear(pixel(64, 64), 255, 0, 0));

    // Released through the main context while the other one is current:
    // gone for both, and the other context is current again afterwards.
    second->makeCurrent();
    main->lockContextForRender();
    EXPECT_TRUE(context()->isCurrent());
    main->deleteSmartObject(id);
    main->unlockContextAfterRender();
    EXPECT_TRUE(second->isCurrent());
    EXPECT_FALSE(other.isObject(id));
    EXPECT_EQ(other.getNumLiveObjects(), live);
    // Deleting what is not there again counts nothing.
    main->deleteSmartObject(id);
    EXPECT_EQ(main->getNumLiveObjects(), live);
    EXPECT_EQ(main->drainGLErrors(), 0);
}

TEST_F(RE_TwoContexts, UnlockGivesCurrencyBackSoTheSecondViewportStillDraws)
{
    RE_Render *main = RE_Render::getMainRender();
    RE_Render &other = *second->getRender();
    second->makeCurrent();
    other.setClearColor(0, 0, 1);
    other.clear();
    // A cache release in the middle of the second viewport's frame.
    main->lockContextForRender();
    main->lockContextForRender(); // nested
    main->unlockContextAfterRender();
    EXPECT_TRUE(context()->isCurrent());
    main->unlockContextAfterRender();
    EXPECT_TRUE(second->isCurrent());
    other.ortho2DW(-1, 1, -1, 1);
    other.setColor(0, 1, 0);
    square(other);
    uint8_t rgba[4];
    ASSERT_TRUE(second->readPixel(16, 16, rgba));
    EXPECT_TRUE(isNear(rgba, 0, 255, 0));
    ASSERT_TRUE(second->readPixel(1, 1, rgba));
    EXPECT_TRUE(isNear(rgba, 0, 0, 255));
    // The main context's picture was not touched.
    context()->makeCurrent();
    EXPECT_TRUE(isNear(pixel(64, 64), 0, 0, 0));
}
