#include "apps/vantrel-view/ViewOptions.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace
{
struct AxisName
{
    const char *name;
    GUI_ViewParameter::axis axis;
};

const AxisName theAxisNames[] = {
    {"threequarter", GUI_ViewParameter::GUI_HOME_THREE_QUARTER},
    {"custom", GUI_ViewParameter::GUI_HOME_CUSTOM},
    {"x", GUI_ViewParameter::GUI_HOME_ALONG_X},
    {"y", GUI_ViewParameter::GUI_HOME_ALONG_Y},
    {"z", GUI_ViewParameter::GUI_HOME_ALONG_Z},
    {"front", GUI_ViewParameter::GUI_HOME_FRONT},
    {"right", GUI_ViewParameter::GUI_HOME_RIGHT},
    {"top", GUI_ViewParameter::GUI_HOME_TOP},
    {"back", GUI_ViewParameter::GUI_HOME_BACK},
    {"left", GUI_ViewParameter::GUI_HOME_LEFT},
    {"bottom", GUI_ViewParameter::GUI_HOME_BOTTOM},
};

// "WxH" with both sides from 1 to 8192.
bool
parseSize(const std::string &text, int &width, int &height)
{
    int w = 0, h = 0;
    char x = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &extra) != 3 || (x != 'x' && x != 'X'))
        return false;
    if (w < 1 || h < 1 || w > 8192 || h > 8192)
        return false;
    width = w;
    height = h;
    return true;
}

// "DX,DY" in pixels.
bool
parsePair(const std::string &text, float &a, float &b)
{
    char extra = 0;
    return std::sscanf(text.c_str(), "%f,%f%c", &a, &b, &extra) == 2;
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
    for (const AxisName &entry : theAxisNames)
        if (text == entry.name)
        {
            axis = entry.axis;
            return true;
        }
    return false;
}

int
parseViewOptions(int argc, char **argv, ViewOptions &opts)
{
    CLI::App app{"Renders a scene through the Vantrel viewport library into a PNG image."};
    std::string size, home, tumble;
    app.add_option("-o,--output", opts.output, "PNG file to write")->capture_default_str();
    app.add_option("--size", size, "image size as WxH (default 320x240)");
    app.add_option("--home", home,
                   "home onto the scene from an axis: 0-10 or threequarter, custom, x, y, z, "
                   "front, right, top, back, left, bottom");
    app.add_option("--tumble", tumble, "tumble by a drag of DX,DY pixels");
    app.add_option("--tumble-style", opts.tumbleStyle, "0 trackball per drag, 1 per step, 2 Euler")
        ->check(CLI::Range(0, 2));
    app.add_option("--dolly", opts.dolly, "dolly by a drag in pixels (positive moves in)");
    app.add_option("--zoom", opts.zoom, "zoom by a drag in pixels (positive zooms in)");
    app.add_flag("--ortho", opts.ortho, "orthographic projection");
    app.add_option("--load-camera", opts.loadCamera, "read the camera from a file");
    app.add_option("--save-camera", opts.saveCamera, "write the camera to a file");

    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::ParseError &e)
    {
        return app.exit(e);
    }

    if (!size.empty() && !parseSize(size, opts.width, opts.height))
    {
        std::fprintf(stderr, "vantrel-view: bad --size \"%s\", expected WxH\n", size.c_str());
        return 2;
    }
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
