// Pointer positions from the window system to the drawing surface's pixels.

#include "host/UI/UI_DesktopWindow.h"

#include <gtest/gtest.h>

TEST(UI_DesktopWindow, PointerPositionsLandOnTheSurfacesPixels)
{
    float x = 0, y = 0;
    // Same units and pixels: only the rows turn over.
    UIwindowToPixels(30, 50, 300, 200, 300, 200, x, y);
    EXPECT_FLOAT_EQ(x, 30);
    EXPECT_FLOAT_EQ(y, 150);
    // A screen of scale 2: twice the pixels on each side.
    UIwindowToPixels(30, 50, 300, 200, 600, 400, x, y);
    EXPECT_FLOAT_EQ(x, 60);
    EXPECT_FLOAT_EQ(y, 300);
    // Scales that differ by side (a surface held to the largest size).
    UIwindowToPixels(299.5, 0, 300, 200, 450, 100, x, y);
    EXPECT_FLOAT_EQ(x, 449.25f);
    EXPECT_FLOAT_EQ(y, 100);
}
