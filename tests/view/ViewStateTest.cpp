#include "tests/view/ViewStateTestSupport.h"

#include "host/RE/RE_Render.h"
#include "host/TIL/TIL_TextureMap.h"
#include "host/UT/UT_Plane.h"

#include <tuple>

namespace
{
GUI_ViewParameter &
view(GUI_ViewState &state, int index)
{
    return state.getViewParameter(GUI_ViewState::GUI_ViewType(index));
}

TEST(ViewStateTest, CameraIndexesSetUpAndSync)
{
    GUI_ViewState state;
    EXPECT_EQ(&view(state, 7), &state.getViewParameterRef());
    EXPECT_EQ(&view(state, -1), &state.getViewParameterRef());
    EXPECT_NE(&view(state, 1), &view(state, 2));

    // Per-index set-up reaches only the named camera; any other index the main one.
    RE_Render r;
    state.setViewport(GUI_ViewState::GUI_VIEW_SECOND, &r, 0, 0, 40, 30);
    state.setViewport(GUI_ViewState::GUI_ViewType(9), &r, 0, 0, 80, 60);
    EXPECT_EQ(view(state, 1).getViewportWidth(), 40);
    EXPECT_EQ(view(state, 0).getViewportWidth(), 80);
    EXPECT_EQ(view(state, 2).getViewportWidth(), 101);

    // Forwarded operations change the main camera only.
    view(state, 1).setLimits(5.0f, 50.0f);
    state.setLimits(0.0f, 0.0f);
    EXPECT_FLOAT_EQ(view(state, 0).getNear(), 0.001f);
    EXPECT_FLOAT_EQ(view(state, 0).getFar(), 10000.0f);
    EXPECT_FLOAT_EQ(view(state, 1).getNear(), 5.0f);
    EXPECT_FLOAT_EQ(view(state, 2).getNear(), 0.1f);

    state.getViewParameterRef().setTx(3.0f);
    state.syncViewsWithMain();
    for (int i = 1; i < 3; ++i)
    {
        EXPECT_FLOAT_EQ(view(state, i).getTx(), 3.0f);
        EXPECT_FLOAT_EQ(view(state, i).getNear(), 0.001f);
        EXPECT_EQ(view(state, i).getViewportWidth(), 80);
    }
}

TEST(ViewStateTest, AssignmentKeepsTheTargetSnapshotWhileCopyingTakesIt)
{
    auto snapshot = [](const GUI_ViewState &s) {
        return std::make_tuple(s.getSnapshotImage(), s.getSnapshotImageFrame(), s.getSnapshotAlpha(),
                               s.getHideSnapshotAtSourceFrame());
    };
    TIL_TextureMap picture(4, 4);
    GUI_ViewState source, target;
    source.setSnapshotImage(&picture);
    source.setSnapshotImageFrame(12);
    source.setSnapshotAlpha(0.25f);
    source.setHideSnapshotAtSourceFrame(true);
    view(source, 2).setTz(9.0f);
    source.getDisplayOptionRef().drawOrigin(false);

    const auto untouched = snapshot(target);
    target = source;
    GUI_ViewState copy(source);
    EXPECT_EQ(snapshot(target), untouched);
    EXPECT_EQ(snapshot(copy), snapshot(source));
    for (GUI_ViewState *state : {&target, &copy})
    {
        EXPECT_FLOAT_EQ(view(*state, 2).getTz(), 9.0f);
        EXPECT_FALSE(state->getDisplayOptionRef().drawOrigin());
    }
}

TEST(ViewStateTest, NavigationMovesEachCameraWithItsOwnValues)
{
    GUI_ViewState state;
    RE_Render r;
    // Cameras that were never synced: each at its own distance to its pivot.
    for (int i = 0; i < 3; ++i)
    {
        view(state, i).setTz(2.0f + 3.0f * i);
        view(state, i).setPz(-1.0f * i);
        state.setViewport(GUI_ViewState::GUI_ViewType(i), &r, 0, 0, 100, 100);
    }
    GUI_ViewParameter expected[3] = {view(state, 0), view(state, 1), view(state, 2)};

    state.dolly(25.0f);
    state.rotate(UT_Axis3::YAXIS, 30.0f);
    for (int i = 0; i < 3; ++i)
    {
        expected[i].dolly(25.0f);
        expected[i].rotate(UT_Axis3::YAXIS, 30.0f);
        EXPECT_EQ(view(state, i).getTransformMatrix(), expected[i].getTransformMatrix()) << i;
    }
    EXPECT_NE(view(state, 0).getTz(), view(state, 1).getTz());
}

TEST(ViewStateTest, AlignPlaneWithViewTakesAViewPlaneIntoTheWorld)
{
    GUI_ViewState state;
    state.getViewParameterRef().setTx(1.0f);
    state.getViewParameterRef().setTz(6.0f);
    state.getViewParameterRef().rotate(UT_Axis3::XAXIS, 40.0f);

    // Five units in front of the camera, facing it.
    UT_Plane plane(UT_Vector3(0.0f, 0.0f, -5.0f), UT_Vector3(0.0f, 0.0f, 1.0f));
    state.alignPlaneWithView(&plane);

    // Back through world-to-view, the point and (the camera being rigid)
    // the normal's tip return where they started.
    const UT_Matrix4 &xform = state.getTransformMatrix();
    EXPECT_LT((plane.point() * xform).distance(UT_Vector3(0.0f, 0.0f, -5.0f)), 1e-4f);
    EXPECT_LT(((plane.point() + plane.normal()) * xform).distance(UT_Vector3(0.0f, 0.0f, -4.0f)), 1e-4f);
}
} // namespace
