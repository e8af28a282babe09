// The interactive viewer window under a virtual X server: scripted mouse
// and key input moves the camera and the selection where the bindings say,
// a frame saved from the window equals the headless frame of the same
// camera, and bad input (positions outside, tiny and minimised windows)
// leaves only finite numbers in the camera. Skipped, saying why, where no
// virtual X server can run.
#include "tests/support/VantrelSkip.h"
#include "tests/scene/GoldenFrame.h"
#include "tests/scene/ViewerWindowSupport.h"

#include "host/TIL/TIL_ImageFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

using view_state_test::ChildRun;
using view_state_test::runViewer;
using viewer_window_test::allFinite;
using viewer_window_test::cameraNumbers;
using viewer_window_test::runWindowed;
using vantrel_test::readFile;
using vantrel_test::ScratchDir;
using vantrel_test::ScopedEnv;
using vantrel_test::writeFile;

namespace
{
const char *const theSize = "160x120";
} // namespace

TEST(ViewerWindow, WithoutADisplayItSaysSoInOneLineAndFails)
{
    ScratchDir dir;
    ScopedEnv display("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    const ChildRun run = runViewer("--window --size 64x48", dir.path());
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("cannot open a window"), std::string::npos) << run.err;
}

TEST(ViewerWindow, ScriptedInputMovesTheCameraAndPicksAndTheFrameMatchesHeadless)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();

    // The headless frame and camera of the default view, and where the
    // selected sphere shows in it.
    // Four samples, as the window draws by default: the window's
    // multisampled frame must match the headless one.
    const ChildRun headless = runViewer(std::string("--samples 4 --size ") + theSize + " --output " +
                                            d + "/headless.png --save-camera " + d + "/headless.cam",
                                        d);
    ASSERT_EQ(headless.status, 0) << headless.err;
    const ChildRun probe = runViewer(std::string("--size ") + theSize + " --output " + d +
                                         "/probe.png --pick 80,55",
                                     d);
    ASSERT_NE(probe.out.find("sphere handle"), std::string::npos) << probe.out;

    // A tumble drag alone turns the camera away from the default.
    writeFile(d + "/tumble.events", "down 60 60\nmove 70 60\nmove 85 64\nmove 100 70\n"
                                    "up 100 70\nkey escape\n");
    ChildRun run = runWindowed(std::string("--size ") + theSize + " --events " + d +
                                   "/tumble.events --save-camera " + d + "/tumbled.cam",
                               d);
    VANTREL_SKIP_IF_VIRTUAL_X_FAILED(run);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<double> reference = cameraNumbers(readFile(d + "/headless.cam"));
    const std::vector<double> tumbled = cameraNumbers(readFile(d + "/tumbled.cam"));
    ASSERT_EQ(tumbled.size(), reference.size());
    double moved = 0.0;
    for (size_t i = 0; i < reference.size(); ++i)
        moved += std::fabs(tumbled[i] - reference[i]);
    EXPECT_GT(moved, 0.01);
    // A window opened on that camera and closed at once keeps it.
    writeFile(d + "/quit.events", "key q\n");
    run = runWindowed(std::string("--size ") + theSize + " --events " + d + "/quit.events" +
                          " --load-camera " + d + "/tumbled.cam --save-camera " + d +
                          "/reloaded.cam",
                      d);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<double> reloaded = cameraNumbers(readFile(d + "/reloaded.cam"));
    ASSERT_EQ(reloaded.size(), tumbled.size());
    for (size_t i = 0; i < tumbled.size(); ++i)
        EXPECT_NEAR(reloaded[i], tumbled[i], 1e-4 * (1.0 + std::fabs(tumbled[i])))
            << "camera number " << i;

    // Tumble, home on the three-quarter view, click the selected sphere,
    // save the frame, quit.
    writeFile(d + "/session.events", "down 60 60\nmove 70 60\nmove 85 64\nmove 100 70\n"
                                     "up 100 70\nkey 0\ndown 80 55\nup 80 55\nkey s\nkey escape\n");
    run = runWindowed(std::string("--size ") + theSize + " --events " + d +
                          "/session.events --output " + d + "/window.png --save-camera " + d +
                          "/window.cam",
                      d);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("picked sphere"), std::string::npos) << run.out;
    // Homing put the camera back where the headless view has it.
    const std::vector<double> homed = cameraNumbers(readFile(d + "/window.cam"));
    ASSERT_EQ(homed.size(), reference.size());
    for (size_t i = 0; i < reference.size(); ++i)
        EXPECT_NEAR(homed[i], reference[i], 1e-3 * (1.0 + std::fabs(reference[i])))
            << "camera number " << i;
    const std::string why = golden::check("window", d + "/window.png", d + "/headless.png", d);
    EXPECT_TRUE(why.empty()) << why;
}

