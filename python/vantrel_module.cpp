// The Python module "vantrel": headless viewports over the viewport library,
// with numpy arrays in and out.

#include "facade/FileError.h"
#include "facade/Viewport.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cerrno>
#include <cmath>
#include <optional>

namespace py = pybind11;
using vantrel::Object;
using vantrel::Viewport;

namespace
{
// The 3D viewport and the texture-space view made from it are both this
// class in Python; the uv view keeps its parent alive through pybind11's
// keep_alive, so the shared objects outlive neither.

// An array argument as a C-contiguous array of T, refusing what is not a
// number of the right kind (kind: 'f' floats, 'i' integers) by name.
template <typename T>
py::array_t<T, py::array::c_style>
asArray(const char *what, const py::handle &obj, const char *kinds)
{
    py::array arr;
    try
    {
        arr = py::array::ensure(obj);
    }
    catch (const py::error_already_set &)
    {
    }
    if (!arr)
        throw py::type_error(std::string(what) + ": expected a numpy array or a sequence of numbers");
    const char kind = arr.dtype().kind();
    if (std::string(kinds).find(kind) == std::string::npos)
        throw py::type_error(std::string(what) + ": expected " +
                             (std::string(kinds) == "f" || std::string(kinds) == "fiu"
                                  ? "numbers"
                                  : "integers") +
                             ", got an array of dtype " + py::str(arr.dtype()).cast<std::string>());
    return py::array_t<T, py::array::c_style>::ensure(arr);
}

// Rows of `columns` numbers: an N x columns array (or a flat array of
// N * columns numbers when flatOk).
py::array_t<double, py::array::c_style>
rowsOf(const char *what, const py::handle &obj, py::ssize_t columns)
{
    auto arr = asArray<double>(what, obj, "fiu");
    if (arr.ndim() != 2 || arr.shape(1) != columns)
        throw py::value_error(std::string(what) + ": expected an N x " + std::to_string(columns) +
                              " array, got shape " + py::str(arr.attr("shape")).cast<std::string>());
    return arr;
}

vantrel::MeshArrays
meshArrays(const py::object &points, const py::object &polygons, const py::object &counts,
           const py::object &uvs, const py::object &normals,
           std::vector<py::object> &keep)
{
    vantrel::MeshArrays mesh;
    auto p = rowsOf("points", points, 3);
    keep.push_back(p);
    mesh.points = p.data();
    mesh.pointCount = size_t(p.shape(0));

    auto idx = asArray<int64_t>("polygons", polygons, "iu");
    keep.push_back(idx);
    mesh.indices = idx.data();
    mesh.indexCount = size_t(idx.size());
    if (counts.is_none())
    {
        if (idx.ndim() != 2 || (idx.shape(1) != 3 && idx.shape(1) != 4))
            throw py::value_error("polygons: expected an M x 3 or M x 4 array (or a flat array "
                                  "with counts), got shape " +
                                  py::str(idx.attr("shape")).cast<std::string>());
        mesh.fixedCount = int(idx.shape(1));
    }
    else
    {
        if (idx.ndim() != 1)
            throw py::value_error("polygons: with counts, expected a flat index array, got shape " +
                                  py::str(idx.attr("shape")).cast<std::string>());
        auto c = asArray<int64_t>("counts", counts, "iu");
        if (c.ndim() != 1)
            throw py::value_error("counts: expected a flat array, got shape " +
                                  py::str(c.attr("shape")).cast<std::string>());
        keep.push_back(c);
        mesh.fixedCount = 0;
        mesh.counts = c.data();
        mesh.polygonCount = size_t(c.size());
    }
    if (!uvs.is_none())
    {
        auto u = rowsOf("uvs", uvs, 2);
        keep.push_back(u);
        mesh.uvs = u.data();
        mesh.uvRows = size_t(u.shape(0));
    }
    if (!normals.is_none())
    {
        auto n = rowsOf("normals", normals, 3);
        keep.push_back(n);
        mesh.normals = n.data();
        mesh.normalRows = size_t(n.shape(0));
    }
    return mesh;
}

std::array<double, 16>
matrixOf(const py::handle &obj)
{
    auto m = asArray<double>("transform", obj, "fiu");
    if (m.ndim() != 2 || m.shape(0) != 4 || m.shape(1) != 4)
        throw py::value_error("transform: expected a 4 x 4 array, got shape " +
                              py::str(m.attr("shape")).cast<std::string>());
    std::array<double, 16> out{};
    for (size_t i = 0; i < 16; ++i)
        out[i] = m.data()[i];
    return out;
}

// The frame handed to numpy without a copy: the pixel vector moves to the
// heap and a capsule owns it for as long as the array lives.
py::array_t<uint8_t>
frameArray(std::vector<uint8_t> &&pixels, int width, int height)
{
    auto *owned = new std::vector<uint8_t>(std::move(pixels));
    py::capsule owner(owned, [](void *p) { delete static_cast<std::vector<uint8_t> *>(p); });
    return py::array_t<uint8_t>({py::ssize_t(height), py::ssize_t(width), py::ssize_t(4)},
                                {py::ssize_t(width) * 4, py::ssize_t(4), py::ssize_t(1)},
                                owned->data(), owner);
}

// Option names as keys of viewport.options.
struct Options
{
    Viewport *viewport;
};

// The camera of a viewport as its own Python object.
struct Camera
{
    Viewport *viewport;
};

std::string
pathOf(const py::object &path)
{
    return py::str(py::module_::import("os").attr("fspath")(path)).cast<std::string>();
}
} // namespace

