#include "facade/InteractiveWindow.h"

#include "detail/GUI_DetailFeel.h"
#include "facade/FrameCompose.h"
#include "facade/QuadViews.h"
#include "facade/WindowInteractUV.h"
#include "facade/WindowLoad.h"
#include "facade/WindowOverlay.h"
#include "facade/WindowScene.h"
#include "host/RE/RE_Render.h"
#include "host/UI/BM_SceneManager.h"
#include "scene/GUI_SceneFeel.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>

#include <unistd.h>

namespace vantrel
{
namespace
{
// Plays scripted input into the window one event at a time, once the window
// system has nothing queued, so that each event meets the window as the
// events before it left it. A scripted resize is asked of the window
// system, like a person dragging the window's corner, and the script waits
// for its answer; for a second at most, as a window without a window
// manager is never minimised.
class ScriptPlayer
{
public:
    explicit ScriptPlayer(const std::vector<UI_DesktopInput> &events)
        : myEvents(events.begin(), events.end())
    {
    }

    // How long the window may wait for input of its own before the script
    // has something to play or to check.
    double patience() const
    {
        if (myEvents.empty())
            return 0.25;
        return myAwaitingSize ? 0.02 : 0.0;
    }

    // The window system's own input: a RESIZE answers a scripted one.
    void heard(const UI_DesktopInput &in)
    {
        if (in.kind == UI_DesktopInput::RESIZE)
            myAwaitingSize = false;
    }

    // The next scripted event to handle, positions turned into the
    // window's (from the lower left). False while there is none, or while
    // a scripted resize is still on its way.
    bool next(UI_DesktopWindow &window, UI_DesktopInput &in)
    {
        if (myEvents.empty() || (myAwaitingSize && Clock::now() < myDeadline))
            return false;
        myAwaitingSize = false;
        in = myEvents.front();
        myEvents.pop_front();
        if (in.kind == UI_DesktopInput::RESIZE &&
            (in.width != window.getWidth() || in.height != window.getHeight()))
        {
            window.setSize(in.width, in.height);
            myAwaitingSize = true;
            myDeadline = Clock::now() + std::chrono::seconds(1);
            return false;
        }
        in.y = float(window.getHeight()) - in.y;
        return true;
    }

private:
    using Clock = std::chrono::steady_clock;
    std::deque<UI_DesktopInput> myEvents;
    bool myAwaitingSize = false;
    Clock::time_point myDeadline;
};

void
showTitle(UI_DesktopWindow &window, const WindowSettings &settings,
          const WindowInteract &interact, double ms, const std::string &status)
{
    const std::string &picked = interact.getPickedName();
    char title[512];
    std::snprintf(title, sizeof(title), "%s%s: %s, %.1f ms%s%s", settings.title.c_str(),
                  settings.uv ? " uv" : "", picked.empty() ? "nothing picked" : picked.c_str(), ms,
                  status.empty() ? "" : " | ", status.c_str());
    window.setTitle(title);
}

// The window's feels over the scene's looks, one each.
void
addFeels(GUI_SceneFeel &feel, WindowScene &scene, bool uv)
{
    for (size_t i = 0; i < scene.objectCount(); ++i)
    {
        auto *df = new GUI_DetailFeel(&scene.objectLook(i));
        if (uv)
            df->setCurrent2D();
        feel.addDetailFeel(df);
    }
}

void
removeFeels(GUI_SceneFeel &feel)
{
    UT_Pointers &details = feel.getDetails();
    while (details.entries() > 0)
    {
        auto *df = static_cast<GUI_DetailFeel *>(details(details.entries() - 1));
        feel.removeDetailFeel(df);
        delete df;
    }
}

// Files dropped on the window: read on a thread of their own while the
// window keeps answering, then taken into the scene (in place of what is
// shown, or beside it: the r key chooses) and framed. What happened is said
// in the title; a reading that lasts over half a second shows its progress
// there and, on a terminal, on a line of standard error.
class DropLoader
{
public:
    explicit DropLoader(bool report) : myTerminal(report && isatty(2)) {}

