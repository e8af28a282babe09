#include "display/GUI_DisplayOption.h"

namespace
{
// The common colours that the x-ray pass fades: everything geometry and the
// 3D guides are drawn with, but not the selection axes or the two guides.
const GR_CommonColor theXrayGhostedColors[] = {
    GR_COLOR_BACKGROUND,     GR_COLOR_WIRE,           GR_COLOR_DEFAULT_WIRE,
    GR_COLOR_TEMPLATE_WIRE,  GR_COLOR_SELECTED_WIRE,  GR_COLOR_CURRENT_OBJECT,
    GR_COLOR_SELECTION_HINT, GR_COLOR_GHOST_SHADING,  GR_COLOR_TARGET_WIRE,
    GR_COLOR_ORIGIN,         GR_COLOR_X_AXIS,         GR_COLOR_Y_AXIS,
    GR_COLOR_Z_AXIS,         GR_COLOR_GRID,           GR_COLOR_POINT,
    GR_COLOR_POINT_NUMBER,   GR_COLOR_VERTEX_NUMBER,  GR_COLOR_PRIM_NUMBER,
    GR_COLOR_NORMAL,         GR_COLOR_UV,             GR_COLOR_HULL,
    GR_COLOR_OBJECT_NAME,
};
static_assert(sizeof(theXrayGhostedColors) / sizeof(theXrayGhostedColors[0]) == 22,
              "the x-ray pass fades 22 colours");
} // namespace

const GUI_DisplayOption::FlagKeyword GUI_DisplayOption::theFlagKeywords[] = {
    {"showselected", &GUI_DisplayOption::showSelected, &GUI_DisplayOption::showSelected},
    {"shownonselected", &GUI_DisplayOption::showNonSelected, &GUI_DisplayOption::showNonSelected},
    {"showtemplates", &GUI_DisplayOption::showTemplates, &GUI_DisplayOption::showTemplates},
    {"showfootprints", &GUI_DisplayOption::showFootprints, &GUI_DisplayOption::showFootprints},
    {"showcurrentoutput", &GUI_DisplayOption::showCurrentOutput, &GUI_DisplayOption::showCurrentOutput},
    {"showdisplay", &GUI_DisplayOption::showDisplay, &GUI_DisplayOption::showDisplay},
    {"showguides", &GUI_DisplayOption::showGuides, &GUI_DisplayOption::showGuides},
    {"showobjectnames", &GUI_DisplayOption::showObjectNames, &GUI_DisplayOption::showObjectNames},
    {"showfullnames", &GUI_DisplayOption::showFullNames, &GUI_DisplayOption::showFullNames},
    {"draworigin", &GUI_DisplayOption::drawOrigin, &GUI_DisplayOption::drawOrigin},
    {"drawstickyorigin", &GUI_DisplayOption::drawStickyOrigin, &GUI_DisplayOption::drawStickyOrigin},
    {"drawwalls", &GUI_DisplayOption::drawWalls, &GUI_DisplayOption::drawWalls},
    {"drawxyplane", &GUI_DisplayOption::drawXYPlane, &GUI_DisplayOption::drawXYPlane},
    {"drawxzplane", &GUI_DisplayOption::drawXZPlane, &GUI_DisplayOption::drawXZPlane},
    {"drawyzplane", &GUI_DisplayOption::drawYZPlane, &GUI_DisplayOption::drawYZPlane},
    {"drawfieldguide", &GUI_DisplayOption::drawFieldGuide, &GUI_DisplayOption::drawFieldGuide},
    {"drawsafearea", &GUI_DisplayOption::drawSafeArea, &GUI_DisplayOption::drawSafeArea},
    {"drawbackgrounds", &GUI_DisplayOption::drawBackgrounds, &GUI_DisplayOption::drawBackgrounds},
    {"drawtexturedbackgrounds", &GUI_DisplayOption::drawTexturedBackgrounds,
     &GUI_DisplayOption::drawTexturedBackgrounds},
    {"drawfilteredbackgrounds", &GUI_DisplayOption::drawFilteredBackgrounds,
     &GUI_DisplayOption::drawFilteredBackgrounds},
    {"nonseloverridessel", &GUI_DisplayOption::nonselOverridesSel,
     &GUI_DisplayOption::nonselOverridesSel},
    {"drawvertexattrib2d", &GUI_DisplayOption::drawVertexAttrib2D,
     &GUI_DisplayOption::drawVertexAttrib2D},
    {"autodetectattribtype2d", &GUI_DisplayOption::autoDetectAttribType2D,
     &GUI_DisplayOption::autoDetectAttribType2D},
    {"drawspecular", &GUI_DisplayOption::drawSpecular, &GUI_DisplayOption::drawSpecular},
    {"drawmultitexture", &GUI_DisplayOption::drawMultiTexture, &GUI_DisplayOption::drawMultiTexture},
    {"autoplaceimage", &GUI_DisplayOption::autoPlaceImage, &GUI_DisplayOption::autoPlaceImage},
    {"showikcriticalzones", &GUI_DisplayOption::showIKCriticalZones,
     &GUI_DisplayOption::showIKCriticalZones},
    {"drawcameramask", &GUI_DisplayOption::getDrawCameraMask, &GUI_DisplayOption::setDrawCameraMask},
    {"currentnonseloverridessel", &GUI_DisplayOption::currentNonselOverridesSel,
     &GUI_DisplayOption::currentNonselOverridesSel},
    {"applyselectmask", &GUI_DisplayOption::applySelectMask, &GUI_DisplayOption::applySelectMask},
    {nullptr, nullptr, nullptr},
};

