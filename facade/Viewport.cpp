#include "facade/Viewport.h"

#include "facade/FrameCompose.h"
#include "facade/ViewportParts.h"

#include "facade/FileError.h"
#include "facade/ViewWords.h"

#include "decor/GUI_ViewRender2D.h"
#include "decor/GUI_ViewRender3D.h"
#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailRender2D.h"
#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_ShadingMode.h"
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_DetailHandle.h"
#include "host/GU/GB_Attribute.h"
#include "host/RE/RE_OffscreenContext.h"
#include "host/RE/RE_Render.h"
#include "host/TIL/TIL_ImageFile.h"
#include "host/TIL/TIL_TextureMap.h"
#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_IFStream.h"
#include "host/UT/UT_IStream.h"
#include "host/UT/UT_SafeSave.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewParameter.h"
#include "view/GUI_ViewState.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace vantrel
{
void
Object::remove()
{
    if (auto scene = myScene.lock())
        scene->remove(*this);
    detach();
}

namespace
{
const int theMaxSide = 16384;

void
requireFinite(const char *what, double v)
{
    if (!std::isfinite(v) || std::fabs(v) > 1e30)
        throw std::invalid_argument(std::string(what) + ": expected a finite number, got " +
                                    std::to_string(v));
}

bool
boxIsFinite(const UT_BoundingBox &box)
{
    for (int axis = 0; axis < 3; ++axis)
        if (!std::isfinite(box(axis, 1) - box(axis, 0)) || box(axis, 1) < box(axis, 0))
            return false;
    return true;
}

std::string
readWholeFile(const std::string &path)
{
    UT_IFStream probe;
    if (!probe.open(path.c_str()))
        throw FileError(path, "cannot read \"" + path + "\": it " + probe.getOpenError());
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof())
        throw FileError(path, "cannot read \"" + path + "\"");
    return text.str();
}

void
requireReadable(const std::string &what, const std::string &path)
{
    const std::string reason = UTcheckReadableFile(path.c_str());
    if (!reason.empty())
        throw FileError(path, what + ": cannot read \"" + path + "\": it " + reason);
}

void
saveText(const std::string &path, const std::string &text)
{
    std::string error;
    if (!UTsaveFileSafely(path, text, &error))
        throw FileError(path, "cannot write \"" + path + "\": " + error);
}

// Which element a row count of per-element data belongs to: the points or
// the polygon corners (vertices).
GB_AttribOwner
ownerOfRows(const char *what, size_t rows, size_t points, size_t vertices)
{
    if (rows == points)
        return GB_ATTRIB_POINT;
    if (rows == vertices)
        return GB_ATTRIB_VERTEX;
    throw std::invalid_argument(std::string(what) + ": " + std::to_string(rows) +
                                " rows, expected " + std::to_string(points) +
                                " (one per point) or " + std::to_string(vertices) +
                                " (one per polygon corner)");
}

void
requireFiniteFloats(const char *what, const double *values, size_t count, int tuple)
{
    for (size_t i = 0; i < count; ++i)
        if (!std::isfinite(float(values[i])))
            throw std::invalid_argument(std::string(what) + ": row " +
                                        std::to_string(i / size_t(tuple)) +
                                        " holds a value that is not a finite number");
}
} // namespace

Viewport::Viewport(int width, int height, int samples) : myWidth(width), myHeight(height)
{
    if (samples != 1 && samples != 2 && samples != 4 && samples != 8)
        throw std::invalid_argument("samples: expected 1, 2, 4 or 8, got " + std::to_string(samples));
    if (width < 1 || width > theMaxSide)
        throw std::invalid_argument("width: expected 1 to " + std::to_string(theMaxSide) +
                                    " pixels, got " + std::to_string(width));
    if (height < 1 || height > theMaxSide)
        throw std::invalid_argument("height: expected 1 to " + std::to_string(theMaxSide) +
                                    " pixels, got " + std::to_string(height));
    auto scene = std::make_shared<SceneData>();
    scene->context = std::make_unique<RE_OffscreenContext>(width, height, samples);
    if (!scene->context->isValid())
        throw std::runtime_error("cannot make an offscreen context: " +
                                 scene->context->getError());
    myParts = std::make_unique<Parts>();
    myParts->scene = std::move(scene);
    myParts->look = std::make_unique<GUI_SceneLook>(new GUI_ViewRender3D, &myParts->state);
}