    bool busy() const { return myLoad.busy(); }
    const std::string &status() const { return myStatus; }

    void toggleReplace()
    {
        myReplace = !myReplace;
        myStatus = myReplace ? "dropped files replace the scene" : "dropped files go beside it";
    }

    void start(const std::vector<std::string> &paths)
    {
        if (!myLoad.start(paths))
        {
            myStatus = "still loading " + myLoad.label();
            return;
        }
        myStarted = std::chrono::steady_clock::now();
        myStatus = "loading " + myLoad.label();
    }

    // While a reading is under way: its progress in the title. Once it has
    // ended: the parts taken into the scene and the window's feels made
    // anew. True when the scene changed.
    bool poll(UI_DesktopWindow &window, std::unique_ptr<GUI_SceneFeel> (&feels)[QUAD_VIEWS],
              WindowScene &scene, const std::function<void(size_t)> &frameNew,
              const WindowSettings &settings)
    {
        if (!myLoad.busy())
            return false;
        if (!myLoad.finished())
        {
            const double seconds = std::chrono::duration<double>(
                                       std::chrono::steady_clock::now() - myStarted)
                                       .count();
            if (seconds < 0.5)
                return false;
            char text[512];
            std::snprintf(text, sizeof(text), "%s: loading %s, %.0f%%", settings.title.c_str(),
                          myLoad.label().c_str(), 100.0 * myLoad.progress());
            window.setTitle(text);
            if (myTerminal)
                std::fprintf(stderr, "\r%s", text);
            myProgressShown = true;
            return false;
        }
        if (myProgressShown && myTerminal)
            std::fprintf(stderr, "\n");
        myProgressShown = false;
        std::string error;
        std::vector<GU_MeshPart> parts = myLoad.finish(error);
        if (!error.empty())
        {
            myStatus = "cannot load " + error;
            return true;
        }
        const size_t count = parts.size();
        size_t first = 0;
        std::string why;
        // The feels point at the looks the scene may now let go.
        for (auto &feel : feels)
            removeFeels(*feel);
        const bool taken = scene.adoptParts(parts, myReplace, first, why);
        for (auto &feel : feels)
            addFeels(*feel, scene, settings.uv);
        if (!taken)
        {
            myStatus = "cannot load " + myLoad.label() + ": " + why;
            return true;
        }
        frameNew(first);
        myStatus = "loaded " + myLoad.label() + " (" + std::to_string(count) +
                   (count == 1 ? " object)" : " objects)");
        if (settings.report)
            std::printf("%s\n", myStatus.c_str());
        return true;
    }

private:
    MeshLoad myLoad;
    bool myReplace = true;
    bool myTerminal;
    bool myProgressShown = false;
    std::string myStatus;
    std::chrono::steady_clock::time_point myStarted;
};

// The window's views: one feel, and what input does to it, for each view
// of the four (only the perspective one shows in the single layout).
struct WindowViews
{
    WindowViews(GUI_SceneLook &look, WindowScene &scene, RE_Render *r,
                const WindowSettings &settings)
        : quad(look, settings.uv), maximised(settings.quad ? -1 : QUAD_PERSPECTIVE),
          active(QUAD_PERSPECTIVE)
    {
        for (int view = 0; view < QUAD_VIEWS; ++view)
        {
            const bool perspective = view == QUAD_PERSPECTIVE;
            feels[view] = std::make_unique<GUI_SceneFeel>(
                manager, settings.uv ? "uv1" : perspective ? "persp1" : "ortho1");
            GUI_SceneFeel &feel = *feels[view];
            feel.setLook(&quad.look(view));
            feel.setRender(r);
            addFeels(feel, scene, settings.uv);
            if (settings.uv)
                interacts[view] = std::make_unique<WindowInteractUV>(feel, scene, settings.report);
            else if (perspective)
                interacts[view] = std::make_unique<WindowInteract>(feel, scene, settings.report);
            else
                interacts[view] =
                    std::make_unique<WindowInteractOrtho>(feel, scene, settings.report);
        }
    }

