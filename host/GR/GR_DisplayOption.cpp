#include "host/GR/GR_DisplayOption.h"

#include "host/GR/GR_UserOption.h"

#include <algorithm>

GR_DisplayOption::GR_DisplayOption(GR_CommonDispOption *common)
    : myCommon(common), myFlags(GR_FLAG_USE_MATERIALS | GR_FLAG_FILL_SELECTIONS),
      myShadingMode(GR_SHADE_SMOOTH)
{
    shadingMode(GR_SHADE_SMOOTH);
}

GR_DisplayOption::~GR_DisplayOption() = default;

void
GR_DisplayOption::shadingMode(GR_ShadingMode mode)
{
    if (!GRisValidShadingMode(mode))
        return;
    myShadingMode = mode;
    drawCategory(GRisShadedMode(mode) ? GR_DRAW_SHADED : GR_DRAW_WIRE);
    setFlag(GR_FLAG_BOUNDING_BOX, GRisBoundingBoxMode(mode));
}

void
GR_DisplayOption::copyNonCommon(const GR_DisplayOption &src)
{
    myFlags = src.myFlags;
    myShadingMode = src.myShadingMode;
}

int
GR_DisplayOption::getNumUserOptions() const
{
    return GR_UserOption::getNumOptions();
}

const GR_UserOption *
GR_DisplayOption::getUserOption(int index) const
{
    return isUserOptionEnabled(index) ? GR_UserOption::get(index) : nullptr;
}

bool
GR_DisplayOption::isUserOptionEnabled(int index) const
{
    return index >= 0 && index < (int)myUserOptions.size() &&
           myUserOptions[index].enabled;
}

bool
GR_DisplayOption::enableUserOption(const char *name, bool on)
{
    int index = GR_UserOption::find(name);
    if (index < 0)
        return false;
    if (index >= (int)myUserOptions.size())
        myUserOptions.resize(index + 1);
    myUserOptions[index].enabled = on;
    myUserOptions[index].version = GR_UserOption::get(index)->getVersion();
    return true;
}

void
GR_DisplayOption::disableAllUserOptions()
{
    for (UserOptionState &state : myUserOptions)
        state.enabled = false;
}

void
GR_DisplayOption::removeUserOption(int index)
{
    if (index >= 0 && index < (int)myUserOptions.size())
        myUserOptions.erase(myUserOptions.begin() + index);
}

void
GR_DisplayOption::matchUserOptionStates(const GR_DisplayOption &src)
{
    if (myUserOptions.size() < src.myUserOptions.size())
        myUserOptions.resize(src.myUserOptions.size());
    for (size_t i = 0; i < myUserOptions.size(); i++)
    {
        bool on = src.isUserOptionEnabled((int)i);
        if (on == myUserOptions[i].enabled)
            continue;
        myUserOptions[i].enabled = on;
        // Switching on here is switching on: the option is seen as it is now.
        const GR_UserOption *option = GR_UserOption::get((int)i);
        if (on && option)
            myUserOptions[i].version = option->getVersion();
    }
}

bool
GR_DisplayOption::userOptionStatesEqual(const GR_DisplayOption &other) const
{
    size_t n = std::max(myUserOptions.size(), other.myUserOptions.size());
    for (size_t i = 0; i < n; i++)
        if (isUserOptionEnabled((int)i) != other.isUserOptionEnabled((int)i))
            return false;
    return true;
}

void
GR_DisplayOption::refreshUserOptionVersions()
{
    for (size_t i = 0; i < myUserOptions.size(); i++)
    {
        const GR_UserOption *option = GR_UserOption::get((int)i);
        myUserOptions[i].version = option ? option->getVersion() : 0;
    }
}

void
GR_DisplayOption::copyUserOptions(const GR_DisplayOption &src)
{
    if (this != &src)
        myUserOptions = src.myUserOptions;
}

bool
GR_DisplayOption::gdpOptionsEqual(const GR_DisplayOption &other,
                                  bool ignore_user_options) const
{
    if (myFlags != other.myFlags || myShadingMode != other.myShadingMode)
        return false;
    if (ignore_user_options)
        return true;

    size_t n = std::max(myUserOptions.size(), other.myUserOptions.size());
    for (size_t i = 0; i < n; i++)
    {
        bool on = isUserOptionEnabled((int)i);
        if (on != other.isUserOptionEnabled((int)i))
            return false;
        // An option drawn with an older version draws differently.
        if (on && myUserOptions[i].version != other.myUserOptions[i].version)
            return false;
    }
    return true;
}