Viewport::Viewport(std::shared_ptr<SceneData> scene, int width, int height)
    : myWidth(width), myHeight(height), myUV(true)
{
    myParts = std::make_unique<Parts>();
    myParts->scene = std::move(scene);
    myParts->look = std::make_unique<GUI_SceneLook>(new GUI_ViewRender2D, &myParts->state);
    myParts->homeAxis = GUI_ViewParameter::GUI_HOME_FRONT;
}

Viewport::~Viewport()
{
    close();
}

void
Viewport::close()
{
    if (!myParts)
        return;
    makeCurrent();
    // The look releases what it drew while the context lives; the scene
    // (and with it the context) goes last, when no other view holds it.
    myParts->look.reset();
    myParts.reset();
}

bool
Viewport::closed() const
{
    return !myParts;
}

Viewport::Parts &
Viewport::live() const
{
    if (!myParts)
        throw std::runtime_error("the viewport is closed");
    return *myParts;
}

void
Viewport::makeCurrent() const
{
    live().scene->context->makeCurrent();
}

void
Viewport::loadView() const
{
    Parts &p = live();
    GUI_ViewParameter &cam = p.state.getViewParameterRef();
    RE_Render *r = p.scene->context->getRender();
    cam.setViewport(r, 0, 0, short(myWidth), short(myHeight));
    cam.setView(0, 0, short(myWidth), short(myHeight));
    cam.setProjection(r);
}

// ---- Objects

std::shared_ptr<Object>
Viewport::adopt(const std::string &name, std::unique_ptr<GU_Detail> gdp)
{
    Parts &p = live();
    GU_DetailHandle handle(gdp.release());
    std::shared_ptr<Object> object(new Object(p.scene, name, handle));
    p.scene->objects.push_back(object);
    return object;
}

