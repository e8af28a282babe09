#include "host/OPUI/OPUI_RotoscopeData.h"

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
    GRwriteIndent(os, indent);
    os << "{\n";
    GRwriteIndent(os, indent + 1);
    os << "filename ( ";
    GRwriteQuoted(os, myFileName);
    os << " )\n";
    GRwriteIndent(os, indent + 1);
    os << "resolution ( ";
    GRwriteFloat(os, myResolutionFraction);
    os << " )\n";
    GRwriteIndent(os, indent + 1);
    os << "brightness ( ";
    GRwriteFloat(os, myBrightness);
    os << " )\n";
    GRwriteIndent(os, indent);
    os << "}\n";
}

bool
OPUI_RotoscopeData::load(UT_IStream &is)
{
    if (!GRreadOpenBrace(is))
        return false;

    std::string word;
    while (GRreadWord(is, word))
    {
        if (word == "}")
            return true;

        bool ok;
        if (word == "filename")
        {
            std::string name;
            ok = GRreadQuoted(is, name);
            if (ok)
                myFileName = name;
        }
        else if (word == "resolution")
        {
            float fraction = 0.0f;
            ok = GRreadFloats(is, &fraction, 1) && setResolutionFraction(fraction);
        }
        else if (word == "brightness")
        {
            float brightness = 0.0f;
            ok = GRreadFloats(is, &brightness, 1);
            if (ok)
                setBrightness(brightness);
        }
        else
            ok = GRskipValues(is);
        if (!ok)
            return false;
    }
    // The input ended inside the block.
    return false;
}
