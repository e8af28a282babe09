#include "view/GUI_ViewParameter.h"

#include "host/UT/UT_BoundingBox.h"
#include "tests/support/VantrelTestContext.h"

#include <algorithm>

namespace
{
void
drawBoxEdges(RE_Render *r, const UT_BoundingBox &box)
{
    r->setColor(1, 1, 1);
    r->beginLines();
    for (int i = 0; i < 8; ++i)
        for (int bit = 1; bit < 8; bit <<= 1)
            if (!(i & bit))
            {
                const int j = i | bit;
                r->vertex3DW(box(0, i & 1), box(1, (i >> 1) & 1), box(2, (i >> 2) & 1));
                r->vertex3DW(box(0, j & 1), box(1, (j >> 1) & 1), box(2, (j >> 2) & 1));
            }
    r->endLines();
}

// Homes from the three-quarter view, measuring the box in that frame.
void
homeThreeQuarter(GUI_ViewParameter &cam, const UT_BoundingBox &box, int size)
{
    UT_Matrix3 rot;
    cam.homeRotation(GUI_ViewParameter::GUI_HOME_THREE_QUARTER, rot);
    UT_BoundingBox framed;
    for (int i = 0; i < 8; ++i)
        framed.enlargeBounds(UT_Vector3(box(0, i & 1), box(1, (i >> 1) & 1), box(2, (i >> 2) & 1)) * rot);
    cam.homeToBox(size, size, framed, &rot, false, false);
}
} // namespace

class ViewCameraPixel : public vantrel_test::PixelTest
{
};

TEST_F(ViewCameraPixel, HomedAndTumbledBoxStaysInView)
{
    const int size = vantrel_test::theContextSize;
    RE_Render *r = render();
    UT_BoundingBox box(2, 3, -0.5f, 0.5f, -0.5f, 0.5f);

    GUI_ViewParameter cam;
    cam.setViewport(r, 0, 0, size, size);
    cam.setView(0, 0, size, size);
    homeThreeQuarter(cam, box, size);
    cam.setProjection(r);
    cam.dotumble(6, 4, 1);
    cam.setProjection(r);
    drawBoxEdges(r, box);

    // The box is drawn and the homing margin keeps it off the border.
    std::vector<uint8_t> image = context()->readPixels();
    ASSERT_EQ(image.size(), size_t(size * size * 4));
    int lit = 0, minX = size, maxX = -1, minY = size, maxY = -1;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (image[(size_t(y) * size + x) * 4] > 128)
            {
                ++lit;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    EXPECT_GT(lit, 200);
    EXPECT_GT(minX, 0);
    EXPECT_LT(maxX, size - 1);
    EXPECT_GT(minY, 0);
    EXPECT_LT(maxY, size - 1);

    // The tumble turned the box: the same frame without it differs.
    r->clear();
    GUI_ViewParameter still;
    still.setViewport(r, 0, 0, size, size);
    still.setView(0, 0, size, size);
    homeThreeQuarter(still, box, size);
    still.setProjection(r);
    drawBoxEdges(r, box);
    EXPECT_GT(vantrel_test::countDifferent(context()->readPixels(), image), 20);
}