std::shared_ptr<Object>
Viewport::addMesh(const MeshArrays &mesh, const std::string &name)
{
    live();
    // Everything is checked before anything is built.
    if (mesh.pointCount > size_t(INT_MAX / 3))
        throw std::invalid_argument("points: too many points (" +
                                    std::to_string(mesh.pointCount) + ")");
    if (mesh.pointCount > 0 && !mesh.points)
        throw std::invalid_argument("points: no data");
    requireFiniteFloats("points", mesh.points, mesh.pointCount * 3, 3);

    if (mesh.indexCount > size_t(INT_MAX))
        throw std::invalid_argument("polygons: too many corners");
    if (mesh.indexCount > 0 && !mesh.indices)
        throw std::invalid_argument("polygons: no data");
    size_t polygons = 0;
    if (mesh.fixedCount != 0)
    {
        if (mesh.fixedCount != 3 && mesh.fixedCount != 4)
            throw std::invalid_argument("polygons: expected 3 or 4 corners a polygon, got " +
                                        std::to_string(mesh.fixedCount));
        if (mesh.indexCount % size_t(mesh.fixedCount) != 0)
            throw std::invalid_argument("polygons: " + std::to_string(mesh.indexCount) +
                                        " corners do not make polygons of " +
                                        std::to_string(mesh.fixedCount));
        polygons = mesh.indexCount / size_t(mesh.fixedCount);
    }
    else
    {
        if (mesh.polygonCount > 0 && !mesh.counts)
            throw std::invalid_argument("counts: no data");
        size_t total = 0;
        for (size_t i = 0; i < mesh.polygonCount; ++i)
        {
            const int64_t c = mesh.counts[i];
            if (c < 3 || c > INT_MAX)
                throw std::invalid_argument("counts: polygon " + std::to_string(i) + " has " +
                                            std::to_string(c) +
                                            " corners; a polygon needs at least 3");
            total += size_t(c);
            if (total > mesh.indexCount)
                break;
        }
        if (total != mesh.indexCount)
            throw std::invalid_argument("counts: they add up to " + std::to_string(total) +
                                        " corners" + (total > mesh.indexCount ? " or more" : "") +
                                        " but polygons holds " +
                                        std::to_string(mesh.indexCount));
        polygons = mesh.polygonCount;
    }
    for (size_t i = 0; i < mesh.indexCount; ++i)
        if (mesh.indices[i] < 0 || uint64_t(mesh.indices[i]) >= mesh.pointCount)
            throw std::invalid_argument("polygons: corner " + std::to_string(i) +
                                        " names point " + std::to_string(mesh.indices[i]) +
                                        ", outside 0 to " +
                                        std::to_string(int64_t(mesh.pointCount) - 1));
    GB_AttribOwner uvOwner = GB_ATTRIB_POINT, normalOwner = GB_ATTRIB_POINT;
    if (mesh.uvs)
    {
        uvOwner = ownerOfRows("uvs", mesh.uvRows, mesh.pointCount, mesh.indexCount);
        requireFiniteFloats("uvs", mesh.uvs, mesh.uvRows * 2, 2);
    }
    if (mesh.normals)
    {
        normalOwner = ownerOfRows("normals", mesh.normalRows, mesh.pointCount, mesh.indexCount);
        requireFiniteFloats("normals", mesh.normals, mesh.normalRows * 3, 3);
    }

    auto gdp = std::make_unique<GU_Detail>();
    if (mesh.pointCount > 0)
    {
        gdp->appendPoints(int(mesh.pointCount));
        float *pos = gdp->editPositions();
        for (size_t i = 0; i < mesh.pointCount * 3; ++i)
            pos[i] = float(mesh.points[i]);
    }
    std::vector<int> corners;
    size_t at = 0;
    for (size_t prim = 0; prim < polygons; ++prim)
    {
        const size_t n = mesh.fixedCount ? size_t(mesh.fixedCount) : size_t(mesh.counts[prim]);
        corners.assign(mesh.indices + at, mesh.indices + at + n);
        gdp->appendPolygon(corners.data(), int(n));
        at += n;
    }
    auto fill = [&gdp](GB_AttribOwner owner, const char *attrib, int tuple, const double *values,
                       size_t rows) {
        GB_Attribute *a = gdp->addFloatAttrib(owner, attrib, tuple);
        float *out = a->getFloatData();
        for (size_t i = 0; i < rows * size_t(tuple); ++i)
            out[i] = float(values[i]);
    };
    if (mesh.uvs)
        fill(uvOwner, "uv", 2, mesh.uvs, mesh.uvRows);
    if (mesh.normals)
        fill(normalOwner, "N", 3, mesh.normals, mesh.normalRows);
    return adopt(name, std::move(gdp));
}

namespace
{
// The named parts of a mesh file; FileError when it cannot be read.
std::vector<GU_MeshPart>
readParts(const std::string &path)
{
    std::vector<GU_MeshPart> parts;
    std::string error;
    if (!GU_Detail::loadParts(path.c_str(), parts, &error))
        throw FileError(path, error);
    return parts;
}
} // namespace

std::shared_ptr<Object>
Viewport::loadMesh(const std::string &path)
{
    live();
    requireReadable("path", path);
    std::vector<GU_MeshPart> parts = readParts(path);
    if (parts.size() > 1)
    {
        std::string names;
        for (size_t i = 0; i < parts.size() && i < 3; ++i)
            names += (i ? ", \"" : "\"") + parts[i].name + "\"";
        throw std::invalid_argument("path: " + path + " holds " + std::to_string(parts.size()) +
                                    " parts (" + names + (parts.size() > 3 ? ", ..." : "") +
                                    "); loadMeshes (load_meshes in Python) adds each as an object");
    }
    return adopt(parts[0].name.empty() ? "mesh" : parts[0].name, std::move(parts[0].detail));
}

std::vector<std::shared_ptr<Object>>
Viewport::loadMeshes(const std::string &path)
{
    live();
    requireReadable("path", path);
    std::vector<GU_MeshPart> parts = readParts(path);
    std::vector<std::shared_ptr<Object>> objects;
    for (GU_MeshPart &part : parts)
        objects.push_back(adopt(part.name.empty() ? "mesh" : part.name, std::move(part.detail)));
    return objects;
}

std::shared_ptr<Object>
Viewport::addBox(double sx, double sy, double sz, const std::string &name)
{
    live();
    requireFinite("size", sx);
    requireFinite("size", sy);
    requireFinite("size", sz);
    auto gdp = std::make_unique<GU_Detail>();
    gdp->buildBox(UT_Vector3(float(sx), float(sy), float(sz)));
    return adopt(name, std::move(gdp));
}

