#include "apps/vantrel-view/ViewDrawOptions.h"

#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_ShadingMode.h"
#include "view/GUI_ViewState.h"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace
{
struct ShadingName
{
    const char *name;
    GR_ShadingMode mode;
};

const ShadingName theShadingNames[] = {
    {"box", GR_SHADE_BOX_WIRE},   {"wire", GR_SHADE_WIRE},
    {"hidden", GR_SHADE_HIDDEN_LINE}, {"flat", GR_SHADE_FLAT},
    {"flatwire", GR_SHADE_FLAT_WIRE}, {"smooth", GR_SHADE_SMOOTH},
    {"smoothwire", GR_SHADE_SMOOTH_WIRE},
};
} // namespace

void
addDrawOptions(CLI::App &app, ViewDrawOptions &opts)
{
    app.add_option("--shading", opts.shadingText,
                   "how objects are drawn: box, wire, hidden, flat, flatwire, smooth or smoothwire");
    app.add_flag("--stats", opts.stats,
                 "print the frame's statistics: objects drawn, cached replays, cache builds, "
                 "triangles and lines sent, milliseconds");
    app.add_option("--pick", opts.pickText,
                   "pick at window pixel X,Y (origin at the top left, as image viewers show it) "
                   "and print one line per record: object, handle, primitive, nearest depth");
    app.add_flag("--axes", opts.axes, "draw each object's local axes");
    app.add_flag("--names", opts.names, "label each object with its name");
}

bool
finishDrawOptions(ViewDrawOptions &opts, int width, int height)
{
    if (!opts.shadingText.empty())
    {
        opts.shading = -1;
        for (const ShadingName &entry : theShadingNames)
            if (opts.shadingText == entry.name)
                opts.shading = entry.mode;
        if (opts.shading < 0)
        {
            std::fprintf(stderr, "vantrel-view: unknown --shading \"%s\"\n",
                         opts.shadingText.c_str());
            return false;
        }
    }
    if (!opts.pickText.empty())
    {
        char extra = 0;
        if (std::sscanf(opts.pickText.c_str(), "%d,%d%c", &opts.pickX, &opts.pickY, &extra) != 2 ||
            opts.pickX < 0 || opts.pickY < 0 || opts.pickX >= width || opts.pickY >= height)
        {
            std::fprintf(stderr,
                         "vantrel-view: bad --pick \"%s\", expected X,Y inside the %dx%d image\n",
                         opts.pickText.c_str(), width, height);
            return false;
        }
        opts.pickGiven = true;
    }
    return true;
}

void
applyDrawOptions(GUI_ViewState &state, const ViewDrawOptions &opts, bool mesh)
{
    GUI_DisplayOption &options = state.getDisplayOptionRef();
    const int shading = opts.shading >= 0 ? opts.shading : (mesh ? GR_SHADE_SMOOTH : -1);
    if (shading >= 0)
    {
        options[GUI_NON_SELECTED].shadingMode(GR_ShadingMode(shading));
        options[GUI_SELECTED].shadingMode(GR_ShadingMode(shading));
    }
    if (opts.names)
        options.showObjectNames(true);
}
