#include "scene/GUI_SceneFeel.h"

#include "detail/GUI_DetailFeel.h"
#include "host/RE/RE_Types.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_Matrix3.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <cmath>

namespace
{
// Double-buffered RGB with depth and alpha.
const int theDisplayMode = RE_MODE_RGB | RE_MODE_DOUBLE | RE_MODE_ZBUFFER | RE_MODE_ALPHA;
// A viewport takes the keyboard and follows the mouse with no button held.
const unsigned theFeelFlags = UI_Feel::UI_FEEL_TAKES_KEYS | UI_Feel::UI_FEEL_WANTS_MOTION;
} // namespace

GUI_SceneFeel::GUI_SceneFeel(BM_SceneManager &manager, const char *name)
    : BM_Viewport(manager, name, theDisplayMode), myUseViewMatrices(true)
{
    setFlags(theFeelFlags);
    GUI_ViewState::getDefaultNearFarLimits(myNoCamNear, myNoCamFar);
}

GUI_SceneFeel::~GUI_SceneFeel()
{
    for (int i = 0; i < myDetails.entries(); ++i)
        delete static_cast<GUI_DetailFeel *>(myDetails(i));
    myDetails.clear();
}

void
GUI_SceneFeel::addDetailFeel(GUI_DetailFeel *feel)
{
    myDetails.addMember(feel);
}

int
GUI_SceneFeel::removeDetailFeel(GUI_DetailFeel *feel)
{
    return myDetails.removeMember(feel) >= 0 ? 1 : 0;
}

void
GUI_SceneFeel::renderDetail(RE_Render *r, short x, short y, GUI_DetailFeel &feel)
{
    feel.render(r, x, y, short(getWidth()), short(getHeight()));
}

void
GUI_SceneFeel::updateGlobalDetailState() const
{
    getSceneLook().updateGlobalDetailState();
}

GUI_SceneLook &
GUI_SceneFeel::getSceneLook() const
{
    return *static_cast<GUI_SceneLook *>(getLook());
}

GUI_ViewState &
GUI_SceneFeel::getViewStateRef() const
{
    return getSceneLook().getViewStateRef();
}

void
GUI_SceneFeel::getView(short &x1, short &x2, short &y1, short &y2) const
{
    getViewStateRef().getViewParameterRef().getView(x1, x2, y1, y2);
}

short
GUI_SceneFeel::getViewWidth() const
{
    short x1, x2, y1, y2;
    getView(x1, x2, y1, y2);
    return short(x2 - x1 + 1);
}

short
GUI_SceneFeel::getViewHeight() const
{
    short x1, x2, y1, y2;
    getView(x1, x2, y1, y2);
    return short(y2 - y1 + 1);
}

void GUI_SceneFeel::setOrthoFlag(int on) { getViewStateRef().setOrthoFlag(on); }
void GUI_SceneFeel::setRotateMatrix(const UT_Matrix3 &rot) { getViewStateRef().setRotateMatrix(rot); }
void GUI_SceneFeel::setLimits(float n, float f) { getViewStateRef().setLimits(n, f); }

// ---- Camera operations: the same step on each of the three cameras.

namespace
{
template <typename Op>
void
eachCamera(GUI_ViewState &state, Op op)
{
    op(state.getViewParameter(GUI_ViewState::GUI_VIEW_MAIN));
    op(state.getViewParameter(GUI_ViewState::GUI_VIEW_SECOND));
    op(state.getViewParameter(GUI_ViewState::GUI_VIEW_THIRD));
}
} // namespace

void
GUI_SceneFeel::doRotate(UT_Axis3::axis axis, float degrees)
{
    eachCamera(getViewStateRef(), [&](GUI_ViewParameter &v) { v.rotate(axis, degrees); });
}

void
GUI_SceneFeel::doRotate(UT_Vector3 axis, float degrees)
{
    getViewStateRef().rotate(axis, degrees);
}

void
GUI_SceneFeel::doTrackball(float dx, float dy, int end_of_drag)
{
    eachCamera(getViewStateRef(),
               [&](GUI_ViewParameter &v) { v.dotumble(dx, dy, end_of_drag); });
}

void
GUI_SceneFeel::doScroll(float dx, float dy)
{
    RE_Render *r = getRender();
    eachCamera(getViewStateRef(), [&](GUI_ViewParameter &v) { v.scroll(r, dx, dy); });
}

void
GUI_SceneFeel::doScroll(float dx, float dy, const UT_Rect<UT_InclusiveRectImpl> &rect)
{
    RE_Render *r = getRender();
    eachCamera(getViewStateRef(), [&](GUI_ViewParameter &v) { v.scroll(r, dx, dy, rect); });
}

void
GUI_SceneFeel::doDolly(float dz)
{
    eachCamera(getViewStateRef(), [&](GUI_ViewParameter &v) { v.dolly(dz); });
}

void
GUI_SceneFeel::doZoom(float dz, GUI_ViewParameter::GUI_ZoomItem item)
{
    eachCamera(getViewStateRef(), [&](GUI_ViewParameter &v) { v.zoom(dz, item); });
}

void
GUI_SceneFeel::doZoom(float dz, GUI_ViewParameter::GUI_ZoomItem item,
                      const UT_Rect<UT_InclusiveRectImpl> &rect)
{
    eachCamera(getViewStateRef(), [&](GUI_ViewParameter &v) { v.zoom(dz, item, rect); });
}

void
GUI_SceneFeel::doHome(UT_BoundingBox &box, const UT_Matrix3 *rot, bool around_origin,
                      bool half_distance)
{
    GUI_ViewState &state = getViewStateRef();
    GUI_ViewParameter &main = state.getViewParameterRef();
    if (homeResetsFOV())
        main.resetFOV();
    state.homeToBox(getViewWidth(), getViewHeight(), box, rot, around_origin, half_distance);
    if (main.getAdjustLimits())
    {
        myNoCamNear = main.getNear();
        myNoCamFar = main.getFar();
    }
}

// ---- Matrices and limits

void
GUI_SceneFeel::cacheViewMatrices()
{
    GUI_ViewParameter &main = getViewStateRef().getViewParameterRef();
    myUseViewMatrices = false;
    myCachedProjection = main.getProjectionMatrix();
    main.updateTransformMatrix();
    myCachedTransform = main.getTransformMatrix();
}

void
GUI_SceneFeel::flushViewMatrices()
{
    myUseViewMatrices = true;
}

void
GUI_SceneFeel::getNoCamNearFarLimits(float &near_dist, float &far_dist) const
{
    near_dist = myNoCamNear;
    far_dist = myNoCamFar;
}

void
GUI_SceneFeel::setNoCamNearFarLimits(float near_dist, float far_dist)
{
    myNoCamNear = near_dist < 0.001f ? 0.001f : near_dist;
    myNoCamFar = far_dist <= 0.0f ? 1000.0f : far_dist;
}

bool
GUI_SceneFeel::useNoCamNearFarLimits()
{
    GUI_ViewParameter &main = getViewStateRef().getViewParameterRef();
    const float tol = 0.00001f;
    if (std::fabs(main.getNear() - myNoCamNear) <= tol &&
        std::fabs(main.getFar() - myNoCamFar) <= tol)
        return false;
    main.setLimits(myNoCamNear < 0.001f ? 0.001f : myNoCamNear,
                   myNoCamFar <= 0.0f ? 10000.0f : myNoCamFar);
    return true;
}
