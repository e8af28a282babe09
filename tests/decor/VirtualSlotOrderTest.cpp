// The order of the virtual operations of the classes an application derives
// from or calls through a table: a renderer or drag source built against
// one order must find each operation where it expects it. Entries 0 and 1
// are the destructor.
#include "decor/GUI_ViewRender.h"
#include "host/UI/DD_Source.h"
#include "scene/GUI_SceneFeel.h"
#include "tests/support/VantrelExpect.h"

#include <gtest/gtest.h>

using namespace vantrel_test;

TEST(VirtualSlotOrder, ViewRenderDrawsFirstThenNamesItself)
{
    EXPECT_EQ(virtualSlot(&GUI_ViewRender::preRender), 2);
    EXPECT_EQ(virtualSlot(&GUI_ViewRender::postRender), 3);
    EXPECT_EQ(virtualSlot(&GUI_ViewRender::rasterRender), 4);
    EXPECT_EQ(virtualSlot(&GUI_ViewRender::className), 5);
}

TEST(VirtualSlotOrder, DragSourceKeepsTheToolkitsOrder)
{
    EXPECT_EQ(virtualSlot(&DD_Source::getSourceData), 2);
    EXPECT_EQ(virtualSlot(&DD_Source::hasSourceData), 3);
    EXPECT_EQ(virtualSlot(&DD_Source::saveDragDropState), 4);
    EXPECT_EQ(virtualSlot(&DD_Source::dragDropAccepted), 5);
    EXPECT_EQ(virtualSlot(&DD_Source::restoreDragDropState), 6);
    EXPECT_EQ(virtualSlot(&DD_Source::getAcceptedDrops), -1);
}

TEST(VirtualSlotOrder, SceneFeelAddsItsOwnAfterEveryInheritedOne)
{
    using MapThrough = UI_Event *(GUI_SceneFeel::*)(UI_Event *, const UT_Vector3 &,
                                                    const UT_Vector3 &);
    using MapOnto = UI_Event *(GUI_SceneFeel::*)(UI_Event *, const UT_Plane &);
    const std::ptrdiff_t through = virtualSlot(MapThrough(&GUI_SceneFeel::mapEvent));
    const std::ptrdiff_t onto = virtualSlot(MapOnto(&GUI_SceneFeel::mapEvent));
    const std::ptrdiff_t fov = virtualSlot(&GUI_SceneFeel::homeResetsFOV);
    EXPECT_GT(through, virtualSlot(&GUI_SceneFeel::className));
    EXPECT_EQ(onto, through + 1);
    EXPECT_EQ(fov, through + 2);
}
