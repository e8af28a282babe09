#pragma once

#include "host/UT/SYS_Visibility.h"

#include "facade/MeshArrays.h"
#include "facade/Object.h"
#include "facade/PickRecord.h"
#include "host/RE/RE_FrameStats.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GU_Detail;

namespace vantrel
{
// What the last frame sent: objects drawn, cached replays, cache builds,
// triangles and lines, and milliseconds.
using FrameStats = RE_FrameStats;

// A headless viewport: an offscreen context, a view state (display options
// and cameras), a scene look over the 3D decorations (or the 2D ones of a
// texture-space view) and the objects it shows. A frame is composed in the
// library's order: view, background, decorations behind, each object,
// decorations in front, the snapshot.
//
// Misuse throws: std::invalid_argument for a bad argument (the message
// names it), FileError for a file that cannot be read or written,
// std::runtime_error for a closed viewport or a context that cannot be
// made. Not thread-safe; use one thread.
class VANTREL_API Viewport
{
public:
    // Width and height from 1 to 16384 pixels. samples (1, 2, 4 or 8)
    // above 1 draws multisampled frames: smooth edges, the same picks.
    Viewport(int width, int height, int samples = 1);
    ~Viewport();
    Viewport(const Viewport &) = delete;
    Viewport &operator=(const Viewport &) = delete;

    int width() const { return myWidth; }
    int height() const { return myHeight; }
    bool isUV() const { return myUV; }

    // Releases the context and (when no other view shares them) the
    // objects. Every later call but closed() throws.
    void close();
    bool closed() const;

    // ---- Objects
    // Validates everything first: a bad array adds nothing.
    std::shared_ptr<Object> addMesh(const MeshArrays &mesh, const std::string &name);
    // Reads a mesh file (OBJ, PLY, STL, glTF) of one part into one object,
    // named after the file (a glTF part after its node or mesh). A file of
    // several parts throws std::invalid_argument naming loadMeshes.
    std::shared_ptr<Object> loadMesh(const std::string &path);
    // Reads every part of a mesh file, one object each, in the file's
    // order; a glTF scene gives one per mesh instance, named after it.
    std::vector<std::shared_ptr<Object>> loadMeshes(const std::string &path);
    // The builders' shapes, with normals and uvs, centred at the origin.
    std::shared_ptr<Object> addBox(double sx, double sy, double sz, const std::string &name);
    std::shared_ptr<Object> addSphere(double radius, int rows, int cols, const std::string &name);
    std::shared_ptr<Object> addTorus(double ring, double tube, int rows, int cols,
                                     const std::string &name);
    std::vector<std::shared_ptr<Object>> objects() const;

    // ---- Camera
    // Axis names: threequarter, custom, x, y, z, front, right, top, back,
    // left, bottom. Homes onto the boxes the objects report.
    void home(const std::string &axis = "threequarter");
    void tumble(double dx, double dy);
    void dolly(double d);
    void zoom(double d);
    // Window pixels, top-left origin.
    void boxZoom(int x0, int y0, int x1, int y1);
    void pan(double dx, double dy);
    bool ortho() const;
    void setOrtho(bool on);
    double nearDistance() const;
    double farDistance() const;
    // Sets both; far must lie beyond near, both positive and finite.
    void setLimits(double nearDist, double farDist);
    std::string cameraText() const;
    void setCameraText(const std::string &text);
    void saveCamera(const std::string &path) const;
    void loadCamera(const std::string &path);

    // ---- Display options
    // box, wire, hidden, flat, flatwire, smooth, smoothwire (the
    // non-selected and selected records).
    std::string shading() const;
    void setShading(const std::string &mode);
    // The viewport flags by their keyword in the option text.
    static std::vector<std::string> optionKeywords();
    bool option(const std::string &keyword) const;
    void setOption(const std::string &keyword, bool on);
    std::string optionsText() const;
    std::array<double, 3> background() const;
    void setBackground(double r, double g, double b);
    // The background image behind the objects (empty turns it off).
    void setBackgroundImage(const std::string &path);
    std::string backgroundImage() const;
    // A PNG image over the finished frame at alpha (empty removes it).
    void setSnapshot(const std::string &path, double alpha = 0.5);
    double snapshotAlpha() const;
    void setSnapshotAlpha(double alpha);
    // The settings file "display.pref": display options and clipping.
    void savePrefs(const std::string &path) const;
    void loadPrefs(const std::string &path);

    // ---- Frames
    // RGBA, 8 bits a channel, top row first.
    std::vector<uint8_t> render();
    void savePNG(const std::string &path);
    // A pick pass over the w x h region whose top left pixel is (x, y),
    // counted from the top left of the frame.
    std::vector<PickRecord> pick(int x, int y, int w = 1, int h = 1);
    FrameStats stats() const;

    // Opens an interactive window of the viewport's size showing its
    // objects through its camera and display options, with the demo's
    // window bindings (the uv ones in a texture-space view), and returns
    // when the person closes it (q, Escape or the close button). What they
    // did stays: the camera, the toggled options, the selected object. A
    // script of window events (the demo's --events format) plays first;
    // the window stays open after it until a "key q" or the person closes
    // it. "s" writes the frame to output. The window shows frames drawn
    // in the viewport's own context, so they are render()'s frames.
    // Throws std::runtime_error naming why when no window can open (no
    // display), FileError for a script that cannot be read,
    // std::invalid_argument for one with a bad line (the message names it).
    void show(const std::string &script = "", const std::string &output = "vantrel-show.png");

    // A texture-space view of the same objects, of the same size, sharing
    // the context; homed on the unit square from the front.
    std::unique_ptr<Viewport> uvView();

private:
    struct Parts;
    Viewport(std::shared_ptr<SceneData> scene, int width, int height);
    Parts &live() const;
    void makeCurrent() const;
    void loadView() const;
    void ensureHomed();
    // Draws one frame in the context; returns its milliseconds.
    double drawFrame();
    std::shared_ptr<Object> adopt(const std::string &name, std::unique_ptr<GU_Detail> gdp);

    int myWidth;
    int myHeight;
    bool myUV = false;
    std::unique_ptr<Parts> myParts;
};
} // namespace vantrel
