#include "apps/vantrel-view/ViewWindow.h"

#include "apps/vantrel-view/ViewCamera.h"
#include "apps/vantrel-view/ViewCompose.h"
#include "apps/vantrel-view/ViewDrawOptions.h"
#include "apps/vantrel-view/ViewEvents.h"
#include "apps/vantrel-view/ViewFrame.h"
#include "apps/vantrel-view/ViewInteract.h"
#include "apps/vantrel-view/ViewInteractUV.h"
#include "apps/vantrel-view/ViewOptions.h"
#include "apps/vantrel-view/ViewScene.h"
#include "apps/vantrel-view/ViewUV.h"
#include "detail/GUI_DetailFeel.h"
#include "host/RE/RE_Render.h"
#include "host/UI/BM_SceneManager.h"
#include "host/UI/UI_DesktopWindow.h"
#include "scene/GUI_SceneFeel.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewState.h"

#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

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

// Composes one frame of the scene feel's view over the window, as the
// headless frames are composed, drawing the objects through the feel's
// detail feels (their uvs in the uv view). Returns the milliseconds it
// took; nothing is drawn while minimised.
double
drawWindowFrame(GUI_SceneFeel &feel, RE_Render *r, int homeAxis, bool uv)
{
    const short w = short(feel.getWidth()), h = short(feel.getHeight());
    if (w < 1 || h < 1)
        return 0.0;
    const auto start = std::chrono::steady_clock::now();
    r->resetFrameStats();
    // The camera's view area follows the window, so a resized window keeps
    // its aspect and homing fits the new size.
    feel.getViewStateRef().getViewParameterRef().setView(0, 0, w, h);
    // The look paints the background colour only: the depth of the last
    // frame goes here, inside the viewport.
    feel.getSceneLook().setView(r, 0, 0, w, h);
    r->clearZ();
    composeFrame(feel.getSceneLook(), r, w, h, homeAxis, [&feel, uv](RE_Render *rr) {
        drawWithDepth(rr, !uv, [&feel, rr] {
            UT_Pointers &details = feel.getDetails();
            for (int i = 0; i < details.entries(); ++i)
                if (auto *df = static_cast<GUI_DetailFeel *>(details(i)))
                    feel.renderDetail(rr, 0, 0, *df);
        });
    });
    r->flush(1);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void
showTitle(UI_DesktopWindow &window, const ViewInteract &interact, double ms, bool uv)
{
    const std::string &picked = interact.getPickedName();
    char title[256];
    std::snprintf(title, sizeof(title), "vantrel-view%s: %s, %.1f ms", uv ? " uv" : "",
                  picked.empty() ? "nothing picked" : picked.c_str(), ms);
    window.setTitle(title);
}
} // namespace

const char *
windowBindingsHelp()
{
    return "Window bindings (--window):\n"
           "  left drag          tumble (in the tumble style of the defaults file)\n"
           "  middle drag        pan\n"
           "  right drag         dolly\n"
           "  wheel              zoom about the pointer\n"
           "  shift + left drag  zoom to the dragged box\n"
           "  left click         pick: the object under the pointer becomes the selected one\n"
           "  space, h           home on all objects, keeping the view direction\n"
           "  0 to 6             home on all objects from the three-quarter, front, right,\n"
           "                     top, back, left or bottom view\n"
           "  g, o, a, f         grid, origin, safe area, field guide on or off\n"
           "  w                  wire or shaded\n"
           "  s                  write the frame to the --output PNG\n"
           "  q, Escape          quit (--save-camera then keeps the camera)\n"
           "With --uv the window shows the uvs, flat:\n"
           "  left or middle drag  pan\n"
           "  right drag, wheel    zoom about the pointer\n"
           "  shift + left drag    zoom to the dragged box\n"
           "  left click           pick the primitive whose uvs lie under the pointer (the\n"
           "                       topmost); its object becomes the selected one\n"
           "  space, h             frame the unit square, as the headless --uv frame does\n"
           "  o, t, b              uv origin, corner origin, background image on or off\n"
           "  v                    vertex or point uvs\n"
           "  s, q, Escape         as above\n";
}

bool
runWindow(GUI_ViewState &state, const ViewOptions &opts)
{
    // A bad script is refused before any window opens.
    std::vector<UI_DesktopInput> events;
    std::string error;
    if (!opts.events.empty() && !readViewEvents(opts.events, events, error))
    {
        std::fprintf(stderr, "vantrel-view: %s\n", error.c_str());
        return false;
    }
    UI_DesktopWindow window(opts.width, opts.height, "vantrel-view", opts.samples);
    if (!window.isValid())
    {
        std::fprintf(stderr, "vantrel-view: cannot open a window: %s\n", window.getError().c_str());
        return false;
    }
    window.makeCurrent();
    RE_Render *r = window.getRender();
    ViewScene scene;
    if (!setUpScene(scene, state, r, opts))
        return false;

    GUI_SceneLook look(newViewRender(opts.uv), &state);
    BM_SceneManager manager;
    GUI_SceneFeel feel(manager, opts.uv ? "uv1" : "persp1");
    feel.setLook(&look);
    feel.setRender(r);
    feel.setSize(window.getWidth(), window.getHeight());
    for (const auto &object : scene.objects())
    {
        auto *df = new GUI_DetailFeel(object->look.get());
        if (opts.uv)
            df->setCurrent2D();
        feel.addDetailFeel(df);
    }
    std::unique_ptr<ViewInteract> interact;
    if (opts.uv)
        interact = std::make_unique<ViewInteractUV>(feel, scene);
    else
        interact = std::make_unique<ViewInteract>(feel, scene);

    ScriptPlayer script(events);
    bool dirty = true;
    for (;;)
    {
        if (dirty)
        {
            feel.setSize(window.getWidth(), window.getHeight());
            const double ms = drawWindowFrame(feel, r, opts.homeAxis, opts.uv);
            window.swapBuffers();
            showTitle(window, *interact, ms, opts.uv);
            dirty = false;
        }
        UI_DesktopInput in;
        if (window.nextInput(in, script.patience()))
            script.heard(in);
        else if (!script.next(window, in))
            continue;
        const int result = interact->handle(in);
        if (result & ViewInteract::REDRAW)
            dirty = true;
        if (result & ViewInteract::SAVE)
        {
            feel.setSize(window.getWidth(), window.getHeight());
            drawWindowFrame(feel, r, opts.homeAxis, opts.uv);
            if (!window.writePNG(opts.output.c_str()))
                std::fprintf(stderr, "vantrel-view: cannot write \"%s\"\n", opts.output.c_str());
            else
                std::printf("%s\n", opts.output.c_str());
            std::fflush(stdout);
            window.swapBuffers();
        }
        if (result & ViewInteract::QUIT)
            break;
    }
    if (!opts.saveCamera.empty() &&
        !saveCamera(state.getViewParameterRef(), opts.saveCamera.c_str()))
        return false;
    return true;
}
