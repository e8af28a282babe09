// Reading and reducing the background image of OPUI_RotoscopeData.

#include "host/OPUI/OPUI_RotoscopeData.h"

#include "host/TIL/TIL_ImageFile.h"
#include "host/TIL/TIL_Raster.h"
#include "host/TIL/TIL_TextureCache.h"
#include "host/UT/UT_ErrorManager.h"
#include "host/UT/UT_PathFile.h"

#include <string>

// The images read for one file name: the full image and one reduced copy
// for textures and one for rasters, each with the fraction it was made for.
struct OPUI_RotoscopeImages
{
    struct Reduced
    {
        float fraction = 0.0f; // 0: none made yet
        TIL_Raster image;
    };

    std::string name; // the file name these images belong to
    bool read = false; // reading was tried
    std::string path;
    TIL_Raster full;
    Reduced reduced[2]; // texture, raster
};

namespace
{
// The file a name stands for: an absolute name as it is, a relative one
// the first match along the search path; "" when there is none.
std::string
findImageFile(const std::string &name)
{
    if (name.empty() || name[0] == '/')
        return name;
    UT_PathFile search;
    search.setSearchPath(UT_PathFile::VANTREL_SEARCH_PATH, name.c_str());
    search.applyStandardFilter();
    const UT_PathFileInfo *info = search.getFileInfo(0);
    return info ? info->getFullPath() : "";
}
} // namespace

OPUI_RotoscopeImages *
OPUI_RotoscopeData::images()
{
    if (myFileName.empty())
        return nullptr;
    if (!myImages || myImages->name != myFileName)
        myImages = std::make_shared<OPUI_RotoscopeImages>();
    OPUI_RotoscopeImages &set = *myImages;
    if (!set.read)
    {
        set.name = myFileName;
        set.read = true;
        set.path = findImageFile(myFileName);
        std::string error;
        if (set.path.empty())
            UTaddError("OPUI", 1, ("cannot find background image \"" + myFileName +
                                   "\" along VANTREL_PATH").c_str());
        else if (!TILreadPNG(set.path.c_str(), set.full, error))
            UTaddError("OPUI", 2, error.c_str());
        else
            TIL_TextureCache::bumpVersion();
    }
    return set.full.isEmpty() ? nullptr : &set;
}

TIL_Raster *
OPUI_RotoscopeData::deliver(float &fraction, bool for_raster, float *aspect)
{
    OPUI_RotoscopeImages *set = images();
    if (!set)
        return nullptr;
    const int w = set->full.getWidth(), h = set->full.getHeight();
    if (aspect)
        *aspect = static_cast<float>(w) / static_cast<float>(h);
    if (!(fraction < 1.0f) || !(fraction > 0.0f))
    {
        fraction = 1.0f;
        return &set->full;
    }
    OPUI_RotoscopeImages::Reduced &reduced = set->reduced[for_raster ? 1 : 0];
    if (reduced.fraction != fraction)
    {
        TILreduceImage(set->full, fraction, reduced.image);
        reduced.fraction = fraction;
        TIL_TextureCache::bumpVersion();
    }
    fraction = static_cast<float>(reduced.image.getWidth()) / static_cast<float>(w);
    return &reduced.image;
}

TIL_TextureMap *
OPUI_RotoscopeData::getTexture(float &fraction, bool, float *aspect)
{
    return deliver(fraction, false, aspect);
}

TIL_Raster *
OPUI_RotoscopeData::getRaster(float &fraction, bool, float *aspect)
{
    return deliver(fraction, true, aspect);
}

void
OPUI_RotoscopeData::getRes(int &x, int &y)
{
    const OPUI_RotoscopeImages *set = images();
    x = set ? set->full.getWidth() : 0;
    y = set ? set->full.getHeight() : 0;
}

void
OPUI_RotoscopeData::reload()
{
    myImages.reset();
}

const char *
OPUI_RotoscopeData::getLoadedPath() const
{
    return myImages && !myImages->full.isEmpty() ? myImages->path.c_str() : "";
}
