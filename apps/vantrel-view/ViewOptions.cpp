#include "apps/vantrel-view/ViewOptions.h"

#include "apps/vantrel-view/ViewNumbers.h"
#include "apps/vantrel-view/ViewWindow.h"
#include "facade/ViewWords.h"
#include "host/UI/UI_DesktopWindow.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace
{
// "WxH" with both sides from 1 to the largest a window may be.
bool
parseSize(const std::string &text, int &width, int &height)
{
    return parseSizePair(text, UI_DesktopWindow::theMaxSide, width, height);
}

// "R,G,B" with each channel from 0 to 1.
bool
parseColor(const std::string &text, float rgb[3])
{
    if (!parseFloatList(text, rgb, 3))
        return false;
    for (int i = 0; i < 3; ++i)
        if (!(rgb[i] >= 0.0f && rgb[i] <= 1.0f))
            return false;
    return true;
}

// "NAME=0", "NAME=1", or with allow_bare just "NAME" (value -1).
bool
parseNamedSwitch(const std::string &text, bool allow_bare, std::string &name, int &value)
{
    const size_t eq = text.find('=');
    name = text.substr(0, eq);
    if (name.empty())
        return false;
    if (eq == std::string::npos)
    {
        value = -1;
        return allow_bare;
    }
    const std::string v = text.substr(eq + 1);
    if (v != "0" && v != "1")
        return false;
    value = v == "1" ? 1 : 0;
    return true;
}

// "DX,DY" in pixels.
bool
parsePair(const std::string &text, float &a, float &b)
{
    float pair[2];
    if (!parseFloatList(text, pair, 2))
        return false;
    a = pair[0];
    b = pair[1];
    return true;
}
} // namespace

bool
parseHomeAxis(const std::string &text, GUI_ViewParameter::axis &axis)
{
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
    {
        char *end = nullptr;
        long value = std::strtol(text.c_str(), &end, 10);
        if (*end || value < 0 || value > 10)
            return false;
        axis = static_cast<GUI_ViewParameter::axis>(value);
        return true;
    }
    return vantrel::homeAxisFromName(text, axis);
}