std::shared_ptr<Object>
Viewport::addSphere(double radius, int rows, int cols, const std::string &name)
{
    live();
    requireFinite("radius", radius);
    if (rows < 2 || rows > 4096 || cols < 3 || cols > 4096)
        throw std::invalid_argument("rows, cols: expected 2 to 4096 rows and 3 to 4096 columns");
    auto gdp = std::make_unique<GU_Detail>();
    gdp->buildSphere(float(radius), rows, cols);
    return adopt(name, std::move(gdp));
}

std::shared_ptr<Object>
Viewport::addTorus(double ring, double tube, int rows, int cols, const std::string &name)
{
    live();
    requireFinite("ring", ring);
    requireFinite("tube", tube);
    if (rows < 3 || rows > 4096 || cols < 3 || cols > 4096)
        throw std::invalid_argument("rows, cols: expected 3 to 4096 of each");
    auto gdp = std::make_unique<GU_Detail>();
    gdp->buildTorus(float(ring), float(tube), rows, cols);
    return adopt(name, std::move(gdp));
}

std::vector<std::shared_ptr<Object>>
Viewport::objects() const
{
    return live().scene->objects;
}

// ---- Camera

void
Viewport::home(const std::string &axisName)
{
    Parts &p = live();
    GUI_ViewParameter::axis axis;
    if (!homeAxisFromName(axisName, axis))
        throw std::invalid_argument("axis: unknown \"" + axisName +
                                    "\"; expected threequarter, custom, x, y, z, front, right, "
                                    "top, back, left or bottom");
    makeCurrent();
    UT_BoundingBox bounds;
    if (myUV)
    {
        // Texture space: the unit square, seen from the front, flat.
        bounds = UT_BoundingBox(0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f);
        p.state.setOrthoFlag(1);
    }
    else
    {
        // The boxes the looks report under the options (guides count only
        // while shown).
        GUI_DetailLook::setGlobalDispOption(p.state.getDisplayOptionRef());
        bool any = false;
        for (const auto &object : p.scene->objects)
        {
            UT_BoundingBox box;
            if (object->look().getBoundingBox3D(box, nullptr))
            {
                bounds.enlargeBounds(box);
                any = true;
            }
        }
        if (!any || !boxIsFinite(bounds))
            bounds = UT_BoundingBox(-1.0f, 1.0f, -1.0f, 1.0f, -1.0f, 1.0f);
    }
    UT_Matrix3 rot;
    p.state.getViewParameterRef().homeRotation(axis, rot);
    UT_BoundingBox framed = boxInFrame(bounds, rot);
    const GUI_ViewState before = p.state;
    p.state.homeToBox(short(myWidth), short(myHeight), framed, &rot, false, false);
    if (!cameraIsFinite(p.state.getViewParameterRef()))
    {
        p.state = before;
        throw std::runtime_error("home: the scene is too large to frame");
    }
    p.homed = true;
    p.homeAxis = myUV ? GUI_ViewParameter::GUI_HOME_FRONT : axis;
    loadView();
}

void
Viewport::ensureHomed()
{
    if (!live().homed)
        home(myUV ? "front" : "threequarter");
}

void
Viewport::tumble(double dx, double dy)
{
    requireFinite("dx", dx);
    requireFinite("dy", dy);
    ensureHomed();
    loadView();
    live().state.dotumble(float(dx), float(dy), 1);
    loadView();
}

void
Viewport::dolly(double d)
{
    requireFinite("d", d);
    ensureHomed();
    loadView();
    live().state.dolly(float(d));
    loadView();
}

void
Viewport::zoom(double d)
{
    requireFinite("d", d);
    ensureHomed();
    loadView();
    GUI_ViewState &state = live().state;
    state.zoom(float(d), state.getOrthoFlag() ? GUI_ViewParameter::GUI_ZOOM_ORTHO_WIDTH
                                              : GUI_ViewParameter::GUI_ZOOM_WINDOW);
    loadView();
}