PYBIND11_MODULE(vantrel, m)
{
    m.doc() = "Headless 3D and texture-space viewports: build a scene from numpy arrays or "
              "OBJ files, render frames to numpy arrays or PNG files, pick objects.";

    // FileError: FileNotFoundError when the file is missing, else OSError,
    // with the file name set.
    py::register_exception_translator([](std::exception_ptr p) {
        try
        {
            if (p)
                std::rethrow_exception(p);
        }
        catch (const vantrel::FileError &e)
        {
            const bool missing = std::string(e.what()).find("does not exist") != std::string::npos ||
                                 std::string(e.what()).find("no such") != std::string::npos;
            py::object cls = missing ? py::module_::import("builtins").attr("FileNotFoundError")
                                     : py::module_::import("builtins").attr("OSError");
            py::object err = cls(missing ? ENOENT : EIO, std::string(e.what()), e.path());
            PyErr_SetObject(cls.ptr(), err.ptr());
        }
    });

    py::class_<Object, std::shared_ptr<Object>>(m, "Object",
        "One object of a viewport: a mesh with a name, a 4 x 4 transform and flags. "
        "Made by Viewport.add_mesh, load_mesh and the shape builders.")
        .def_property("name", &Object::name, &Object::setName, "The object's name.")
        .def_property(
            "transform",
            [](const Object &o) {
                const auto v = o.transform();
                py::array_t<double> out({4, 4});
                std::copy(v.begin(), v.end(), out.mutable_data());
                return out;
            },
            [](Object &o, const py::object &value) { o.setTransform(matrixOf(value)); },
            "4 x 4 float64 matrix in row-vector convention: a point p moves to p @ M, so the "
            "translation is the last row.")
        .def_property("selected", &Object::selected, &Object::setSelected,
                      "Drawn in the selected colour with wider lines.")
        .def_property("templated", &Object::templated, &Object::setTemplated,
                      "Drawn as a template (dimmed, not picked).")
        .def_property("ghosted", &Object::ghosted, &Object::setGhosted, "Drawn ghosted.")
        .def_property("visible", &Object::visible, &Object::setVisible, "Drawn and picked at all.")
        .def_property_readonly("alive", &Object::alive,
                               "False once removed or once its viewport closed.")
        .def_property_readonly("point_count", &Object::pointCount)
        .def_property_readonly("primitive_count", &Object::primitiveCount)
        .def("remove", &Object::remove, "Takes the object out of its viewport.")
        .def("__repr__", [](const Object &o) {
            return "<vantrel.Object " + py::repr(py::str(o.name())).cast<std::string>() +
                   (o.alive() ? "" : " (removed)") + ">";
        });

    py::class_<vantrel::PickRecord>(m, "PickRecord",
        "One record of a pick: object (or None), handle, primitive (-1 when none) and the "
        "nearest depth from 0 (near) to 1 (far).")
        .def_readonly("object", &vantrel::PickRecord::object)
        .def_readonly("handle", &vantrel::PickRecord::handle)
        .def_readonly("primitive", &vantrel::PickRecord::primitive)
        .def_readonly("depth", &vantrel::PickRecord::depth)
        .def("__repr__", [](const vantrel::PickRecord &r) {
            return "<PickRecord " + (r.object ? r.object->name() : std::string("?")) +
                   " handle " + std::to_string(r.handle) + " primitive " +
                   std::to_string(r.primitive) + " depth " + std::to_string(r.depth) + ">";
        });

    py::class_<vantrel::FrameStats>(m, "FrameStats", "What the last frame sent.")
        .def_readonly("objects_drawn", &vantrel::FrameStats::objectsDrawn)
        .def_readonly("cached_replays", &vantrel::FrameStats::cachedReplays)
        .def_readonly("cache_builds", &vantrel::FrameStats::cacheBuilds)
        .def_readonly("batched_objects", &vantrel::FrameStats::batchedObjects)
        .def_readonly("triangles", &vantrel::FrameStats::trianglesSent)
        .def_readonly("lines", &vantrel::FrameStats::linesSent)
        .def_readonly("milliseconds", &vantrel::FrameStats::milliseconds)
        .def("__repr__", [](const vantrel::FrameStats &s) {
            return "<FrameStats objects " + std::to_string(s.objectsDrawn) + ", triangles " +
                   std::to_string(s.trianglesSent) + ", lines " + std::to_string(s.linesSent) +
                   ", " + std::to_string(s.milliseconds) + " ms>";
        });

    py::class_<Camera>(m, "Camera", "The main camera of a viewport.")
        .def("home", [](Camera &c, const std::string &axis) { c.viewport->home(axis); },
             py::arg("axis") = "threequarter",
             "Frames all objects from an axis: threequarter, custom, x, y, z, front, right, "
             "top, back, left or bottom.")
        .def("tumble", [](Camera &c, double dx, double dy) { c.viewport->tumble(dx, dy); },
             py::arg("dx"), py::arg("dy"), "Tumbles as a drag of dx, dy pixels would.")
        .def("dolly", [](Camera &c, double d) { c.viewport->dolly(d); }, py::arg("d"),
             "Moves the camera in (positive) or out by a drag of d pixels.")
        .def("zoom", [](Camera &c, double d) { c.viewport->zoom(d); }, py::arg("d"),
             "Zooms in (positive) or out by a drag of d pixels.")
        .def("box_zoom",
             [](Camera &c, int x0, int y0, int x1, int y1) { c.viewport->boxZoom(x0, y0, x1, y1); },
             py::arg("x0"), py::arg("y0"), py::arg("x1"), py::arg("y1"),
             "Zooms onto the box between two pixels (top-left origin).")
        .def("pan", [](Camera &c, double dx, double dy) { c.viewport->pan(dx, dy); },
             py::arg("dx"), py::arg("dy"), "Pans by a drag of dx, dy pixels.")
        .def_property("ortho", [](const Camera &c) { return c.viewport->ortho(); },
                      [](Camera &c, bool on) { c.viewport->setOrtho(on); },
                      "Orthographic projection.")
        .def_property("near", [](const Camera &c) { return c.viewport->nearDistance(); },
                      [](Camera &c, double d) { c.viewport->setLimits(d, c.viewport->farDistance()); },
                      "Near clipping distance.")
        .def_property("far", [](const Camera &c) { return c.viewport->farDistance(); },
                      [](Camera &c, double d) { c.viewport->setLimits(c.viewport->nearDistance(), d); },
                      "Far clipping distance.")
        .def_property("text", [](const Camera &c) { return c.viewport->cameraText(); },
                      [](Camera &c, const std::string &t) { c.viewport->setCameraText(t); },
                      "The camera as its text block; setting it loads the block.")
        .def("save", [](const Camera &c, const py::object &path) { c.viewport->saveCamera(pathOf(path)); },
             py::arg("path"), "Writes the camera's text block to a file.")
        .def("load", [](Camera &c, const py::object &path) { c.viewport->loadCamera(pathOf(path)); },
             py::arg("path"), "Reads a camera file written by save (or by vantrel-view).")
        .def("__str__", [](const Camera &c) { return c.viewport->cameraText(); });

    py::class_<Options>(m, "Options",
        "The viewport flags by keyword: options['drawsafearea'] = True.")
        .def("__getitem__", [](const Options &o, const std::string &k) {
            try { return o.viewport->option(k); }
            catch (const std::invalid_argument &e) { throw py::key_error(e.what()); }
        })
        .def("__setitem__", [](Options &o, const std::string &k, bool on) {
            try { o.viewport->setOption(k, on); }
            catch (const std::invalid_argument &e) { throw py::key_error(e.what()); }
        })
        .def("__contains__", [](const Options &, const std::string &k) {
            for (const auto &name : Viewport::optionKeywords())
                if (name == k)
                    return true;
            return false;
        })
        .def("keys", [](const Options &) { return Viewport::optionKeywords(); })
        .def("__iter__", [](const Options &) {
            return py::iter(py::cast(Viewport::optionKeywords()));
        })
        .def("__len__", [](const Options &) { return Viewport::optionKeywords().size(); })
        .def_property_readonly("text", [](const Options &o) { return o.viewport->optionsText(); },
                               "The display options as their text block.")
        .def("__str__", [](const Options &o) { return o.viewport->optionsText(); });

    py::class_<Viewport>(m, "Viewport",
        "A headless viewport of width x height pixels. Use it as a context manager, or call "
        "close() when done; calls on a closed viewport raise RuntimeError.")
        .def(py::init([](int width, int height, int samples) {
                 return std::make_unique<Viewport>(width, height, samples);
             }),
             py::arg("width"), py::arg("height"), py::kw_only(), py::arg("samples") = 1,
             "samples (1, 2, 4 or 8) above 1 draws multisampled frames: smooth edges, the same "
             "picks.")
        .def_property_readonly("width", &Viewport::width)
        .def_property_readonly("height", &Viewport::height)
        .def_property_readonly("is_uv", &Viewport::isUV, "Whether this is a texture-space view.")
        .def_property_readonly("closed", &Viewport::closed)
        .def("close", &Viewport::close, "Releases the context and the objects.")
        .def("__enter__", [](Viewport &v) -> Viewport & {
            if (v.closed())
                throw std::runtime_error("the viewport is closed");
            return v;
        }, py::return_value_policy::reference)
        .def("__exit__", [](Viewport &v, const py::args &) { v.close(); return false; })
        .def(
            "add_mesh",
            [](Viewport &v, const py::object &points, const py::object &polygons,
               const py::object &counts, const py::object &uvs, const py::object &normals,
               const std::optional<std::string> &name, const py::object &transform) {
                std::vector<py::object> keep;
                const vantrel::MeshArrays mesh = meshArrays(points, polygons, counts, uvs, normals, keep);
                std::optional<std::array<double, 16>> m;
                if (!transform.is_none())
                    m = matrixOf(transform);
                for (double value : m.value_or(std::array<double, 16>{}))
                    if (!std::isfinite(float(value)))
                        throw py::value_error("transform: holds a value that is not a finite number");
                std::shared_ptr<Object> object = v.addMesh(
                    mesh, name.value_or("mesh" + std::to_string(v.objects().size())));
                if (m)
                    object->setTransform(*m);
                return object;
            },
            py::arg("points"), py::arg("polygons"), py::arg("counts") = py::none(),
            py::arg("uvs") = py::none(), py::arg("normals") = py::none(),
            py::arg("name") = py::none(), py::arg("transform") = py::none(),
            "Adds a polygon mesh. points: N x 3 floats. polygons: M x 3 or M x 4 integers, or a "
            "flat index array with counts (corners per polygon). uvs (x 2) and normals (x 3): "
            "one row per point or per polygon corner. Everything is checked first; a bad "
            "argument adds nothing.")
        .def("load_mesh", [](Viewport &v, const py::object &path) { return v.loadMesh(pathOf(path)); },
             py::arg("path"),
             "Adds the mesh of an OBJ, PLY, STL or glTF file of one part, named after the file "
             "(a glTF part after its node or mesh). A file of several parts raises ValueError: "
             "use load_meshes.")
        .def("load_meshes",
             [](Viewport &v, const py::object &path) { return v.loadMeshes(pathOf(path)); },
             py::arg("path"),
             "Adds every part of a mesh file as an object of its own and returns them in the "
             "file's order: one per mesh instance of a glTF scene, named after its node (else its "
             "mesh), one for the other formats.")
        .def("add_box",
             [](Viewport &v, std::array<double, 3> size, const std::string &name) {
                 return v.addBox(size[0], size[1], size[2], name);
             },
             py::arg("size") = std::array<double, 3>{1, 1, 1}, py::arg("name") = "box",
             "Adds a box of the given size with normals and uvs.")
        .def("add_sphere", &Viewport::addSphere, py::arg("radius") = 1.0, py::arg("rows") = 12,
             py::arg("cols") = 24, py::arg("name") = "sphere", "Adds a sphere with normals and uvs.")
        .def("add_torus", &Viewport::addTorus, py::arg("ring") = 0.5, py::arg("tube") = 0.2,
             py::arg("rows") = 12, py::arg("cols") = 24, py::arg("name") = "torus",
             "Adds a torus with normals and uvs.")
        .def_property_readonly("objects", &Viewport::objects, "The objects, in drawing order.")
        .def_property_readonly("camera", [](Viewport &v) {
            if (v.closed())
                throw std::runtime_error("the viewport is closed");
            return Camera{&v};
        }, py::keep_alive<0, 1>(), "The main camera.")
        .def_property_readonly("options", [](Viewport &v) {
            if (v.closed())
                throw std::runtime_error("the viewport is closed");
            return Options{&v};
        }, py::keep_alive<0, 1>(), "The viewport flags by keyword.")
        .def_property("shading", &Viewport::shading, &Viewport::setShading,
                      "box, wire, hidden, flat, flatwire, smooth or smoothwire.")
        .def_property("background",
                      [](const Viewport &v) { auto c = v.background(); return py::make_tuple(c[0], c[1], c[2]); },
                      [](Viewport &v, std::array<double, 3> c) { v.setBackground(c[0], c[1], c[2]); },
                      "Background colour as (r, g, b) from 0 to 1.")
        .def_property("background_image", &Viewport::backgroundImage,
                      [](Viewport &v, const py::object &path) {
                          v.setBackgroundImage(path.is_none() ? std::string() : pathOf(path));
                      },
                      "PNG file behind the objects; None turns it off.")
        .def("set_snapshot",
             [](Viewport &v, const py::object &path, double alpha) {
                 v.setSnapshot(path.is_none() ? std::string() : pathOf(path), alpha);
             },
             py::arg("path"), py::arg("alpha") = 0.5,
             "A PNG image drawn over the finished frame at alpha; None removes it.")
        .def_property("snapshot_alpha", &Viewport::snapshotAlpha, &Viewport::setSnapshotAlpha)
        .def("save_prefs", [](const Viewport &v, const py::object &path) { v.savePrefs(pathOf(path)); },
             py::arg("path"), "Writes the display options and clipping as a display.pref file.")
        .def("load_prefs", [](Viewport &v, const py::object &path) { v.loadPrefs(pathOf(path)); },
             py::arg("path"), "Reads a display.pref file; a bad file changes nothing.")
        .def("render",
             [](Viewport &v) { return frameArray(v.render(), v.width(), v.height()); },
             "Renders a frame: uint8 array of height x width x 4 (RGBA), top row first.")
        .def("save_png", [](Viewport &v, const py::object &path) { v.savePNG(pathOf(path)); },
             py::arg("path"), "Renders a frame and writes it as a PNG file.")
        .def("pick", &Viewport::pick, py::arg("x"), py::arg("y"), py::arg("w") = 1,
             py::arg("h") = 1,
             "Pick records of the w x h region whose top left pixel is (x, y), counted from "
             "the top left of the frame.")
        .def_property_readonly("stats", &Viewport::stats, "Statistics of the last frame.")
        .def(
            "show",
            [](Viewport &v, const py::object &script, const py::object &output) {
                const std::string scriptPath = script.is_none() ? std::string() : pathOf(script);
                const std::string outputPath = pathOf(output);
                // The window runs without the GIL: other Python threads go on.
                py::gil_scoped_release unlocked;
                v.show(scriptPath, outputPath);
            },
            py::kw_only(), py::arg("script") = py::none(), py::arg("output") = "vantrel-show.png",
            "Opens an interactive window of the viewport's size on its objects, camera and "
            "display options, and blocks until it is closed (q, Escape or the close button).\n\n"
            "Bindings: left drag tumbles, middle drag pans, right drag dollies, the wheel zooms "
            "about the pointer, shift + left drag zooms to the box, a left click selects the "
            "object under the pointer (only it), space or h homes, 0-6 home from the "
            "three-quarter, front, right, top, back, left or bottom view, g o a f toggle the "
            "grid, origin, safe area and field guide, w switches wire and shaded, i shows the "
            "frame statistics, s writes the frame to output, q or Escape closes. Mesh files "
            "dropped on the window become objects of the viewport, in place of those shown "
            "(r: beside them). A uv_view() pans, zooms and picks uvs "
            "instead (o t b v toggle the uv origin, corner origin, background, vertex uvs).\n\n"
            "What is done in the window stays in the viewport: render() afterwards shows the "
            "same view.\n\n"
            "script: a file of window events, one a line (down X Y [left|middle|right] [shift], "
            "move X Y, up X Y [button], wheel X Y CLICKS, key K, resize W H; positions from the "
            "top left), played first; the window then stays open until a 'key q' in it or the "
            "person closes it.\n"
            "Raises RuntimeError when no window can open (no display), FileNotFoundError or "
            "OSError for a script that cannot be read, ValueError for a bad one.")
        .def("uv_view", &Viewport::uvView, py::keep_alive<0, 1>(),
             "The texture-space view of the same objects, homed on the unit square.")
        .def("_repr_png_", [](Viewport &v) {
            py::object tempfile = py::module_::import("tempfile");
            py::object dir = tempfile.attr("TemporaryDirectory")();
            const std::string path = dir.attr("name").cast<std::string>() + "/frame.png";
            v.savePNG(path);
            py::object f = py::module_::import("builtins").attr("open")(path, "rb");
            py::bytes data = f.attr("read")();
            f.attr("close")();
            dir.attr("cleanup")();
            return data;
        })
        .def("__repr__", [](const Viewport &v) {
            return std::string("<vantrel.Viewport ") + std::to_string(v.width()) + "x" +
                   std::to_string(v.height()) + (v.isUV() ? " uv" : "") +
                   (v.closed() ? " closed" : "") + ">";
        });
}
