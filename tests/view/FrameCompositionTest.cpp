// The frame the README shows an application composing: a view state's
// camera homed onto a box and loaded into a context must show the box.
#include "tests/support/VantrelTestContext.h"

#include "host/UT/UT_BoundingBox.h"
#include "view/GUI_ViewState.h"

class FrameComposition : public vantrel_test::PixelTest
{
};

TEST_F(FrameComposition, HomedCameraShowsTheBoxInTheMiddle)
{
    const short size = vantrel_test::theContextSize;
    RE_Render *r = render();
    GUI_ViewState state;
    GUI_ViewParameter &cam = state.getViewParameterRef();
    state.setViewport(r, 0, 0, size, size);
    cam.setView(0, 0, size, size);
    UT_BoundingBox box(-1, 1, -1, 1, -1, 1);
    cam.homeToBox(size, size, box, nullptr, true, true);
    state.setProjection(r);

    // The far face of the box (z = -1): it must sit inside the frame.
    r->setColor(1.0f, 0.0f, 0.0f);
    r->beginPolygon();
    r->vertex3DW(-1, -1, -1);
    r->vertex3DW(1, -1, -1);
    r->vertex3DW(1, 1, -1);
    r->vertex3DW(-1, 1, -1);
    r->endPolygon();
    r->flush(1);

    EXPECT_TRUE(vantrel_test::isNear(pixel(size / 2, size / 2), 255, 0, 0));
    EXPECT_TRUE(vantrel_test::isNear(pixel(1, 1), 0, 0, 0));
}