TEST(ViewerWindow, AResizedWindowDrawsAndPicksOverItsWholeNewSize)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();
    const ChildRun headless = runViewer("--size 200x150 --output " + d + "/headless.png", d);
    ASSERT_EQ(headless.status, 0) << headless.err;

    // Shrunk, drawn small, grown past the first size: the frame fills the
    // new size, and a click counted from the top left of the grown window
    // finds the sphere the headless frame shows there.
    writeFile(d + "/resize.events", "resize 40 30\nkey g\nkey g\nresize 200 150\n"
                                    "down 100 69\nup 100 69\nkey s\nkey escape\n");
    const ChildRun run = runWindowed(std::string("--samples 1 --size ") + theSize + " --events " + d +
                                         "/resize.events --output " + d + "/window.png",
                                     d);
    VANTREL_SKIP_IF_VIRTUAL_X_FAILED(run);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("picked sphere"), std::string::npos) << run.out;
    const std::string why = golden::check("resized", d + "/window.png", d + "/headless.png", d);
    EXPECT_TRUE(why.empty()) << why;
}

TEST(ViewerWindow, BadInputLeavesAFiniteCameraAndNoCrash)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();
    writeFile(d + "/bad.events",
              "# outside the window, tiny and minimised sizes, drags through them\n"
              "down -500 -500 right\nmove 90000 -70000\nup 90000 -70000 right\n"
              "wheel -40 900 3\nwheel 80 60 -1e30\n"
              "resize 1 1\ndown 0 0 middle\nmove 1 1\nmove 400 400\nup 400 400 middle\n"
              "down 10 10 left shift\nmove 10 10\nup 10 10 left\n"
              "resize 0 0\nkey h\nkey 3\ndown 5 5\nmove 50 50\nup 50 50\n"
              "resize 160 120\nkey space\nkey w\nkey g\nkey a\nkey f\nkey o\nkey escape\n");
    const ChildRun run = runWindowed(std::string("--size ") + theSize + " --events " + d +
                                         "/bad.events --save-camera " + d + "/bad.cam",
                                     d);
    VANTREL_SKIP_IF_VIRTUAL_X_FAILED(run);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string camera = readFile(d + "/bad.cam");
    EXPECT_EQ(camera.find("nan"), std::string::npos) << camera;
    EXPECT_EQ(camera.find("inf"), std::string::npos) << camera;
    const std::vector<double> numbers = cameraNumbers(camera);
    EXPECT_GT(numbers.size(), 10u);
    EXPECT_TRUE(allFinite(numbers));
}

// A malformed event file is refused before any window opens (so no display
// is needed), naming the line: sizes past what --size takes (which crashed
// the window or ran out of memory), lines without end, files that are not
// files (which grew or blocked for ever).
TEST(ViewerWindow, BadEventFilesAreRefusedBeforeAWindowOpens)
{
    ScratchDir dir;
    const std::string &d = dir.path();
    ASSERT_EQ(mkfifo((d + "/fifo.events").c_str(), 0600), 0);
    const std::pair<std::string, std::string> scripts[] = {
        {"down 1\n", "broken.events:1: bad event"},
        {"key g\nresize 32767 32767\nkey q\n", "broken.events:2: bad event \"resize 32767"},
        {"resize 2147483647 2147483647\nkey s\n", "broken.events:1: bad event"},
        {"resize 32768 65536\n", "broken.events:1: bad event"},
        {"key g\n" + std::string(5000, ' ') + "key q\n", "broken.events:2: line longer"}};
    for (const auto &[script, why] : scripts)
    {
        writeFile(d + "/broken.events", script);
        const ChildRun broken = runViewer("--window --events " + d + "/broken.events", d);
        EXPECT_EQ(broken.status, 1) << why;
        EXPECT_NE(broken.err.find(why), std::string::npos) << broken.err;
    }
    for (const char *special : {"/dev/zero", "fifo.events"})
    {
        const std::string path = special[0] == '/' ? special : d + "/" + special;
        const ChildRun refused = runViewer("--window --events " + path, d);
        EXPECT_EQ(refused.status, 1) << special;
        EXPECT_NE(refused.err.find("not a regular file"), std::string::npos) << refused.err;
    }
}

