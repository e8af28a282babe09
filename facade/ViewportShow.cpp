#include "facade/Viewport.h"

#include "facade/FileError.h"
#include "facade/InteractiveWindow.h"
#include "facade/ViewportParts.h"
#include "facade/WindowEvents.h"

#include "host/GU/GU_Detail.h"
#include "host/UI/UI_DesktopWindow.h"

#include <cstdlib>
#include <functional>
#include <stdexcept>

namespace vantrel
{
namespace
{
// The viewport's offscreen context as the window's canvas. The window's
// context is made on the window system's display and cannot join the
// offscreen contexts' share group, so the display objects the looks and
// decorations cached here mean nothing there: frames, picks and camera
// mapping all stay in this context, and the window is only shown each
// finished frame.
class OffscreenCanvas : public WindowCanvas
{
public:
    OffscreenCanvas(RE_OffscreenContext &context, std::function<double()> draw)
        : myContext(context), myDraw(std::move(draw))
    {
    }
    RE_Render *render() const override { return myContext.getRender(); }
    bool makeCurrent() override { return myContext.makeCurrent(); }
    void frameSize(int, int, int &width, int &height) const override
    {
        width = myContext.getWidth();
        height = myContext.getHeight();
    }
    double draw(int, int, const std::function<void(RE_Render *)> &) override { return myDraw(); }
    void present(UI_DesktopWindow &window) override
    {
        const std::vector<uint8_t> pixels = myContext.readPixels();
        window.drawImage(pixels, myContext.getWidth(), myContext.getHeight());
        window.swapBuffers();
        myContext.makeCurrent();
    }
    bool writePNG(UI_DesktopWindow &, const std::string &path) override
    {
        return myContext.writePNG(path.c_str());
    }

private:
    RE_OffscreenContext &myContext;
    std::function<double()> myDraw;
};

// The viewport's objects as the window shows them; files dropped on the
// window are taken by take, which returns the viewport's objects after.
class DroppedObjects : public SceneObjects
{
public:
    using Take = std::function<std::vector<std::shared_ptr<Object>>(std::vector<GU_MeshPart> &,
                                                                    bool replace, float offset)>;
    DroppedObjects(std::vector<std::shared_ptr<Object>> objects, const GUI_DisplayOption &options,
                   Take take)
        : SceneObjects(std::move(objects)), myOptions(options), myTake(std::move(take))
    {
    }
    bool adoptParts(std::vector<GU_MeshPart> &parts, bool replace, size_t &first,
                    std::string &) override
    {
        const float offset = replace ? 0.0f : besideOffset(sceneBounds(*this, myOptions), parts);
        first = replace ? 0 : objectCount();
        setObjects(myTake(parts, replace, offset));
        return true;
    }

private:
    const GUI_DisplayOption &myOptions;
    Take myTake;
};

bool
hasDisplay()
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY"})
    {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}
} // namespace

void
Viewport::show(const std::string &script, const std::string &output)
{
    Parts &p = live();
    WindowSettings settings;
    std::string error;
    // A bad script is refused before any window opens.
    if (!script.empty() && !readWindowEvents(script, settings.events, error))
    {
        // A file that cannot be opened, or one with a bad line in it.
        if (error.compare(0, 11, "cannot read") == 0)
            throw FileError(script, "script: " + error);
        throw std::invalid_argument("script: " + error);
    }
    if (output.empty())
        throw std::invalid_argument("output: expected a file name for the frames \"s\" writes");
    if (!hasDisplay())
        throw std::runtime_error("show: cannot open a window: no display (DISPLAY is not set)");
    makeCurrent();
    ensureHomed();
    {
        UI_DesktopWindow window(myWidth, myHeight, "vantrel");
        if (!window.isValid())
        {
            makeCurrent();
            throw std::runtime_error("show: cannot open a window: " + window.getError());
        }
        settings.uv = myUV;
        settings.homeAxis = p.homeAxis;
        settings.output = output;
        settings.title = "vantrel";
        OffscreenCanvas canvas(*p.scene->context, [this] { return drawFrame(); });
        // Files dropped on the window become objects of the viewport.
        DroppedObjects objects(p.scene->objects, p.state.getDisplayOptionRef(),
                               [this, &p](std::vector<GU_MeshPart> &parts, bool replace,
                                          float offset) {
                                   if (replace)
                                       for (auto shown = p.scene->objects; !shown.empty();
                                            shown.pop_back())
                                           shown.back()->remove();
                                   for (GU_MeshPart &part : parts)
                                   {
                                       auto object = adopt(part.name, std::move(part.detail));
                                       std::array<double, 16> m = object->transform();
                                       m[12] += offset;
                                       object->setTransform(m);
                                   }
                                   return p.scene->objects;
                               });
        runInteractiveWindow(window, canvas, *p.look, objects, settings);
        // The window's context goes with the window; the viewport's is the
        // current one again afterwards.
    }
    makeCurrent();
    loadView();
}
} // namespace vantrel
