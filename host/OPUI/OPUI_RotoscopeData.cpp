#include "host/OPUI/OPUI_RotoscopeData.h"
#include "host/UT/UT_ClassicLocale.h"

#include "host/GR/GR_OptionText.h"

#include <ostream>

OPUI_RotoscopeData::OPUI_RotoscopeData()
    : myResolutionFraction(1.0f), myBrightness(1.0f)
{
}

bool
OPUI_RotoscopeData::setResolutionFraction(float fraction)
{
    // Written this way so NaN is refused too.
    if (!(fraction > 0.0f && fraction <= 1.0f))
        return false;
    myResolutionFraction = fraction;
    return true;
}

void
OPUI_RotoscopeData::setBrightness(float brightness)
{
    if (!(brightness >= 0.0f))
        brightness = 0.0f;
    if (brightness > 1.0f)
        brightness = 1.0f;
    myBrightness = brightness;
}

bool
OPUI_RotoscopeData::operator==(const OPUI_RotoscopeData &other) const
{
    return myFileName == other.myFileName &&
           myResolutionFraction == other.myResolutionFraction &&
           myBrightness == other.myBrightness;
}

void
OPUI_RotoscopeData::save(std::ostream &os, int indent) const
{
    UT_ClassicLocaleScope classic(os);
    GRwriteIndent(os, indent);
    os << "{\n";
    GRwriteQuoted(os, indent + 1, "filename", myFileName);
    GRwriteFloats(os, indent + 1, "resolution", &myResolutionFraction, 1);
    GRwriteFloats(os, indent + 1, "brightness", &myBrightness, 1);
    GRwriteIndent(os, indent);
    os << "}\n";
}

bool
OPUI_RotoscopeData::load(UT_IStream &is)
{
    return GRreadBlock(is, [&](const std::string &word) {
        if (word == "filename")
        {
            std::string name;
            if (!GRreadQuoted(is, name))
                return false;
            myFileName = name;
            return true;
        }
        if (word == "resolution")
        {
            float fraction = 0.0f;
            return GRreadFloats(is, &fraction, 1) && setResolutionFraction(fraction);
        }
        if (word == "brightness")
        {
            float brightness = 0.0f;
            if (!GRreadFloats(is, &brightness, 1))
                return false;
            setBrightness(brightness);
            return true;
        }
        return GRskipValues(is);
    });
}
