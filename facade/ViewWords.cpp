#include "facade/ViewWords.h"

#include "host/UT/UT_Matrix3.h"
#include "host/UT/UT_Vector3.h"
#include "view/GUI_ViewState.h"

#include <algorithm>
#include <cstdio>

#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>

namespace
{
struct AxisName
{
    const char *name;
    GUI_ViewParameter::axis axis;
};

const AxisName theAxisNames[] = {
    {"threequarter", GUI_ViewParameter::GUI_HOME_THREE_QUARTER},
    {"custom", GUI_ViewParameter::GUI_HOME_CUSTOM},
    {"x", GUI_ViewParameter::GUI_HOME_ALONG_X},
    {"y", GUI_ViewParameter::GUI_HOME_ALONG_Y},
    {"z", GUI_ViewParameter::GUI_HOME_ALONG_Z},
    {"front", GUI_ViewParameter::GUI_HOME_FRONT},
    {"right", GUI_ViewParameter::GUI_HOME_RIGHT},
    {"top", GUI_ViewParameter::GUI_HOME_TOP},
    {"back", GUI_ViewParameter::GUI_HOME_BACK},
    {"left", GUI_ViewParameter::GUI_HOME_LEFT},
    {"bottom", GUI_ViewParameter::GUI_HOME_BOTTOM},
};

struct ShadingName
{
    const char *name;
    GR_ShadingMode mode;
};

const ShadingName theShadingNames[] = {
    {"box", GR_SHADE_BOX_WIRE},       {"wire", GR_SHADE_WIRE},
    {"hidden", GR_SHADE_HIDDEN_LINE}, {"flat", GR_SHADE_FLAT},
    {"flatwire", GR_SHADE_FLAT_WIRE}, {"smooth", GR_SHADE_SMOOTH},
    {"smoothwire", GR_SHADE_SMOOTH_WIRE},
};
} // namespace

namespace vantrel
{
bool
homeAxisFromName(const std::string &name, GUI_ViewParameter::axis &axis)
{
    for (const AxisName &entry : theAxisNames)
        if (name == entry.name)
        {
            axis = entry.axis;
            return true;
        }
    return false;
}

int
shadingFromName(const std::string &name)
{
    for (const ShadingName &entry : theShadingNames)
        if (name == entry.name)
            return entry.mode;
    return -1;
}

const char *
shadingName(GR_ShadingMode mode)
{
    for (const ShadingName &entry : theShadingNames)
        if (entry.mode == mode)
            return entry.name;
    return "other";
}

UT_BoundingBox
boxInFrame(const UT_BoundingBox &box, const UT_Matrix3 &rot)
{
    UT_BoundingBox framed;
    for (int i = 0; i < 8; ++i)
    {
        UT_Vector3 c(box(0, i & 1), box(1, (i >> 1) & 1), box(2, (i >> 2) & 1));
        c *= rot;
        framed.enlargeBounds(c);
    }
    return framed;
}

bool
cameraIsFinite(const GUI_ViewParameter &cam)
{
    std::ostringstream out;
    cam.save(out, '\n');
    std::istringstream words(out.str());
    for (std::string word; words >> word;)
    {
        char *end = nullptr;
        const double value = std::strtod(word.c_str(), &end);
        if (end != word.c_str() && *end == '\0' && !std::isfinite(value))
            return false;
    }
    return true;
}

bool
isCameraKeyword(const std::string &word)
{
    // Learnt once from the camera's own saved text.
    static const std::set<std::string> theKeywords = [] {
        std::ostringstream sample;
        GUI_ViewParameter().save(sample, '\n');
        std::set<std::string> found;
        std::istringstream known(sample.str());
        std::string previous;
        for (std::string w; known >> w; previous = w)
            if (w == "(")
                found.insert(previous);
        return found;
    }();
    return theKeywords.count(word) > 0;
}

bool
homeSafely(GUI_ViewState &state, const UT_BoundingBox &framed, const std::function<void()> &home,
           std::string &why)
{
    for (int axis = 0; axis < 3; ++axis)
        if (!std::isfinite(framed(axis, 1) - framed(axis, 0)))
        {
            why = "the camera stays as it was: the scene's size is not finite";
            return false;
        }
    const GUI_ViewState before = state;
    home();
    if (cameraIsFinite(state.getViewParameterRef()))
        return true;
    state = before;
    char text[200];
    std::snprintf(text, sizeof(text),
                  "the camera stays as it was: homing onto a scene %g wide would put it at a "
                  "distance no number holds",
                  double(std::max({framed(0, 1) - framed(0, 0), framed(1, 1) - framed(1, 0),
                                   framed(2, 1) - framed(2, 0)})));
    why = text;
    return false;
}

UT_BoundingBox
uvHomeBox()
{
    return UT_BoundingBox(0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f);
}
}