    // Places each feel over its view's rectangle of the frame the canvas
    // draws for the window's size.
    void fit(const WindowCanvas &canvas, const UI_DesktopWindow &window)
    {
        canvas.frameSize(window.getWidth(), window.getHeight(), width, height);
        for (int view = 0; view < QUAD_VIEWS; ++view)
        {
            const ViewRect rect = quadRect(view, width, height, maximised);
            feels[view]->setPosition(rect.x, rect.y);
            feels[view]->setSize(rect.w, rect.h);
        }
    }

    // Composes the shown views, each drawing its objects through its own
    // detail feels (their uvs in the uv view).
    void compose(RE_Render *r, int homeAxis, bool uv)
    {
        quad.compose(r, width, height, homeAxis, maximised, [this, uv](int view, RE_Render *rr) {
            GUI_SceneFeel &feel = *feels[view];
            drawWithDepth(rr, !uv, [&feel, rr] {
                UT_Pointers &details = feel.getDetails();
                for (int i = 0; i < details.entries(); ++i)
                    if (auto *df = static_cast<GUI_DetailFeel *>(details(i)))
                        feel.renderDetail(rr, 0, 0, *df);
            });
        });
    }

    // The view at frame position (x, y) from the lower left; -1 on a
    // separator.
    int viewAt(float x, float y) const { return quadViewAt(x, y, width, height, maximised); }