TEST(ViewerWindow, ADisplayThatGoesAwayEndsTheViewerWithoutACrash)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();
    // A server of our own, killed while the viewer waits for input.
    const std::string script =
        "Xvfb -displayfd 3 -screen 0 320x240x24 3>" + d + "/display >/dev/null 2>&1 & x=$!; "
        "for i in $(seq 50); do [ -s " + d + "/display ] && break; sleep 0.1; done; "
        "[ -s " + d + "/display ] || { kill $x; exit 77; }; "
        "DISPLAY=:$(cat " + d + "/display) timeout 30 " + VANTREL_VIEW_EXE +
        " --window --size 64x48 >" + d + "/out 2>" + d + "/err & v=$!; "
        "sleep 1.5; kill $x; wait $v; echo $? >" + d + "/status";
    const int rc = std::system(("bash -c '" + script + "'").c_str());
    if (WIFEXITED(rc) && WEXITSTATUS(rc) == 77)
        VANTREL_CANNOT_RUN() << "the virtual X server cannot start here";
    const std::string status = readFile(d + "/status");
    ASSERT_FALSE(status.empty());
    const int code = std::atoi(status.c_str());
    // Ended by itself, with a failure status: not killed by a signal (128
    // and up) nor left waiting until the time limit (124).
    EXPECT_NE(code, 0);
    EXPECT_LT(code, 124) << readFile(d + "/err");
}

namespace
{
struct DropRun
{
    int status = -1;   // the viewer's exit status
    std::string title; // the title the window showed after the drop
    std::string camera;
};

// Runs the viewer in a window on a virtual X server of its own, waits for
// its title to contain ready, drops the file on it as a file manager would,
// waits for the title to contain awaited, and closes the window.
DropRun
dropOnWindow(const std::string &d, const std::string &args, const std::string &file,
             const std::string &awaited, const std::string &ready = "vantrel-view")
{
    // The display file of an earlier run goes first: the server's shell
    // empties it only when it gets to run.
    const std::string script =
        "rm -f " + d + "/display; "
        "Xvfb -displayfd 3 -screen 0 640x480x24 3>" + d + "/display >/dev/null 2>&1 & x=$!; "
        "for i in $(seq 50); do [ -s " + d + "/display ] && break; sleep 0.1; done; "
        "[ -s " + d + "/display ] || { kill $x; exit 77; }; "
        "export DISPLAY=:$(cat " + d + "/display) MESA_SHADER_CACHE_DISABLE=true; "
        "timeout 60 " + VANTREL_VIEW_EXE + " --window --size 200x150 --save-camera " + d +
        "/drop.cam " + args + " >" + d + "/out 2>" + d + "/err & v=$!; "
        "timeout 40 " + VANTREL_DROP_FILES_EXE + " \"" + ready + "\" \"" + awaited + "\" " + file +
        " >" + d + "/title; wait $v; echo $? >" + d + "/status; kill $x";
    const int rc = std::system(("bash -c '" + script + "'").c_str());
    DropRun run;
    if (WIFEXITED(rc) && WEXITSTATUS(rc) == 77)
        return run;
    const std::string status = readFile(d + "/status");
    run.status = status.empty() ? -1 : std::atoi(status.c_str());
    run.title = readFile(d + "/title");
    run.camera = readFile(d + "/drop.cam");
    return run;
}
} // namespace