void
Viewport::boxZoom(int x0, int y0, int x1, int y1)
{
    auto inside = [](const char *what, int v, int side) {
        if (v < 0 || v >= side)
            throw std::invalid_argument(std::string(what) + ": " + std::to_string(v) +
                                        " is outside the frame (0 to " +
                                        std::to_string(side - 1) + ")");
    };
    inside("x0", x0, myWidth);
    inside("x1", x1, myWidth);
    inside("y0", y0, myHeight);
    inside("y1", y1, myHeight);
    if (x0 == x1 || y0 == y1)
        throw std::invalid_argument("box_zoom: the box has no area");
    ensureHomed();
    loadView();
    // The camera counts rows from the bottom.
    live().state.boxZoom(short(x0), short(myHeight - 1 - y0), short(x1),
                         short(myHeight - 1 - y1));
    loadView();
}

void
Viewport::pan(double dx, double dy)
{
    requireFinite("dx", dx);
    requireFinite("dy", dy);
    ensureHomed();
    loadView();
    Parts &p = live();
    p.state.scroll(p.scene->context->getRender(), float(dx), float(dy));
    loadView();
}

bool
Viewport::ortho() const
{
    return live().state.getOrthoFlag() != 0;
}

void
Viewport::setOrtho(bool on)
{
    live().state.setOrthoFlag(on ? 1 : 0);
}

double
Viewport::nearDistance() const
{
    return live().state.getViewParameterRef().getNear();
}

double
Viewport::farDistance() const
{
    return live().state.getViewParameterRef().getFar();
}

void
Viewport::setLimits(double nearDist, double farDist)
{
    Parts &p = live();
    requireFinite("near", nearDist);
    requireFinite("far", farDist);
    if (!(nearDist > 0.0))
        throw std::invalid_argument("near: expected a distance above 0, got " +
                                    std::to_string(nearDist));
    if (!(farDist > nearDist))
        throw std::invalid_argument("far: " + std::to_string(farDist) +
                                    " is not beyond near " + std::to_string(nearDist));
    for (int i = 0; i < 3; ++i)
        p.state.getViewParameter(GUI_ViewState::GUI_ViewType(i))
            .setLimits(float(nearDist), float(farDist));
}

std::string
Viewport::cameraText() const
{
    std::ostringstream out;
    live().state.getViewParameterRef().save(out, '\n');
    return out.str();
}

void
Viewport::setCameraText(const std::string &text)
{
    Parts &p = live();
    // The block's reader passes over what it does not know: text without
    // a single camera entry would load as the default camera.
    bool entry = false;
    {
        std::istringstream words(text);
        std::string previous;
        for (std::string word; !entry && words >> word; previous = word)
            entry = word == "(" && isCameraKeyword(previous);
    }
    if (!entry)
        throw std::invalid_argument("camera text: holds no camera entry");
    GUI_ViewParameter cam = p.state.getViewParameterRef();
    UT_IStream is(text);
    if (!cam.load(is))
        throw std::invalid_argument("camera text: cannot be read as a camera");
    p.state.getViewParameterRef() = cam;
    p.state.syncViewsWithMain();
    p.homed = true;
}

void
Viewport::saveCamera(const std::string &path) const
{
    saveText(path, cameraText());
}

void
Viewport::loadCamera(const std::string &path)
{
    live();
    const std::string text = readWholeFile(path);
    try
    {
        setCameraText(text);
    }
    catch (const std::invalid_argument &)
    {
        throw FileError(path, "\"" + path + "\" holds no camera that can be read");
    }
}

// ---- Display options

std::string
Viewport::shading() const
{
    const GR_ShadingMode mode = live().state.getDisplayOptionRef()[GUI_NON_SELECTED].shadingMode();
    return shadingName(mode);
}

void
Viewport::setShading(const std::string &mode)
{
    Parts &p = live();
    const int found = shadingFromName(mode);
    if (found >= 0)
    {
        GUI_DisplayOption &options = p.state.getDisplayOptionRef();
        options[GUI_NON_SELECTED].shadingMode(GR_ShadingMode(found));
        options[GUI_SELECTED].shadingMode(GR_ShadingMode(found));
        return;
    }
    throw std::invalid_argument("shading: unknown \"" + mode +
                                "\"; expected box, wire, hidden, flat, flatwire, smooth or "
                                "smoothwire");
}