    BM_SceneManager manager;
    QuadViews quad;
    std::unique_ptr<GUI_SceneFeel> feels[QUAD_VIEWS];
    std::unique_ptr<WindowInteract> interacts[QUAD_VIEWS];
    int maximised;
    // The view that took the last input: it names the pick in the title.
    int active;
    int width = 0, height = 0;
};
} // namespace

RE_Render *
OwnWindowCanvas::render() const
{
    return myWindow.getRender();
}

bool
OwnWindowCanvas::makeCurrent()
{
    return myWindow.makeCurrent();
}

void
OwnWindowCanvas::frameSize(int windowWidth, int windowHeight, int &width, int &height) const
{
    width = windowWidth;
    height = windowHeight;
}

double
OwnWindowCanvas::draw(int w, int h, const std::function<void(RE_Render *)> &compose)
{
    // Nothing is drawn while minimised.
    RE_Render *r = render();
    if (w < 1 || h < 1)
        return 0.0;
    const auto start = std::chrono::steady_clock::now();
    r->resetFrameStats();
    // The depth of the last frame goes, over the whole frame; the looks
    // paint their background colour only.
    r->viewport2DS(0, short(w - 1), 0, short(h - 1));
    r->screenMask2DS(0, short(w - 1), 0, short(h - 1));
    r->clearZ();
    compose(r);
    r->flush(1);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void
OwnWindowCanvas::present(UI_DesktopWindow &window)
{
    window.swapBuffers();
}

bool
OwnWindowCanvas::writePNG(UI_DesktopWindow &window, const std::string &path)
{
    return window.writePNG(path.c_str());
}

void
runInteractiveWindow(UI_DesktopWindow &window, WindowCanvas &canvas, GUI_SceneLook &look,
                     WindowScene &scene, const WindowSettings &settings)
{
    canvas.makeCurrent();
    WindowViews views(look, scene, canvas.render(), settings);
    views.fit(canvas, window);
    if (settings.quad)
        views.quad.homeOrthographic(
            sceneBounds(scene, look.getViewStateRef().getDisplayOptionRef()), views.width,
            views.height);

    ScriptPlayer script(settings.events);
    DropLoader drops(settings.report);
    bool dirty = true, overlay = false;
    // The view a drag started in keeps it to the end; keys go to the view
    // the pointer was last over.
    int held = -1, pointer = QUAD_PERSPECTIVE;
    // The frame, with the statistics over it while the overlay is on: a
    // written frame is the one the window shows.
    const auto drawFrame = [&]() {
        views.fit(canvas, window);
        const double ms = canvas.draw(views.width, views.height, [&](RE_Render *r) {
            views.compose(r, settings.homeAxis, settings.uv);
        });
        if (overlay)
        {
            RE_FrameStats stats = canvas.render()->getFrameStats();
            stats.milliseconds = ms;
            drawOverlay(canvas.render(), views.width, views.height,
                        statsLines(stats, scene.objectCount()));
        }
        return ms;
    };
    for (;;)
    {
        canvas.makeCurrent();
        // Objects that came in are framed in every view, each keeping its
        // axis.
        const auto frameNew = [&views](size_t first) {
            for (auto &interact : views.interacts)
                interact->frameNewObjects(first);
        };
        if (drops.poll(window, views.feels, scene, frameNew, settings))
            dirty = true;
        if (dirty)
        {
            const double ms = drawFrame();
            canvas.present(window);
            showTitle(window, settings, *views.interacts[views.active], ms, drops.status());
            dirty = false;
        }
        UI_DesktopInput in;
        // A reading under way is looked at ten times a second.
        const double patience = drops.busy() ? std::min(script.patience(), 0.1) : script.patience();
        if (window.nextInput(in, patience))
            script.heard(in);
        else if (!script.next(window, in))
            continue;
        // Keys of the window itself, beside the view's: the overlay of the
        // frame statistics, and where dropped files go.
        if (in.kind == UI_DesktopInput::KEY && (in.key == 'i' || in.key == 'r'))
        {
            if (in.key == 'i')
                overlay = !overlay;
            else
                drops.toggleReplace();
            dirty = true;
            continue;
        }
        if (in.kind == UI_DesktopInput::DROP)
        {
            drops.start(in.paths);
            dirty = true;
            continue;
        }
        // Positions count from the window's lower left; a frame smaller
        // than the window lies at its top left.
        int fw = 0, fh = 0;
        canvas.frameSize(window.getWidth(), window.getHeight(), fw, fh);
        in.y += float(fh - window.getHeight());
        const bool mouse = in.kind == UI_DesktopInput::MOUSE_DOWN ||
                           in.kind == UI_DesktopInput::MOUSE_MOVE ||
                           in.kind == UI_DesktopInput::MOUSE_UP ||
                           in.kind == UI_DesktopInput::WHEEL;
        if (mouse && held < 0)
        {
            const int under = views.viewAt(in.x, in.y);
            if (under >= 0)
                pointer = under;
        }
        if (in.kind == UI_DesktopInput::KEY && in.key == 'm' && settings.quad)
        {
            views.maximised = views.maximised < 0 ? pointer : -1;
            dirty = true;
            continue;
        }
        int view = held >= 0 ? held : pointer;
        if (mouse && held < 0 && views.viewAt(in.x, in.y) < 0)
            continue; // on a separator
        if (in.kind == UI_DesktopInput::MOUSE_DOWN)
            held = view;
        else if (in.kind == UI_DesktopInput::MOUSE_UP)
            held = -1;
        views.active = view;
        // Each view's input is in its own pixels.
        const ViewRect rect = quadRect(view, fw, fh, views.maximised);
        in.x -= float(rect.x);
        in.y -= float(rect.y);
        canvas.makeCurrent();
        const int result = views.interacts[view]->handle(in);
        // The views share the display options the keys toggle.
        views.quad.shareOptions(view);
        if (result & WindowInteract::REDRAW)
            dirty = true;
        if (result & WindowInteract::SAVE)
        {
            drawFrame();
            const bool written = canvas.writePNG(window, settings.output);
            if (!written)
                std::fprintf(stderr, "%s: cannot write \"%s\"\n", settings.title.c_str(),
                             settings.output.c_str());
            else if (settings.report)
                std::printf("%s\n", settings.output.c_str());
            std::fflush(stdout);
            canvas.present(window);
        }
        if (result & WindowInteract::QUIT)
            break;
    }
}
} // namespace vantrel