// A file dropped on the window replaces the scene and is framed as the
// headless --mesh frames it; with r pressed first it goes beside the scene
// instead and is framed alone; a file that cannot be read leaves the scene
// as it was and says why in the title.
TEST(ViewerWindow, DroppedFilesLoadInPlaceOrBesideAndSayWhatHappened)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();
    const std::string table = std::string(VANTREL_SOURCE_DIR) + "/examples/data/table.glb";
    ASSERT_EQ(runViewer("--size 200x150 --mesh " + table + " --save-camera " + d + "/table.cam", d)
                  .status,
              0);
    ASSERT_EQ(runViewer("--size 200x150 --save-camera " + d + "/default.cam", d).status, 0);
    const auto same = [](const std::vector<double> &a, const std::vector<double> &b) {
        if (a.size() != b.size() || a.empty())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::fabs(a[i] - b[i]) > 1e-4 * (1.0 + std::fabs(b[i])))
                return false;
        return true;
    };

    DropRun replaced = dropOnWindow(d, "", table, "loaded");
    if (replaced.status == -1 && replaced.title.empty())
        VANTREL_CANNOT_RUN() << "the virtual X server cannot start here";
    EXPECT_EQ(replaced.status, 0) << readFile(d + "/err");
    EXPECT_NE(replaced.title.find("loaded table.glb (7 objects)"), std::string::npos)
        << replaced.title;
    EXPECT_TRUE(same(cameraNumbers(replaced.camera), cameraNumbers(readFile(d + "/table.cam"))))
        << replaced.camera;

    writeFile(d + "/beside.events", "key r\n");
    // Dropped once the window has played the r key: its title says so.
    DropRun beside =
        dropOnWindow(d, "--events " + d + "/beside.events", table, "loaded", "go beside");
    EXPECT_EQ(beside.status, 0) << readFile(d + "/err");
    EXPECT_NE(beside.title.find("loaded table.glb"), std::string::npos) << beside.title;
    const std::vector<double> pivotIn = viewer_window_test::cameraEntry(replaced.camera, "pxyz");
    const std::vector<double> pivotBeside = viewer_window_test::cameraEntry(beside.camera, "pxyz");
    ASSERT_EQ(pivotIn.size(), 3u);
    ASSERT_EQ(pivotBeside.size(), 3u);
    // Moved along x clear of the built-in scene (which reaches x = 2.3),
    // framed alone: the same view of it, shifted.
    EXPECT_GT(pivotBeside[0], pivotIn[0] + 2.3);
    EXPECT_NEAR(pivotBeside[1], pivotIn[1], 1e-4);
    EXPECT_TRUE(same(viewer_window_test::cameraEntry(beside.camera, "homedistance"),
                     viewer_window_test::cameraEntry(replaced.camera, "homedistance")));

    writeFile(d + "/broken.ply", "ply\nformat ascii 1.0\nelement vertex 3\nend_header\n");
    DropRun broken = dropOnWindow(d, "", d + "/broken.ply", "cannot load");
    EXPECT_EQ(broken.status, 0) << readFile(d + "/err");
    EXPECT_NE(broken.title.find("broken.ply"), std::string::npos) << broken.title;
    EXPECT_TRUE(same(cameraNumbers(broken.camera), cameraNumbers(readFile(d + "/default.cam"))))
        << broken.camera;
}

// The i key lays the frame statistics over the top left corner: the frame
// written while it shows differs from the headless one there and nowhere
// else, with the panel's dark ground and its light text in it.
TEST(ViewerWindow, TheStatisticsOverlayCoversOnlyItsCorner)
{
    VANTREL_SKIP_WITHOUT_VIRTUAL_X();
    ScratchDir dir;
    const std::string &d = dir.path();
    ASSERT_EQ(runViewer("--size 240x200 --output " + d + "/headless.png", d).status, 0);
    writeFile(d + "/overlay.events", "key i\nkey s\nkey q\n");
    const ChildRun run = runWindowed("--samples 1 --size 240x200 --events " + d +
                                         "/overlay.events --output " + d + "/overlay.png",
                                     d);
    VANTREL_SKIP_IF_VIRTUAL_X_FAILED(run);
    ASSERT_EQ(run.status, 0) << run.err;

    TIL_TextureMap plain, shown;
    std::string error;
    ASSERT_TRUE(TILreadPNG((d + "/headless.png").c_str(), plain, error)) << error;
    ASSERT_TRUE(TILreadPNG((d + "/overlay.png").c_str(), shown, error)) << error;
    ASSERT_EQ(plain.getWidth(), shown.getWidth());
    ASSERT_EQ(plain.getHeight(), shown.getHeight());
    const int w = shown.getWidth(), h = shown.getHeight();
    int changed = 0, outside = 0, text = 0;
    for (int row = 0; row < h; ++row) // bottom to top
        for (int x = 0; x < w; ++x)
        {
            const uint8_t *a = plain.getPixels() + (size_t(row) * w + x) * 4;
            const uint8_t *b = shown.getPixels() + (size_t(row) * w + x) * 4;
            if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) <= 6)
                continue;
            ++changed;
            // The panel: five lines of text, well within the left half and
            // the top half of the frame.
            if (x >= w / 2 || row < h / 2)
                ++outside;
            text += b[0] > 180 && b[1] > 180 && b[2] < 190 && b[2] > 100 ? 1 : 0;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(changed, 1500);
    EXPECT_GT(text, 100);
}