int
parseViewOptions(int argc, char **argv, ViewOptions &opts)
{
    CLI::App app{"Renders a scene through the Vantrel viewport library into a PNG image."};
    std::string size, home, tumble, background;
    std::vector<std::string> flags, user_options;
    app.add_option("-o,--output", opts.output, "PNG file to write")->capture_default_str();
    app.add_option("--mesh", opts.mesh, "mesh file (OBJ, PLY, STL, glTF) to show instead of the built-in scene, one object per part");
    app.add_option("--size", size, "image size as WxH (default 320x240)");
    app.add_option("--home", home,
                   "home onto the scene from an axis: 0-10 or threequarter, custom, x, y, z, "
                   "front, right, top, back, left, bottom");
    app.add_option("--tumble", tumble, "tumble by a drag of DX,DY pixels");
    app.add_option("--tumble-style", opts.tumbleStyle,
                   "0 trackball per drag, 1 per step, 2 Euler (default: the saved style)")
        ->check(CLI::Range(0, 2));
    app.add_option("--dolly", opts.dolly, "dolly by a drag in pixels (positive moves in)")
        ->check(finiteFloatCheck());
    app.add_option("--zoom", opts.zoom, "zoom by a drag in pixels (positive zooms in)")
        ->check(finiteFloatCheck());
    app.add_flag("--ortho", opts.ortho, "orthographic projection");
    app.add_option("--load-camera", opts.loadCamera, "read the camera from a file");
    app.add_option("--save-camera", opts.saveCamera, "write the camera to a file");
    app.add_option("--prefs", opts.prefsDir,
                   "directories to search for the default viewport settings (sets VANTREL_PATH)");
    app.add_flag("--save-prefs", opts.savePrefs, "save this view as the default viewport settings");
    app.add_flag("--print-defaults", opts.printDefaults,
                 "print what a new viewport starts from instead of rendering");
    app.add_option("--near", opts.nearDist, "near clipping distance")
        ->check(finiteFloatCheck());
    app.add_option("--far", opts.farDist,
                   "far clipping distance (homing replaces it while adjust limits is on)")
        ->check(finiteFloatCheck());
    app.add_option("--adjust-limits", opts.adjustLimits, "let homing set the far distance (0 or 1)")
        ->check(CLI::Range(0, 1));
    app.add_option("--background", background, "background colour as R,G,B from 0 to 1");
    app.add_option("--display-flag", flags, "set a viewport flag: KEYWORD=0 or KEYWORD=1");
    app.add_option("--user-option", user_options,
                   "define an application drawing option: NAME, or NAME=1 / NAME=0 to turn it on "
                   "or off for non-selected objects");
    app.add_flag("--uv", opts.uv,
                 "show the objects' texture coordinates in a 2D viewport over the unit square "
                 "(in the window too)");
    app.add_option("--uv-attrib", opts.uvAttrib,
                   "which uvs --uv shows: point or vertex (default: vertex when an object "
                   "has them, else point)")
        ->check(CLI::IsMember({"point", "vertex"}));
    app.add_flag("--window", opts.window,
                 "open an interactive window instead of writing one image (bindings below)");
    app.add_option("--samples", opts.samples,
                   "samples per pixel for smooth edges: 1, 2, 4 or 8 (default 4 in the window, "
                   "1 for images)")
        ->check(CLI::IsMember({1, 2, 4, 8}));
    app.add_option("--events", opts.events,
                   "with --window: play the input in this file first (one event a line)");
    std::string layout = "single";
    app.add_option("--layout", layout,
                   "single: one perspective view; quad: top, front, right and perspective views, "
                   "each a quarter of the frame (in the window too)")
        ->check(CLI::IsMember({"single", "quad"}));
    app.footer(windowBindingsHelp());
    addDrawOptions(app, opts.draw);
    addComposeOptions(app, opts.compose);
    addDecorOptions(app, opts.decor);

    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::ParseError &e)
    {
        // Help is a success; every refused flag exits with status 2.
        return app.exit(e) == 0 ? 0 : 2;
    }

    if (opts.output.empty())
    {
        std::fprintf(stderr, "vantrel-view: -o needs a file name\n");
        return 2;
    }
    opts.nearGiven = app.count("--near") > 0;
    opts.farGiven = app.count("--far") > 0;
    if (!background.empty())
    {
        if (!parseColor(background, opts.background))
        {
            std::fprintf(stderr, "vantrel-view: bad --background \"%s\", expected R,G,B\n",
                         background.c_str());
            return 2;
        }
        opts.backgroundGiven = true;
    }
    for (const std::string &text : flags)
    {
        std::string name;
        int value = 0;
        if (!parseNamedSwitch(text, false, name, value))
        {
            std::fprintf(stderr, "vantrel-view: bad --display-flag \"%s\", expected KEYWORD=0|1\n",
                         text.c_str());
            return 2;
        }
        opts.displayFlags.emplace_back(name, value == 1);
    }
    for (const std::string &text : user_options)
    {
        std::string name;
        int value = 0;
        if (!parseNamedSwitch(text, true, name, value))
        {
            std::fprintf(stderr, "vantrel-view: bad --user-option \"%s\"\n", text.c_str());
            return 2;
        }
        opts.userOptions.emplace_back(name, value);
    }
    if (!size.empty() && !parseSize(size, opts.width, opts.height))
    {
        std::fprintf(stderr, "vantrel-view: bad --size \"%s\", expected WxH\n", size.c_str());
        return 2;
    }
    opts.quad = layout == "quad";
    if (opts.quad && opts.uv)
    {
        std::fprintf(stderr, "vantrel-view: --layout quad shows 3D views; --uv has one view\n");
        return 2;
    }
    if (opts.samples == 0)
        opts.samples = opts.window ? 4 : 1;
    if (!finishDrawOptions(opts.draw, opts.width, opts.height))
        return 2;
    if (!home.empty())
    {
        if (!parseHomeAxis(home, opts.homeAxis))
        {
            std::fprintf(stderr, "vantrel-view: unknown --home axis \"%s\"\n", home.c_str());
            return 2;
        }
        opts.homeGiven = true;
    }
    if (!tumble.empty())
    {
        if (!parsePair(tumble, opts.tumbleX, opts.tumbleY))
        {
            std::fprintf(stderr, "vantrel-view: bad --tumble \"%s\", expected DX,DY\n", tumble.c_str());
            return 2;
        }
        opts.tumbleGiven = true;
    }
    return -1;
}