std::vector<std::string>
Viewport::optionKeywords()
{
    std::vector<std::string> out;
    for (const GUI_DisplayOption::FlagKeyword *row = GUI_DisplayOption::flagKeywords();
         row->keyword; ++row)
        out.emplace_back(row->keyword);
    return out;
}

namespace
{
const GUI_DisplayOption::FlagKeyword &
flagRow(const std::string &keyword)
{
    for (const GUI_DisplayOption::FlagKeyword *row = GUI_DisplayOption::flagKeywords();
         row->keyword; ++row)
        if (keyword == row->keyword)
            return *row;
    throw std::invalid_argument("option: unknown viewport flag \"" + keyword + "\"");
}
} // namespace

bool
Viewport::option(const std::string &keyword) const
{
    const GUI_DisplayOption &options = live().state.getDisplayOptionRef();
    return (options.*flagRow(keyword).get)();
}

void
Viewport::setOption(const std::string &keyword, bool on)
{
    GUI_DisplayOption &options = live().state.getDisplayOptionRef();
    (options.*flagRow(keyword).set)(on);
}

std::string
Viewport::optionsText() const
{
    std::ostringstream out;
    live().state.getDisplayOptionRef().save(out);
    return out.str();
}

std::array<double, 3>
Viewport::background() const
{
    float r = 0, g = 0, b = 0;
    live().state.getDisplayOptionRef().common().backgroundColor().getRGB(&r, &g, &b);
    return {double(r), double(g), double(b)};
}

void
Viewport::setBackground(double r, double g, double b)
{
    GUI_DisplayOption &options = live().state.getDisplayOptionRef();
    for (double c : {r, g, b})
        if (!(c >= 0.0 && c <= 1.0))
            throw std::invalid_argument("background: expected channels from 0 to 1, got " +
                                        std::to_string(c));
    options.common().backgroundColor().setRGB(float(r), float(g), float(b));
}

void
Viewport::setBackgroundImage(const std::string &path)
{
    GUI_DisplayOption &options = live().state.getDisplayOptionRef();
    if (path.empty())
    {
        options.drawBackgrounds(false);
        options.getRotoscopeData().setFileName("");
        return;
    }
    requireReadable("background_image", path);
    options.getRotoscopeData().setFileName(UTabsolutePath(path).c_str());
    options.drawBackgrounds(true);
}

std::string
Viewport::backgroundImage() const
{
    return live().state.getDisplayOptionRef().getRotoscopeData().getFileName();
}

void
Viewport::setSnapshot(const std::string &path, double alpha)
{
    Parts &p = live();
    if (!(alpha >= 0.0 && alpha <= 1.0))
        throw std::invalid_argument("alpha: expected 0 to 1, got " + std::to_string(alpha));
    if (path.empty())
    {
        p.state.setSnapshotImage(nullptr);
        p.hasSnapshot = false;
        return;
    }
    requireReadable("snapshot", path);
    TIL_TextureMap image;
    std::string error;
    if (!TILreadPNG(path.c_str(), image, error))
        throw FileError(path, "snapshot: " + error);
    p.snapshot = std::move(image);
    p.state.setSnapshotImage(&p.snapshot);
    p.state.setSnapshotAlpha(float(alpha));
    p.hasSnapshot = true;
}

double
Viewport::snapshotAlpha() const
{
    return live().state.getSnapshotAlpha();
}

void
Viewport::setSnapshotAlpha(double alpha)
{
    if (!(alpha >= 0.0 && alpha <= 1.0))
        throw std::invalid_argument("alpha: expected 0 to 1, got " + std::to_string(alpha));
    live().state.setSnapshotAlpha(float(alpha));
}

void
Viewport::savePrefs(const std::string &path) const
{
    std::ostringstream out;
    if (!live().state.saveDefaultSettings(out, nullptr))
        throw std::runtime_error("cannot write the settings of \"" + path + "\"");
    saveText(path, out.str());
}