GUI_DisplayOption::GUI_DisplayOption()
{
    initRecords();

    // Selected kinds carry their own mark; templates and current objects
    // draw as ghosted wire, templates without materials.
    GR_DisplayOption &nonsel = *myRecords[GUI_NON_SELECTED];
    GR_DisplayOption &sel = *myRecords[GUI_SELECTED];
    GR_DisplayOption &templ = *myRecords[GUI_TEMPLATE];
    GR_DisplayOption &cur_nonsel = *myRecords[GUI_CURRENT_NON_SELECTED];
    GR_DisplayOption &cur_sel = *myRecords[GUI_CURRENT_SELECTED];

    nonsel.setFlag(GR_FLAG_SELECTED_KIND, false);

    sel.setFlag(GR_FLAG_SELECTED_KIND, true);

    templ.setFlag(GR_FLAG_SELECTED_KIND, false);
    templ.setFlag(GR_FLAG_USE_MATERIALS, false);
    templ.setFlag(GR_FLAG_GHOST, true);
    templ.shadingMode(GR_SHADE_WIRE);

    cur_nonsel.setFlag(GR_FLAG_SELECTED_KIND, false);
    cur_nonsel.setFlag(GR_FLAG_GHOST, true);
    cur_nonsel.shadingMode(GR_SHADE_WIRE);

    cur_sel.setFlag(GR_FLAG_SELECTED_KIND, true);
    cur_sel.setFlag(GR_FLAG_GHOST, true);
    cur_sel.shadingMode(GR_SHADE_WIRE);

    myImageMinUV[0] = myImageMinUV[1] = 0.0f;
    myImageMaxUV[0] = myImageMaxUV[1] = 1.0f;
    myImageOffset[0] = myImageOffset[1] = 0.0f;
    myImageScale[0] = myImageScale[1] = 1.0f;
    mySelectMask = 0;
    myFlags = DEFAULT_FLAGS;
    myPassFlags = 0;
    myMoveModeOn = 0;
    myMoveMode = 0;
    myMoveThreshold = 0;
}

GUI_DisplayOption::GUI_DisplayOption(const GUI_DisplayOption &src)
    : myCommon(src.myCommon), myRotoscopeData(src.myRotoscopeData)
{
    initRecords();
    *this = src;
}

GUI_DisplayOption::~GUI_DisplayOption()
{
    for (int i = GUI_NUM_DETAIL_TYPES - 1; i >= 0; i--)
        delete myRecords[i];
}

void
GUI_DisplayOption::initRecords()
{
    for (int i = GUI_NUM_DETAIL_TYPES - 1; i >= 0; i--)
        myRecords[i] = new GR_DisplayOption(&myCommon);
}

GUI_DisplayOption &
GUI_DisplayOption::operator=(const GUI_DisplayOption &src)
{
    if (this == &src)
        return *this;

    copyRecords(src);
    copyPair(myImageMinUV, src.myImageMinUV);
    copyPair(myImageMaxUV, src.myImageMaxUV);
    copyPair(myImageOffset, src.myImageOffset);
    copyPair(myImageScale, src.myImageScale);
    myRotoscopeData = src.myRotoscopeData;
    mySelectMask = src.mySelectMask;
    myFlags = src.myFlags;
    myPassFlags = src.myPassFlags;
    myMoveModeOn = src.myMoveModeOn;
    myMoveMode = src.myMoveMode;
    myMoveThreshold = src.myMoveThreshold;
    return *this;
}

void
GUI_DisplayOption::copyRecords(const GUI_DisplayOption &src)
{
    myCommon = src.myCommon;
    for (int i = GUI_NUM_DETAIL_TYPES - 1; i >= 0; i--)
    {
        myRecords[i]->copyNonCommon(*src.myRecords[i]);
        myRecords[i]->copyUserOptions(*src.myRecords[i]);
    }
}

void
GUI_DisplayOption::removeUserOption(int index)
{
    for (int i = GUI_NUM_DETAIL_TYPES - 1; i >= 0; i--)
        myRecords[i]->removeUserOption(index);
}

void
GUI_DisplayOption::refreshUserOptionVersions()
{
    for (int i = GUI_NUM_DETAIL_TYPES - 1; i >= 0; i--)
        myRecords[i]->refreshUserOptionVersions();
}

void
GUI_DisplayOption::ghostColorsForXrayPass(float amount)
{
    for (GR_CommonColor id : theXrayGhostedColors)
        myCommon.color(id).ghost(amount);
}

void
GUI_DisplayOption::restoreColorsFromXrayPass(const GUI_DisplayOption &src)
{
    for (GR_CommonColor id : theXrayGhostedColors)
        myCommon.color(id) = src.myCommon.color(id);
}
