#include "apps/vantrel-view/ViewDrawOptions.h"

#include "facade/ViewWords.h"

#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_ShadingMode.h"
#include "view/GUI_ViewState.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>

void
addDrawOptions(CLI::App &app, ViewDrawOptions &opts)
{
    app.add_option("--shading", opts.shadingText,
                   "how objects are drawn: box, wire, hidden, flat, flatwire, smooth or smoothwire");
    app.add_flag("--stats", opts.stats,
                 "print the frame's statistics: objects drawn, cached replays, cache builds, "
                 "triangles and lines sent, milliseconds");
    app.add_option("--pick", opts.pickText,
                   "pick at window pixel X,Y, or the W x H region from X,Y right and down "
                   "(X,Y,W,H; origin at the top left, as image viewers show it), and print "
                   "one line per record: object, handle, primitive, nearest depth");
    app.add_flag("--axes", opts.axes, "draw each object's local axes");
    app.add_flag("--names", opts.names, "label each object with its name");
    app.add_option("--repeat", opts.repeatText,
                   "show the scene's objects COLSxROWS times on a grid along x and z; the "
                   "copies share their geometry, and those that stay still are drawn together");
    app.add_option("--frames", opts.frames,
                   "draw the frame this many times and measure and write the last: objects "
                   "are cached, and drawn together, after a few unchanged frames (default 1)")
        ->check(CLI::Range(1, 1000));
}

bool
finishDrawOptions(ViewDrawOptions &opts, int width, int height)
{
    if (!opts.shadingText.empty())
    {
        opts.shading = vantrel::shadingFromName(opts.shadingText);
        if (opts.shading < 0)
        {
            std::fprintf(stderr, "vantrel-view: unknown --shading \"%s\"\n",
                         opts.shadingText.c_str());
            return false;
        }
    }
    if (!opts.repeatText.empty())
    {
        char extra = 0;
        const int read = std::sscanf(opts.repeatText.c_str(), "%dx%d%c", &opts.repeatColumns,
                                     &opts.repeatRows, &extra);
        if (read != 2 || opts.repeatColumns < 1 || opts.repeatRows < 1 ||
            opts.repeatColumns > 1000 || opts.repeatRows > 1000)
        {
            std::fprintf(stderr,
                         "vantrel-view: bad --repeat \"%s\", expected COLSxROWS from 1x1 to "
                         "1000x1000\n",
                         opts.repeatText.c_str());
            return false;
        }
    }
    if (!opts.pickText.empty())
    {
        char extra = 0;
        const char *text = opts.pickText.c_str();
        const bool region = std::count(opts.pickText.begin(), opts.pickText.end(), ',') == 3;
        const bool read =
            region ? std::sscanf(text, "%d,%d,%d,%d%c", &opts.pickX, &opts.pickY, &opts.pickW,
                                 &opts.pickH, &extra) == 4
                   : std::sscanf(text, "%d,%d%c", &opts.pickX, &opts.pickY, &extra) == 2;
        if (!region)
            opts.pickW = opts.pickH = 1;
        if (!read || opts.pickX < 0 || opts.pickY < 0 || opts.pickX >= width ||
            opts.pickY >= height || opts.pickW < 1 || opts.pickH < 1)
        {
            std::fprintf(stderr,
                         "vantrel-view: bad --pick \"%s\", expected X,Y or X,Y,W,H with X,Y "
                         "inside the %dx%d image and W,H at least 1\n",
                         opts.pickText.c_str(), width, height);
            return false;
        }
        // A region reaching past the image is cut at its edges.
        opts.pickW = std::min(opts.pickW, width - opts.pickX);
        opts.pickH = std::min(opts.pickH, height - opts.pickY);
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
