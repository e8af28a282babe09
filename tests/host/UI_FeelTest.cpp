// The toolkit pieces the viewports stand on: values of one to three
// numbers, feels placed in windows (relative positions, drawing brackets)
// and viewports known to their scene manager.
#include "host/RE/RE_Render.h"
#include "host/UI/BM_SceneManager.h"
#include "host/UI/BM_Viewport.h"
#include "host/UI/DD_Source.h"
#include "host/UI/UI_Value.h"
#include "host/UI/UI_Window.h"

#include <gtest/gtest.h>

#include <vector>

TEST(UIValue, HoldsOneToThreeNumbersAndRefusesOtherSizes)
{
    UI_Value v(1.5f, 2.5f);
    float buf[3] = {9, 9, 9};
    v.getValue(buf, 3);
    EXPECT_EQ(std::vector<float>(buf, buf + 3), (std::vector<float>{1.5f, 2.5f, 0.0f})); // 0 past the size
    const float four[4] = {1, 2, 3, 4};
    v.setValue(four, 4);
    v.setValue(nullptr, 2);
    v.setValue(four, 0);
    EXPECT_EQ(v.getSize(), 2);
    v.getValue(buf, 2);
    EXPECT_EQ(buf[0], 1.5f);
    v.setValue(four, 3);
    EXPECT_EQ(v.getSize(), 3);
    v.getValue(buf, 3);
    EXPECT_EQ(buf[2], 3.0f);
    // Back to one number: the others read 0 again.
    v.setValue(1234567.125);
    EXPECT_EQ(v.getValue(), 1234567.125); // double precision kept
    v.getValue(buf, 3);
    EXPECT_EQ(buf[1], 0.0f);
    v.getValue(buf, -1); // nothing, no crash
}

TEST(UIFeel, RelativePositionsAndDrawBracketsFollowThePlacement)
{
    UI_Window window;
    EXPECT_EQ(window.getParentWindow(), &window);
    UI_Feel feel;
    feel.setParentWindow(&window);
    feel.setPosition(30, 20);
    feel.setSize(-4, 50); // minimised sides are empty, never negative
    EXPECT_EQ(feel.getWidth(), 0);
    feel.setSize(100, 50);

    float x = 35.0f, y = 21.0f;
    feel.setRelative(&x, &y, 0, nullptr);
    EXPECT_EQ(x, 5.0f);
    EXPECT_EQ(y, 1.0f);
    feel.setRelative(&x, &y, 1, nullptr);
    EXPECT_EQ(x, 35.0f);
    EXPECT_EQ(y, 21.0f);
    // A position from another window goes through that window's place.
    UI_Window other;
    other.setPosition(10, 10);
    feel.setRelative(&x, &y, 0, &other);
    EXPECT_EQ(x, 15.0f);
    EXPECT_EQ(y, 11.0f);

    // Without a render context the brackets only count.
    feel.beginDraw();
    feel.endDraw();
    feel.endDraw();
    EXPECT_EQ(feel.getDrawDepth(), 0);

    RE_Render r;
    window.setRender(&r);
    r.viewport2DS(0, 639, 0, 479);
    feel.beginDraw();
    feel.beginDraw();
    short x1, x2, y1, y2;
    r.getViewport2DS(x1, x2, y1, y2);
    EXPECT_EQ((std::vector<int>{x1, x2, y1, y2}), (std::vector<int>{30, 129, 20, 69}));
    EXPECT_EQ(r.getLockDepth(), 1);
    feel.endDraw();
    EXPECT_EQ(r.getLockDepth(), 1);
    feel.endDraw();
    EXPECT_EQ(r.getLockDepth(), 0);
    r.getViewport2DS(x1, x2, y1, y2);
    EXPECT_EQ(x2, 639);
    EXPECT_EQ(y2, 479);
}

TEST(BMViewport, TheManagerKnowsItsLiveViewports)
{
    BM_SceneManager manager;
    {
        BM_Viewport a(manager, "persp1", 7);
        BM_Viewport b(manager, "top1", 7);
        EXPECT_EQ(manager.getNumViewports(), 2);
        EXPECT_EQ(manager.getViewport(1), &b);
        EXPECT_EQ(manager.getViewport(2), nullptr);
        EXPECT_EQ(manager.getViewport(-1), nullptr);
    }
    EXPECT_EQ(manager.getNumViewports(), 0);

    DD_Source source;
    EXPECT_EQ(source.getSourceData(0, 1, 1), nullptr);
    EXPECT_EQ(source.hasSourceData(1, 1), 0);
    source.dragDropAccepted(0);
    source.dragDropAccepted(1);
    EXPECT_EQ(source.getAcceptedDrops(), 1);
}