void
Viewport::loadPrefs(const std::string &path)
{
    Parts &p = live();
    UT_IFStream in;
    if (!in.open(path.c_str()))
        throw FileError(path, "cannot read \"" + path + "\": it " + in.getOpenError());
    // Read into a copy: a file that fails half way changes nothing.
    GUI_ViewState copy = p.state;
    std::string failed;
    if (!copy.loadDefaultSettings(in, nullptr, &failed))
        throw FileError(path, "cannot read \"" + path + "\"" +
                                  (failed.empty() ? std::string() : ": bad entry \"" + failed + "\""));
    p.state = copy;
    if (p.hasSnapshot)
        p.state.setSnapshotImage(&p.snapshot);
}

// ---- Frames

double
Viewport::drawFrame()
{
    Parts &p = live();
    makeCurrent();
    ensureHomed();
    loadView();
    RE_Render *r = p.scene->context->getRender();
    GUI_SceneLook &look = *p.look;
    const short w = short(myWidth), h = short(myHeight);

    r->resetFrameStats();
    const auto start = std::chrono::steady_clock::now();
    // The look paints the background colour only: the depth of the last
    // frame is cleared here, inside the viewport.
    look.setView(r, 0, 0, w, h);
    r->clearZ();
    composeSceneFrame(look, SceneObjects(p.scene->objects), r, w, h, p.homeAxis, myUV);
    // Wait for the drawing so the time is what the frame cost.
    r->flush(1);
    p.stats = r->getFrameStats();
    p.stats.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    return p.stats.milliseconds;
}

std::vector<uint8_t>
Viewport::render()
{
    drawFrame();
    std::vector<uint8_t> pixels = live().scene->context->readPixels();
    if (pixels.size() != size_t(myWidth) * size_t(myHeight) * 4)
        throw std::runtime_error("cannot read the frame back from the context");
    return pixels;
}

void
Viewport::savePNG(const std::string &path)
{
    render();
    if (!live().scene->context->writePNG(path.c_str()))
        throw FileError(path, "cannot write \"" + path + "\"");
}

std::vector<PickRecord>
Viewport::pick(int x, int y, int w, int h)
{
    Parts &p = live();
    if (x < 0 || x >= myWidth)
        throw std::invalid_argument("x: " + std::to_string(x) + " is outside the frame (0 to " +
                                    std::to_string(myWidth - 1) + ")");
    if (y < 0 || y >= myHeight)
        throw std::invalid_argument("y: " + std::to_string(y) + " is outside the frame (0 to " +
                                    std::to_string(myHeight - 1) + ")");
    if (w < 1)
        throw std::invalid_argument("w: expected at least 1, got " + std::to_string(w));
    if (h < 1)
        throw std::invalid_argument("h: expected at least 1, got " + std::to_string(h));
    // A region reaching past the frame is cut at its edges.
    w = std::min(w, myWidth - x);
    h = std::min(h, myHeight - y);

    makeCurrent();
    ensureHomed();
    loadView();
    RE_Render *r = p.scene->context->getRender();

    const SceneObjects objects(p.scene->objects);
    std::vector<PickRecord> records;
    for (const PickHit &hit : pickHits(objects, *p.look, r, x, y, w, h, myUV))
    {
        PickRecord record;
        record.depth = hit.depth;
        if (hit.object >= 0)
            record.object = objects.object(size_t(hit.object));
        record.handle = hit.handle;
        record.primitive = hit.prim;
        records.push_back(record);
    }
    return records;
}

FrameStats
Viewport::stats() const
{
    return live().stats;
}

std::unique_ptr<Viewport>
Viewport::uvView()
{
    Parts &p = live();
    std::unique_ptr<Viewport> uv(new Viewport(p.scene, myWidth, myHeight));
    // Vertex uvs when an object has them, else point uvs, as long as the
    // options detect the kind.
    GUI_DisplayOption &options = uv->live().state.getDisplayOptionRef();
    if (options.autoDetectAttribType2D())
    {
        auto has = [&p](bool vertex) {
            for (const auto &object : p.scene->objects)
            {
                GU_DetailHandle handle = object->look().getDetailHandle(0);
                const GU_Detail *gdp = handle.readLock();
                const bool found =
                    gdp && gdp->findTextureAttribute(vertex ? GB_ATTRIB_VERTEX : GB_ATTRIB_POINT) >= 0;
                handle.unlock(gdp);
                if (found)
                    return true;
            }
            return false;
        };
        options.drawVertexAttrib2D(has(true) || !has(false));
    }
    return uv;
}
} // namespace vantrel
