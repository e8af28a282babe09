#include "view/GUI_ViewState.h"

#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Plane.h"

GUI_ViewState::GUI_ViewState()
{
    ensureDefaultsLoaded();
    resetToDefaults();
}

GUI_ViewState &
GUI_ViewState::operator=(const GUI_ViewState &src)
{
    if (this == &src)
        return *this;
    myDisplayOptions = src.myDisplayOptions;
    for (int i = 0; i < 3; i++)
        myViews[i] = src.myViews[i];
    return *this;
}

void
GUI_ViewState::syncViewsWithMain()
{
    myViews[GUI_VIEW_SECOND] = myViews[GUI_VIEW_MAIN];
    myViews[GUI_VIEW_THIRD] = myViews[GUI_VIEW_MAIN];
}

// ---- The main camera

void
GUI_ViewState::setViewport(RE_Render *r, short x, short y, short width, short height)
{
    myViews[GUI_VIEW_MAIN].setViewport(r, x, y, width, height);
}

void
GUI_ViewState::getViewport(short &x1, short &x2, short &y1, short &y2) const
{
    myViews[GUI_VIEW_MAIN].getViewport(x1, x2, y1, y2);
}

void
GUI_ViewState::getView(short &x1, short &x2, short &y1, short &y2) const
{
    myViews[GUI_VIEW_MAIN].getView(x1, x2, y1, y2);
}

short
GUI_ViewState::getViewWidth() const
{
    return static_cast<short>(myViews[GUI_VIEW_MAIN].getViewWidth());
}

short
GUI_ViewState::getViewHeight() const
{
    return static_cast<short>(myViews[GUI_VIEW_MAIN].getViewHeight());
}

void
GUI_ViewState::setProjection(RE_Render *r)
{
    myViews[GUI_VIEW_MAIN].setProjection(r);
}

const UT_Matrix4 &
GUI_ViewState::getTransformMatrix()
{
    return myViews[GUI_VIEW_MAIN].getTransformMatrix();
}

const UT_Matrix4 &
GUI_ViewState::getItransformMatrix()
{
    return myViews[GUI_VIEW_MAIN].getItransformMatrix();
}

const UT_Matrix4 &
GUI_ViewState::getProjectionMatrix() const
{
    return myViews[GUI_VIEW_MAIN].getProjectionMatrix();
}

const UT_Matrix4 &
GUI_ViewState::getRotateMatrix() const
{
    return myViews[GUI_VIEW_MAIN].getRotateMatrix();
}

void
GUI_ViewState::setRotateMatrix(const UT_Matrix3 &rot)
{
    myViews[GUI_VIEW_MAIN].setRotateMatrix(rot);
}

int
GUI_ViewState::initialized() const
{
    return myViews[GUI_VIEW_MAIN].initialized();
}

void
GUI_ViewState::setOrthoFlag(int on)
{
    myViews[GUI_VIEW_MAIN].setOrthoFlag(on);
}

int
GUI_ViewState::getOrthoFlag() const
{
    return myViews[GUI_VIEW_MAIN].getOrthoFlag();
}

void
GUI_ViewState::setApplyAspectFlag(int on)
{
    myViews[GUI_VIEW_MAIN].setApplyAspectFlag(on);
}

int
GUI_ViewState::getApplyAspectFlag() const
{
    return myViews[GUI_VIEW_MAIN].getApplyAspectFlag();
}

void
GUI_ViewState::setAspectRatio(float aspect)
{
    myViews[GUI_VIEW_MAIN].setAspectRatio(aspect);
}

float
GUI_ViewState::getAspectRatio() const
{
    return myViews[GUI_VIEW_MAIN].getAspectRatio();
}

void
GUI_ViewState::setLimits(float near_dist, float far_dist)
{
    myViews[GUI_VIEW_MAIN].setLimits(near_dist, far_dist);
}

void
GUI_ViewState::boxZoom(short x1, short y1, short x2, short y2)
{
    myViews[GUI_VIEW_MAIN].boxZoom(x1, y1, x2, y2);
}

// ---- One camera by index

void
GUI_ViewState::setViewport(GUI_ViewType type, RE_Render *r, short x, short y, short width,
                           short height)
{
    myViews[viewIndex(type)].setViewport(r, x, y, width, height);
}

void
GUI_ViewState::setProjection(GUI_ViewType type, RE_Render *r)
{
    myViews[viewIndex(type)].setProjection(r);
}

// ---- Navigation on all three cameras

void
GUI_ViewState::rotate(UT_Axis3::axis axis, float degrees)
{
    for (GUI_ViewParameter &view : myViews)
        view.rotate(axis, degrees);
}

void
GUI_ViewState::rotate(UT_Vector3 axis, float degrees)
{
    for (GUI_ViewParameter &view : myViews)
        view.rotate(axis, degrees);
}

void
GUI_ViewState::trackball(float dx, float dy)
{
    for (GUI_ViewParameter &view : myViews)
        view.trackball(dx, dy);
}

void
GUI_ViewState::dotumble(float dx, float dy, int end_of_drag)
{
    for (GUI_ViewParameter &view : myViews)
        view.dotumble(dx, dy, end_of_drag);
}

void
GUI_ViewState::scroll(RE_Render *r, float dx, float dy)
{
    for (GUI_ViewParameter &view : myViews)
        view.scroll(r, dx, dy);
}

void
GUI_ViewState::scroll(RE_Render *r, float dx, float dy,
                      const UT_Rect<UT_InclusiveRectImpl> &rect)
{
    for (GUI_ViewParameter &view : myViews)
        view.scroll(r, dx, dy, rect);
}

void
GUI_ViewState::dolly(float dz)
{
    for (GUI_ViewParameter &view : myViews)
        view.dolly(dz);
}

void
GUI_ViewState::zoom(float dz, GUI_ViewParameter::GUI_ZoomItem item)
{
    for (GUI_ViewParameter &view : myViews)
        view.zoom(dz, item);
}

void
GUI_ViewState::zoom(float dz, GUI_ViewParameter::GUI_ZoomItem item,
                    const UT_Rect<UT_InclusiveRectImpl> &rect)
{
    for (GUI_ViewParameter &view : myViews)
        view.zoom(dz, item, rect);
}

void
GUI_ViewState::homeToBox(short view_width, short view_height, UT_BoundingBox &box,
                         const UT_Matrix3 *rot, bool around_origin, bool half_distance)
{
    for (GUI_ViewParameter &view : myViews)
        view.homeToBox(view_width, view_height, box, rot, around_origin, half_distance);
}

// ---- Other members

void
GUI_ViewState::setPrimitiveMask(unsigned int mask)
{
    myDisplayOptions.common().setPrimitiveMask(mask);
}

unsigned int
GUI_ViewState::getPrimitiveMask() const
{
    return myDisplayOptions.common().getPrimitiveMask();
}

void
GUI_ViewState::alignPlaneWithView(UT_Plane *plane)
{
    if (!plane)
        return;
    // The inverse of world-to-view takes the plane from view to world.
    UT_Matrix4 view_to_world = myViews[GUI_VIEW_MAIN].getTransformMatrix();
    view_to_world.invert(0.0f);
    plane->transform(view_to_world);
}
