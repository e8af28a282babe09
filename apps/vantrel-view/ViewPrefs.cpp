#include "apps/vantrel-view/ViewPrefs.h"

#include "apps/vantrel-view/ViewOptions.h"
#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_OptionText.h"
#include "host/GR/GR_UserOption.h"
#include "view/GUI_ViewParameter.h"
#include "view/GUI_ViewState.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>

namespace
{
const char *const theTumbleKeyword = "tumblestyle";
}

bool
ViewPrefs::matchesKeyword(const char *keyword)
{
    return keyword && std::strcmp(keyword, theTumbleKeyword) == 0;
}

bool
ViewPrefs::loadKeyword(const char *keyword, UT_IStream &is)
{
    int style = 0;
    if (!matchesKeyword(keyword) || !GRreadInt(is, style) || style < 0 || style > 2)
        return false;
    GUI_ViewParameter::setTumbleStyleFlag(style);
    return true;
}

void
ViewPrefs::saveDefaults(std::ostream &os)
{
    os << theTumbleKeyword << " ( " << GUI_ViewParameter::getTumbleStyleFlag() << " )\n";
}

void
prepareDefaults(const ViewOptions &opts)
{
    if (!opts.prefsDir.empty())
        setenv("VANTREL_PATH", opts.prefsDir.c_str(), 1);
    for (const auto &option : opts.userOptions)
        GR_UserOption::define(option.first.c_str());
}

bool
applyViewOptions(GUI_ViewState &state, const ViewOptions &opts)
{
    if (opts.tumbleStyle >= 0)
        GUI_ViewParameter::setTumbleStyleFlag(opts.tumbleStyle);

    // Clipping and adjust limits on every camera, as the defaults set them.
    for (int i = 0; i < 3; ++i)
    {
        GUI_ViewParameter &view = state.getViewParameter(GUI_ViewState::GUI_ViewType(i));
        view.setLimits(opts.nearGiven ? opts.nearDist : view.getNear(),
                       opts.farGiven ? opts.farDist : view.getFar());
        // Said once, for the main camera: every camera changes alike.
        const bool tell = i == 0;
        if (tell && opts.nearGiven && view.getNear() != opts.nearDist)
            std::fprintf(stderr, "vantrel-view: --near %g is too close; the near distance is %g\n",
                         double(opts.nearDist), double(view.getNear()));
        if (tell && opts.farGiven && view.getFar() != opts.farDist)
            std::fprintf(stderr, "vantrel-view: --far %g is not a distance; the far distance is %g\n",
                         double(opts.farDist), double(view.getFar()));
        if (!(view.getFar() > view.getNear()))
        {
            const float far_dist = view.getNear() * 1000.0f;
            if (tell)
                std::fprintf(stderr, "vantrel-view: the far distance %g is not beyond the near "
                                     "distance %g; the far distance is %g\n",
                             double(view.getFar()), double(view.getNear()), double(far_dist));
            view.setLimits(view.getNear(), far_dist);
        }
        if (opts.adjustLimits >= 0)
            view.setAdjustLimits(opts.adjustLimits != 0);
    }

    GUI_DisplayOption &options = state.getDisplayOptionRef();
    if (opts.backgroundGiven)
        options.common().backgroundColor().setRGB(opts.background[0], opts.background[1],
                                                  opts.background[2]);
    for (const auto &flag : opts.displayFlags)
    {
        const GUI_DisplayOption::FlagKeyword *row = GUI_DisplayOption::flagKeywords();
        while (row->keyword && flag.first != row->keyword)
            ++row;
        if (!row->keyword)
        {
            std::fprintf(stderr, "vantrel-view: unknown viewport flag \"%s\"\n",
                         flag.first.c_str());
            return false;
        }
        (options.*row->set)(flag.second);
    }
    for (const auto &option : opts.userOptions)
        if (option.second >= 0)
            options[GUI_NON_SELECTED].enableUserOption(option.first.c_str(), option.second == 1);
    return true;
}

void
printDefaults(std::ostream &os)
{
    GUI_ViewState fresh;
    float near_dist = 0.0f, far_dist = 0.0f;
    GUI_ViewState::getDefaultNearFarLimits(near_dist, far_dist);
    os << "limits ";
    GRwriteFloat(os, near_dist);
    os << " ";
    GRwriteFloat(os, far_dist);
    os << "\n";
    for (int i = 0; i < 3; ++i)
    {
        const GUI_ViewParameter &view = fresh.getViewParameter(GUI_ViewState::GUI_ViewType(i));
        os << "view " << i << " near ";
        GRwriteFloat(os, view.getNear());
        os << " far ";
        GRwriteFloat(os, view.getFar());
        os << " adjustlimits " << (view.getAdjustLimits() ? 1 : 0) << "\n";
    }
    os << "tumblestyle " << GUI_ViewParameter::getTumbleStyleFlag() << "\n";
    os << "options\n";
    fresh.getDisplayOptionRef().save(os);
}

void
warnAboutOddDefaults(const GUI_ViewState &state)
{
    // The settings load as they are written; values no one would choose
    // are most likely a slip in the file, so say which entry holds them.
    const GUI_DisplayOption &options = state.getDisplayOptionRef();
    const GR_CommonDispOption &common = options.common();
    const char *file = "vantrel-view: default viewport settings";
    for (int id = 0; id < GR_NUM_COMMON_COLORS; ++id)
    {
        float rgb[3];
        common.color(GR_CommonColor(id)).getRGB(&rgb[0], &rgb[1], &rgb[2]);
        if (!std::all_of(rgb, rgb + 3, [](float c) { return c >= 0.0f && c <= 1.0f; }))
            std::fprintf(stderr, "%s: \"%s\" is a colour outside 0 to 1 (%g %g %g)\n", file,
                         GR_CommonDispOption::colorKeyword(GR_CommonColor(id)), double(rgb[0]),
                         double(rgb[1]), double(rgb[2]));
    }
    if (common.getWireWidth() < 0.0f)
        std::fprintf(stderr, "%s: \"wirewidth\" is negative (%g)\n", file,
                     double(common.getWireWidth()));
    if (common.getLOD() < 0.0f)
        std::fprintf(stderr, "%s: \"lod\" is negative (%g)\n", file, double(common.getLOD()));
    float scale[2];
    options.getImageScale(scale);
    if (scale[0] == 0.0f || scale[1] == 0.0f)
        std::fprintf(stderr, "%s: \"imagescale\" is zero (%g %g)\n", file, double(scale[0]),
                     double(scale[1]));
}
