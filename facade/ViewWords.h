#pragma once

#include "host/GR/GR_ShadingMode.h"
#include "host/UT/SYS_Visibility.h"
#include "host/UT/UT_BoundingBox.h"
#include "view/GUI_ViewParameter.h"

#include <functional>
#include <string>

class GUI_ViewState;
class UT_Matrix3;

// What the demo's flags and the facade share: the names of home axes and
// shading modes, and the checks that keep a homed camera one a camera file
// can hold.
namespace vantrel
{
// The home axis named threequarter, custom, x, y, z, front, right, top,
// back, left or bottom; false for any other name.
VANTREL_API bool homeAxisFromName(const std::string &name, GUI_ViewParameter::axis &axis);

// The shading mode named box, wire, hidden, flat, flatwire, smooth or
// smoothwire; -1 for any other name. shadingName gives the name back, or
// "other" for a mode without one.
VANTREL_API int shadingFromName(const std::string &name);
VANTREL_API const char *shadingName(GR_ShadingMode mode);

// The box as seen in the frame of rot: the bounds of its rotated corners.
VANTREL_API UT_BoundingBox boxInFrame(const UT_BoundingBox &box, const UT_Matrix3 &rot);

// True when every number of the camera's text form is finite: only then
// does a saved camera load again.
VANTREL_API bool cameraIsFinite(const GUI_ViewParameter &cam);

// Runs home (which homes the state's cameras onto framed) unless framed's
// size is not finite, and undoes it when a camera number came out not
// finite (a camera file could not hold it). False, with the reason in why,
// when the cameras stay as they were.
VANTREL_API bool homeSafely(GUI_ViewState &state, const UT_BoundingBox &framed,
                            const std::function<void()> &home, std::string &why);

// Texture space is flat: it is seen from the front, u to the right and v
// up, and homing frames the unit square whatever the uvs span.
const GUI_ViewParameter::axis theUVHomeAxis = GUI_ViewParameter::GUI_HOME_FRONT;
VANTREL_API UT_BoundingBox uvHomeBox();

// True when word opens an entry of the camera's text form ("word (").
VANTREL_API bool isCameraKeyword(const std::string &word);
}
