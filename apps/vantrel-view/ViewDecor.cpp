#include "apps/vantrel-view/ViewDecor.h"
#include "host/UT/UT_IFStream.h"

#include "host/TIL/TIL_ImageFile.h"
#include "view/GUI_ViewState.h"

#include "apps/vantrel-view/ViewNumbers.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>

void
addDecorOptions(CLI::App &app, DecorOptions &opts)
{
    app.add_option("--grid", opts.grids, "draw a construction plane: xy, xz or yz (repeatable)")
        ->check(CLI::IsMember({"xy", "xz", "yz"}));
    // Callbacks, so that a switch not given keeps the display options' own.
    app.add_flag_callback("--origin", [&opts] { opts.origin = 1; },
                          "draw the world origin (the default)");
    app.add_flag_callback("--no-origin", [&opts] { opts.origin = 0; }, "leave the world origin out");
    app.add_flag_callback("--sticky-origin", [&opts] { opts.stickyOrigin = 1; },
                          "draw the axis tripod in the lower left corner (the default)");
    app.add_flag_callback("--no-sticky-origin", [&opts] { opts.stickyOrigin = 0; },
                          "leave the axis tripod out");
    app.add_flag("--field-guide", opts.fieldGuide, "draw the 24 x 24 field guide");
    app.add_flag("--safe-area", opts.safeArea, "draw the safe-area frames");
    app.add_option("--background-image", opts.backgroundImage,
                   "PNG image behind the objects (textured or framed by the "
                   "drawtexturedbackgrounds display flag)");
    app.add_option("--snapshot", opts.snapshot, "PNG image drawn over the finished frame");
    app.add_option("--snapshot-alpha", opts.snapshotAlpha,
                   "opacity of the snapshot from 0 to 1 (default 0.5)")
        ->check(unitFloatCheck());
}

bool
ViewDecor::apply(const DecorOptions &opts, GUI_ViewState &state)
{
    GUI_DisplayOption &options = state.getDisplayOptionRef();
    for (const std::string &grid : opts.grids)
    {
        if (grid == "xy")
            options.drawXYPlane(true);
        else if (grid == "xz")
            options.drawXZPlane(true);
        else
            options.drawYZPlane(true);
    }
    if (opts.origin >= 0)
        options.drawOrigin(opts.origin > 0);
    if (opts.stickyOrigin >= 0)
        options.drawStickyOrigin(opts.stickyOrigin > 0);
    if (opts.fieldGuide)
        options.drawFieldGuide(true);
    if (opts.safeArea)
        options.drawSafeArea(true);
    if (!opts.backgroundImage.empty())
    {
        options.getRotoscopeData().setFileName(UTabsolutePath(opts.backgroundImage).c_str());
        options.drawBackgrounds(true);
    }
    if (!opts.snapshot.empty())
    {
        std::string error;
        if (!TILreadPNG(opts.snapshot.c_str(), mySnapshot, error))
        {
            std::fprintf(stderr, "vantrel-view: %s\n", error.c_str());
            return false;
        }
        state.setSnapshotImage(&mySnapshot);
        state.setSnapshotAlpha(opts.snapshotAlpha);
    }
    return true;
}
