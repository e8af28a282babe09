#include "host/GR/GR_DisplayOption.h"
#include "host/UT/UT_ClassicLocale.h"

#include "host/GR/GR_OptionText.h"
#include "host/GR/GR_UserOption.h"

#include <ostream>
#include <string>

namespace
{
struct FlagKeyword
{
    const char *keyword;
    unsigned mask;
};

const FlagKeyword theFlagKeywords[] = {
    {"pointmarkers", GR_FLAG_POINT_MARKERS},
    {"pointnumbers", GR_FLAG_POINT_NUMBERS},
    {"pointnormals", GR_FLAG_POINT_NORMALS},
    {"pointuvs", GR_FLAG_POINT_UVS},
    {"vertexmarkers", GR_FLAG_VERTEX_MARKERS},
    {"vertexnumbers", GR_FLAG_VERTEX_NUMBERS},
    {"primnumbers", GR_FLAG_PRIM_NUMBERS},
    {"primnormals", GR_FLAG_PRIM_NORMALS},
    {"profiles", GR_FLAG_PROFILES},
    {"hulls", GR_FLAG_HULLS},
    {"primmarkers", GR_FLAG_PRIM_MARKERS},
    {"edgemarkers", GR_FLAG_EDGE_MARKERS},
    {"usematerials", GR_FLAG_USE_MATERIALS},
    {"vertexuvs", GR_FLAG_VERTEX_UVS},
    {"ghost", GR_FLAG_GHOST},
    {"breakpoints", GR_FLAG_BREAKPOINTS},
    {"particlesaspoints", GR_FLAG_PARTICLES_AS_POINTS},
    {"highlight", GR_FLAG_HIGHLIGHT},
    {"boundingbox", GR_FLAG_BOUNDING_BOX},
    {"shaders", GR_FLAG_SHADERS},
    {"fillselections", GR_FLAG_FILL_SELECTIONS},
    {"selectedkind", GR_FLAG_SELECTED_KIND},
    {"fillbackfaces", GR_FLAG_FILL_BACK_FACES},
};

// Bits that have no name of their own; saved together so a record reads
// back exactly whatever its word holds.
const unsigned theUnnamedBits = 0xFE000000u;

const FlagKeyword *
findFlag(const std::string &word)
{
    for (const FlagKeyword &row : theFlagKeywords)
        if (word == row.keyword)
            return &row;
    return nullptr;
}
} // namespace

bool
GR_DisplayOption::save(std::ostream &os, int indent) const
{
    UT_ClassicLocaleScope classic(os);
    GRwriteIndent(os, indent);
    os << "{\n";
    for (const FlagKeyword &row : theFlagKeywords)
    {
        GRwriteIndent(os, indent + 1);
        os << row.keyword << " ( " << (getFlag(row.mask) ? 1 : 0) << " )\n";
    }
    GRwriteIndent(os, indent + 1);
    os << "drawcategory ( " << int(drawCategory()) << " )\n";
    GRwriteIndent(os, indent + 1);
    os << "otherflags ( " << (myFlags & theUnnamedBits) << " )\n";
    GRwriteIndent(os, indent + 1);
    os << "shadingmode ( " << int(myShadingMode) << " )\n";
    for (int i = 0; i < (int)myUserOptions.size(); i++)
    {
        const GR_UserOption *option = getUserOption(i);
        if (!option)
            continue;
        GRwriteQuoted(os, indent + 1, "useroption", option->getName());
    }
    GRwriteIndent(os, indent);
    os << "}\n";
    return bool(os);
}

bool
GR_DisplayOption::load(UT_IStream &is)
{
    return GRreadBlock(is, [&](const std::string &word) {
        if (const FlagKeyword *row = findFlag(word))
        {
            bool on = false;
            if (!GRreadFlag(is, on))
                return false;
            setFlag(row->mask, on);
            return true;
        }
        if (word == "drawcategory")
        {
            int category = 0;
            if (!GRreadInt(is, category) || category < 0 || category > 3)
                return false;
            drawCategory(GR_DrawCategory(category));
            return true;
        }
        if (word == "otherflags")
        {
            unsigned bits = 0;
            if (!GRreadUnsigned(is, bits))
                return false;
            myFlags = (myFlags & ~theUnnamedBits) | (bits & theUnnamedBits);
            return true;
        }
        if (word == "shadingmode")
        {
            // Stored as is: the flag word read alongside already says what
            // the mode would otherwise imply.
            int mode = 0;
            if (!GRreadInt(is, mode) || !GRisValidShadingMode(mode))
                return false;
            myShadingMode = GR_ShadingMode(mode);
            return true;
        }
        if (word == "useroption")
        {
            // Options the application has not registered are dropped.
            std::string name;
            if (!GRreadQuoted(is, name))
                return false;
            enableUserOption(name.c_str(), true);
            return true;
        }
        return GRskipValues(is);
    });
}
