#include "host/GR/GR_CommonDispOption.h"
#include "host/UT/UT_ClassicLocale.h"

#include "host/GR/GR_OptionText.h"

#include <ostream>
#include <string>

namespace
{
struct ColorDefault
{
    const char *keyword;
    float r, g, b;
};

// Indexed by GR_CommonColor: a dark grey background, light wire, and a
// grid that stays visible against the background.
const ColorDefault theColorDefaults[GR_NUM_COMMON_COLORS] = {
    {"backgroundcolor", 0.22f, 0.22f, 0.22f},
    {"wirecolor", 0.85f, 0.85f, 0.85f},
    {"defaultwirecolor", 0.85f, 0.85f, 0.85f},
    {"templatewirecolor", 0.5f, 0.5f, 0.6f},
    {"selectedwirecolor", 1.0f, 0.9f, 0.2f},
    {"currentobjectcolor", 0.35f, 1.0f, 0.35f},
    {"selectionhintcolor", 0.45f, 0.75f, 1.0f},
    {"ghostshadingcolor", 0.7f, 0.7f, 0.75f},
    {"targetwirecolor", 1.0f, 0.55f, 0.1f},
    {"origincolor", 0.65f, 0.65f, 0.65f},
    {"xaxiscolor", 0.9f, 0.25f, 0.25f},
    {"yaxiscolor", 0.25f, 0.9f, 0.25f},
    {"zaxiscolor", 0.3f, 0.45f, 1.0f},
    {"gridcolor", 0.42f, 0.42f, 0.42f},
    {"pointcolor", 0.95f, 0.95f, 0.4f},
    {"pointnumbercolor", 0.6f, 1.0f, 0.6f},
    {"vertexnumbercolor", 0.6f, 0.9f, 1.0f},
    {"primnumbercolor", 1.0f, 0.7f, 0.5f},
    {"normalcolor", 0.35f, 0.6f, 1.0f},
    {"uvcolor", 1.0f, 0.5f, 0.8f},
    {"hullcolor", 0.6f, 0.6f, 0.9f},
    {"objectnamecolor", 1.0f, 1.0f, 1.0f},
    {"selaxescolor", 1.0f, 0.6f, 0.0f},
    {"guide1color", 0.75f, 0.75f, 0.25f},
    {"guide2color", 0.3f, 0.7f, 0.7f},
    {"backfacecolor", 0.55f, 0.15f, 0.15f},
};

int
clampColorId(GR_CommonColor id)
{
    if (id < 0)
        return 0;
    if (id >= GR_NUM_COMMON_COLORS)
        return GR_NUM_COMMON_COLORS - 1;
    return id;
}

int
findColorKeyword(const std::string &word)
{
    for (int i = 0; i < GR_NUM_COMMON_COLORS; i++)
        if (word == theColorDefaults[i].keyword)
            return i;
    return -1;
}

void
writeUnsigned(std::ostream &os, int level, const char *keyword, unsigned v)
{
    GRwriteIndent(os, level);
    os << keyword << " ( " << v << " )\n";
}
} // namespace

GR_CommonDispOption::GR_CommonDispOption()
    : myLOD(1.0f), mySelectionInstance(-1), myOptionWord(0), myDrawState(0),
      myPrimitiveMask(0xFFFFFFFFu), myWireWidth(1.0f), myOffset{1.0f, 2.0f},
      myHighlightOffset{0.5f, 1.0f}
{
    for (int i = 0; i < GR_NUM_COMMON_COLORS; i++)
    {
        const ColorDefault &c = theColorDefaults[i];
        myColors[i] = UT_Color(UT_RGB, c.r, c.g, c.b);
    }
}

UT_Color &
GR_CommonDispOption::color(GR_CommonColor id)
{
    return myColors[clampColorId(id)];
}

const UT_Color &
GR_CommonDispOption::color(GR_CommonColor id) const
{
    return myColors[clampColorId(id)];
}

const char *
GR_CommonDispOption::colorKeyword(GR_CommonColor id)
{
    if (id < 0 || id >= GR_NUM_COMMON_COLORS)
        return nullptr;
    return theColorDefaults[id].keyword;
}

bool
GR_CommonDispOption::gdpOptionsEqual(const GR_CommonDispOption &other,
                                     bool compare_3d, bool relaxed) const
{
    if (myOptionWord != other.myOptionWord ||
        myPrimitiveMask != other.myPrimitiveMask)
        return false;
    if (!relaxed)
    {
        for (int i = 0; i < GR_NUM_COMMON_COLORS; i++)
            if (!(myColors[i] == other.myColors[i]))
                return false;
    }
    if (compare_3d)
    {
        if (myLOD != other.myLOD || myWireWidth != other.myWireWidth)
            return false;
        for (int i = 0; i < 2; i++)
            if (myOffset[i] != other.myOffset[i] ||
                myHighlightOffset[i] != other.myHighlightOffset[i])
                return false;
    }
    return true;
}

bool
GR_CommonDispOption::save(std::ostream &os, int indent) const
{
    UT_ClassicLocaleScope classic(os);
    GRwriteIndent(os, indent);
    os << "{\n";
    for (int i = 0; i < GR_NUM_COMMON_COLORS; i++)
    {
        float rgb[3];
        myColors[i].getRGB(&rgb[0], &rgb[1], &rgb[2]);
        GRwriteFloats(os, indent + 1, theColorDefaults[i].keyword, rgb, 3);
    }
    GRwriteFloats(os, indent + 1, "lod", &myLOD, 1);
    writeUnsigned(os, indent + 1, "options", myOptionWord);
    writeUnsigned(os, indent + 1, "primitivemask", myPrimitiveMask);
    GRwriteFloats(os, indent + 1, "wirewidth", &myWireWidth, 1);
    GRwriteFloats(os, indent + 1, "polygonoffset", myOffset, 2);
    GRwriteFloats(os, indent + 1, "highlightoffset", myHighlightOffset, 2);
    GRwriteIndent(os, indent);
    os << "}\n";
    return bool(os);
}

bool
GR_CommonDispOption::load(UT_IStream &is)
{
    return GRreadBlock(is, [&](const std::string &word) {
        int color_index = findColorKeyword(word);
        if (color_index >= 0)
        {
            float rgb[3];
            if (!GRreadFloats(is, rgb, 3))
                return false;
            myColors[color_index] = UT_Color(UT_RGB, rgb[0], rgb[1], rgb[2]);
            return true;
        }
        if (word == "lod")
            return GRreadFloats(is, &myLOD, 1);
        if (word == "options")
            return GRreadUnsigned(is, myOptionWord);
        if (word == "primitivemask")
            return GRreadUnsigned(is, myPrimitiveMask);
        if (word == "wirewidth")
            return GRreadFloats(is, &myWireWidth, 1);
        if (word == "polygonoffset")
            return GRreadFloats(is, myOffset, 2);
        if (word == "highlightoffset")
            return GRreadFloats(is, myHighlightOffset, 2);
        return GRskipValues(is);
    });
}
