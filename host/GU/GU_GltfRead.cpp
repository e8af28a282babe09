// glTF 2.0 files: the JSON form (.gltf, with its buffers in .bin files
// beside it or in base64 data URIs) and the binary form (.glb, a JSON chunk
// and a binary chunk in one file). Every mesh primitive of the default
// scene is placed by the transforms of the nodes above it; each mesh
// instance goes into the geometry the caller's sink gives for its name.
//
// The JSON is parsed whole (it is small beside the data); vertex data is
// never held whole: accessors are read from the file a block at a time
// straight into the geometry, after every range they promise has been
// checked against what the file holds.
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_MeshRead.h"

#include "host/UT/UT_IFStream.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace
{
using Json = nlohmann::json;

// The JSON part of a file is small; more than this is not a mesh file.
const unsigned long long theMaxJson = 64ull << 20;
// Node trees deeper than this are refused rather than walked.
const int theMaxDepth = 64;
// Points, and corners of primitives, that one file may make in all: mesh
// instancing lets a small file promise far more than it holds.
const unsigned long long theMaxElements = 1ull << 27;
// Accessor elements decoded at a time.
const unsigned long long theBlock = 1 << 12;

enum Component
{
    BYTE = 5120,
    UNSIGNED_BYTE = 5121,
    SHORT = 5122,
    UNSIGNED_SHORT = 5123,
    UNSIGNED_INT = 5125,
    FLOAT = 5126
};

// Every refusal carries its reason up to the entry point, which names the
// file and drops what was made.
struct Refusal
{
    std::string why;
};

[[noreturn]] void
refuse(const std::string &why)
{
    throw Refusal{why};
}

std::string
numbered(const char *what, size_t index)
{
    return std::string(what) + " " + std::to_string(index);
}

// Column-major 4x4 matrix as glTF writes it: element (row r, column c) is
// m[c * 4 + r], and points are column vectors multiplied on the right.
using Matrix = std::array<double, 16>;

Matrix
identity()
{
    Matrix m{};
    m[0] = m[5] = m[10] = m[15] = 1.0;
    return m;
}

Matrix
multiply(const Matrix &a, const Matrix &b)
{
    Matrix m{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
        {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + r] * b[c * 4 + k];
            m[c * 4 + r] = sum;
        }
    return m;
}

// Of the upper 3x3, which says whether the transform mirrors.
double
determinant(const Matrix &m)
{
    return m[0] * (m[5] * m[10] - m[9] * m[6]) - m[4] * (m[1] * m[10] - m[9] * m[2]) +
           m[8] * (m[1] * m[6] - m[5] * m[2]);
}

// A byte range of a buffer: a chunk of the .glb, a .bin file, or the bytes
// of a data URI.
struct Source
{
    std::istream *in = nullptr;
    unsigned long long start = 0;
    unsigned long long size = 0;
    std::vector<unsigned char> bytes;
    std::unique_ptr<std::ifstream> file;

    void read(unsigned long long at, size_t n, unsigned char *out) const
    {
        if (!in)
        {
            std::memcpy(out, bytes.data() + at, n);
            return;
        }
        in->clear();
        in->seekg(std::streamoff(start + at));
        in->read(reinterpret_cast<char *>(out), std::streamsize(n));
        if (size_t(in->gcount()) != n)
            refuse("a buffer ends before its declared length (the file changed while read?)");
    }
};

// An accessor's elements as the file lays them out, its ranges checked.
struct View
{
    const Source *source = nullptr; // none: every element is zero
    unsigned long long offset = 0;  // of the first element in the source
    unsigned long long stride = 0;
    unsigned long long count = 0;
    int components = 0;
    int type = FLOAT;
    bool normalized = false;
    size_t elementSize = 0;
};

size_t
componentSize(int type)
{
    switch (type)
    {
    case BYTE:
    case UNSIGNED_BYTE:
        return 1;
    case SHORT:
    case UNSIGNED_SHORT:
        return 2;
    case UNSIGNED_INT:
    case FLOAT:
        return 4;
    }
    return 0;
}

double
component(const unsigned char *p, int type, bool normalized)
{
    switch (type)
    {
    case BYTE:
    {
        const double v = double(int8_t(p[0]));
        return normalized ? std::max(v / 127.0, -1.0) : v;
    }
    case UNSIGNED_BYTE:
        return normalized ? p[0] / 255.0 : p[0];
    case SHORT:
    {
        int16_t v;
        std::memcpy(&v, p, 2);
        return normalized ? std::max(v / 32767.0, -1.0) : v;
    }
    case UNSIGNED_SHORT:
    {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return normalized ? v / 65535.0 : v;
    }
    case UNSIGNED_INT:
    {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    default:
    {
        float v;
        std::memcpy(&v, p, 4);
        return v;
    }
    }
}

// Calls each(i, values) for every element, in order; values holds the
// element's components.
template <typename Each>
void
forEachElement(const View &view, Each each)
{
    double values[4] = {0.0, 0.0, 0.0, 0.0};
    if (!view.source)
    {
        for (unsigned long long i = 0; i < view.count; ++i)
            each(i, values);
        return;
    }
    const size_t csize = componentSize(view.type);
    std::vector<unsigned char> block;
    for (unsigned long long first = 0; first < view.count; first += theBlock)
    {
        const unsigned long long n = std::min(theBlock, view.count - first);
        block.resize(size_t((n - 1) * view.stride + view.elementSize));
        view.source->read(view.offset + first * view.stride, block.size(), block.data());
        for (unsigned long long i = 0; i < n; ++i)
        {
            const unsigned char *p = block.data() + i * view.stride;
            for (int c = 0; c < view.components; ++c)
                values[c] = component(p + size_t(c) * csize, view.type, view.normalized);
            each(first + i, values);
        }
    }
}

// Puts the primitives of one mode together from a run of point numbers.
class Assembler
{
public:
    Assembler(GU_Detail &gdp, int mode, bool flip) : myGdp(gdp), myMode(mode), myFlip(flip) {}

    void add(int point)
    {
        switch (myMode)
        {
        case 1: // lines: pairs
            myCorners[myHave++] = point;
            if (myHave == 2)
            {
                polyline(myCorners, 2);
                myHave = 0;
            }
            break;
        case 2: // line loop and line strip: one polyline of them all
        case 3:
            myRun.push_back(point);
            break;
        case 4: // triangles: triples
            myCorners[myHave++] = point;
            if (myHave == 3)
            {
                triangle(myCorners[0], myCorners[1], myCorners[2]);
                myHave = 0;
            }
            break;
        case 5: // triangle strip: each point with the two before it,
                // every other one turned so that all keep one winding
            if (myHave >= 2)
            {
                if (myHave % 2 == 0)
                    triangle(myCorners[0], myCorners[1], point);
                else
                    triangle(myCorners[1], myCorners[0], point);
            }
            if (myHave >= 2)
                myCorners[0] = myCorners[1], myCorners[1] = point;
            else
                myCorners[myHave] = point;
            ++myHave;
            break;
        case 6: // triangle fan: around the first point
            if (myHave >= 2)
                triangle(myCorners[0], myCorners[1], point);
            myCorners[myHave >= 2 ? 1 : myHave] = point;
            ++myHave;
            break;
        default: // points: the points themselves are the shape
            break;
        }
    }

    void finish()
    {
        if (myMode == 2 && myRun.size() >= 2)
            myRun.push_back(myRun.front());
        if ((myMode == 2 || myMode == 3) && myRun.size() >= 2)
            polyline(myRun.data(), myRun.size());
    }

private:
    void triangle(int a, int b, int c)
    {
        const int corners[3] = {a, myFlip ? c : b, myFlip ? b : c};
        myGdp.appendPrimitive(GB_PRIM_POLYGON, corners, 3);
    }
    void polyline(const int *points, size_t n)
    {
        myGdp.appendPrimitive(GB_PRIM_POLYLINE, points, int(n));
    }

    GU_Detail &myGdp;
    int myMode;
    bool myFlip;
    int myCorners[3] = {0, 0, 0};
    unsigned long long myHave = 0;
    std::vector<int> myRun;
};

// Decodes RFC 4648 base64; false on anything else.
bool
decodeBase64(std::string_view text, std::vector<unsigned char> &out)
{
    auto value = [](char c) -> int {
        if (c >= 'A' && c <= 'Z')
            return c - 'A';
        if (c >= 'a' && c <= 'z')
            return c - 'a' + 26;
        if (c >= '0' && c <= '9')
            return c - '0' + 52;
        if (c == '+')
            return 62;
        if (c == '/')
            return 63;
        return -1;
    };
    while (!text.empty() && text.back() == '=')
        text.remove_suffix(1);
    if (text.size() % 4 == 1)
        return false;
    out.clear();
    out.reserve(text.size() / 4 * 3 + 2);
    unsigned bits = 0;
    int have = 0;
    for (char c : text)
    {
        const int v = value(c);
        if (v < 0)
            return false;
        bits = (bits << 6) | unsigned(v);
        have += 6;
        if (have >= 8)
        {
            have -= 8;
            out.push_back((unsigned char)((bits >> have) & 0xFF));
        }
    }
    return true;
}

// A relative URI with its %XX escapes decoded; empty when it is not a
// plain relative path inside the file's folder.
std::string
relativePath(const std::string &uri)
{
    std::string path;
    for (size_t i = 0; i < uri.size(); ++i)
    {
        if (uri[i] == '%' && i + 2 < uri.size() && std::isxdigit((unsigned char)uri[i + 1]) &&
            std::isxdigit((unsigned char)uri[i + 2]))
        {
            path.push_back(char(std::stoi(uri.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        }
        else
            path.push_back(uri[i]);
    }
    // Schemes (http:, file:) and drive letters have a colon; absolute
    // paths start with a slash; ".." climbs out of the folder.
    if (path.empty() || path[0] == '/' || path.find(':') != std::string::npos ||
        path.find('\\') != std::string::npos || path.find('\0') != std::string::npos)
        return std::string();
    size_t start = 0;
    while (start <= path.size())
    {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        if (path.compare(start, slash - start, "..") == 0 && slash - start == 2)
            return std::string();
        start = slash + 1;
    }
    return path;
}

class GltfReader
{
public:
    GltfReader(std::istream &in, long long size, const std::string &name, const GU_MeshSink &sink)
        : myIn(in), mySize(size), myName(name), mySink(sink)
    {
    }

    void read()
    {
        if (mySize < 0)
            refuse("a glTF file must be read from a file or a stream that can seek");
        unsigned char magic[4] = {0, 0, 0, 0};
        myIn.read(reinterpret_cast<char *>(magic), 4);
        myIn.clear();
        myIn.seekg(0);
        std::string text;
        if (myIn.gcount() == 4 && std::memcmp(magic, "glTF", 4) == 0)
            text = readGlb();
        else
        {
            if ((unsigned long long)mySize > theMaxJson)
                refuse("the JSON is too large for a mesh file");
            text.resize(size_t(mySize));
            myIn.read(&text[0], std::streamsize(text.size()));
            if (myIn.gcount() != mySize)
                refuse("the file ends early");
        }
        myRoot = Json::parse(text, nullptr, false);
        text = std::string();
        if (myRoot.is_discarded())
            refuse("the JSON is not well formed");
        if (!myRoot.is_object() || !myRoot.contains("asset") || !myRoot["asset"].is_object())
            refuse("not a glTF file: no \"asset\"");
        const Json &version = myRoot["asset"].value("version", Json());
        if (!version.is_string() || version.get<std::string>().substr(0, 2) != "2.")
            refuse("only glTF 2.0 is read (asset version is not \"2.x\")");
        readBuffers();
        readScene();
    }

private:
    // The .glb container: a 12-byte header, then a JSON chunk and an
    // optional binary chunk, each a length and a type before its bytes.
    std::string readGlb()
    {
        unsigned char header[12];
        myIn.read(reinterpret_cast<char *>(header), 12);
        if (myIn.gcount() != 12)
            refuse("the file ends inside the glb header");
        const uint32_t version = le32(header + 4), length = le32(header + 8);
        if (version != 2)
            refuse("glb version " + std::to_string(version) + " is not 2");
        if (length != (unsigned long long)mySize)
            refuse("the glb header gives a length of " + std::to_string(length) +
                   " bytes but the file has " + std::to_string(mySize) +
                   (length > (unsigned long long)mySize ? " (truncated?)" : ""));
        std::string json;
        unsigned long long at = 12;
        for (int chunk = 0; at < length; ++chunk)
        {
            unsigned char head[8];
            myIn.clear();
            myIn.seekg(std::streamoff(at));
            myIn.read(reinterpret_cast<char *>(head), 8);
            if (myIn.gcount() != 8 || length - at < 8)
                refuse("the file ends inside a glb chunk header");
            const unsigned long long chunkLength = le32(head);
            const uint32_t type = le32(head + 4);
            at += 8;
            if (chunkLength > length - at)
                refuse("glb chunk " + std::to_string(chunk) + " runs past the end of the file");
            if (chunk == 0)
            {
                if (type != 0x4E4F534A)
                    refuse("the first glb chunk is not JSON");
                if (chunkLength > theMaxJson)
                    refuse("the JSON is too large for a mesh file");
                json.resize(size_t(chunkLength));
                myIn.read(&json[0], std::streamsize(chunkLength));
                if ((unsigned long long)myIn.gcount() != chunkLength)
                    refuse("the file ends inside the JSON chunk");
            }
            else if (chunk == 1 && type == 0x004E4942)
            {
                myBin.in = &myIn;
                myBin.start = at;
                myBin.size = chunkLength;
                myHasBin = true;
            }
            at += chunkLength;
        }
        if (json.empty())
            refuse("the glb file has no JSON chunk");
        return json;
    }

    static uint32_t le32(const unsigned char *p)
    {
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
               (uint32_t(p[3]) << 24);
    }

    // The array named key of the root (empty when missing).
    const Json &array(const char *key)
    {
        static const Json theEmpty = Json::array();
        auto it = myRoot.find(key);
        if (it == myRoot.end())
            return theEmpty;
        if (!it->is_array())
            refuse(std::string("\"") + key + "\" is not an array");
        return *it;
    }

    // Entry index of the array key, which must be an object.
    const Json &entry(const char *key, size_t index, const char *what)
    {
        const Json &all = array(key);
        if (index >= all.size() || !all[index].is_object())
            refuse(numbered(what, index) + " does not exist");
        return all[index];
    }

    // A whole number of at most limit under key (fallback when missing).
    static unsigned long long count(const Json &object, const char *key, const std::string &what,
                                    unsigned long long fallback,
                                    unsigned long long limit = 1ull << 53)
    {
        auto it = object.find(key);
        if (it == object.end())
        {
            if (fallback == ULLONG_MAX)
                refuse(what + " has no \"" + key + "\"");
            return fallback;
        }
        if (!it->is_number_unsigned() && !(it->is_number_integer() && it->get<long long>() >= 0))
            refuse(what + ": \"" + key + "\" is not a whole number of at least 0");
        const unsigned long long v = it->get<unsigned long long>();
        if (v > limit)
            refuse(what + ": \"" + key + "\" is too large (" + std::to_string(v) + ")");
        return v;
    }

    // Up to n finite numbers under key into out; false when missing.
    static bool numbers(const Json &object, const char *key, size_t n, double *out,
                        const std::string &what)
    {
        auto it = object.find(key);
        if (it == object.end())
            return false;
        if (!it->is_array() || it->size() != n)
            refuse(what + ": \"" + key + "\" is not " + std::to_string(n) + " numbers");
        for (size_t i = 0; i < n; ++i)
        {
            const Json &v = (*it)[i];
            if (!v.is_number() || !std::isfinite(v.get<double>()))
                refuse(what + ": \"" + key + "\" holds a value that is not a finite number");
            out[i] = v.get<double>();
        }
        return true;
    }

    void readBuffers()
    {
        const Json &buffers = array("buffers");
        mySources.resize(buffers.size());
        for (size_t b = 0; b < buffers.size(); ++b)
        {
            const std::string what = numbered("buffer", b);
            if (!buffers[b].is_object())
                refuse(what + " is not an object");
            const Json &buffer = buffers[b];
            myDeclared.push_back(count(buffer, "byteLength", what, ULLONG_MAX));
            Source &source = mySources[b];
            auto uri = buffer.find("uri");
            if (uri == buffer.end())
            {
                if (b != 0 || !myHasBin)
                    refuse(what + " has no \"uri\" and there is no glb binary chunk for it");
                source.in = myBin.in;
                source.start = myBin.start;
                source.size = myBin.size;
            }
            else if (!uri->is_string())
                refuse(what + ": \"uri\" is not a string");
            else
                openUri(uri->get<std::string>(), what, source);
            if (myDeclared[b] > source.size)
                refuse(what + " declares " + std::to_string(myDeclared[b]) +
                       " bytes but holds " + std::to_string(source.size));
        }
    }

    void openUri(const std::string &uri, const std::string &what, Source &source)
    {
        if (uri.compare(0, 5, "data:") == 0)
        {
            const size_t comma = uri.find(',');
            if (comma == std::string::npos || comma < 12 ||
                uri.compare(comma - 7, 7, ";base64") != 0)
                refuse(what + ": a data URI must be base64");
            if (!decodeBase64(std::string_view(uri).substr(comma + 1), source.bytes))
                refuse(what + ": the data URI is not valid base64");
            source.size = source.bytes.size();
            return;
        }
        const std::string relative = relativePath(uri);
        if (relative.empty())
            refuse(what + ": \"" + uri +
                   "\" is not a file beside this one (only relative paths inside its folder "
                   "are read, never absolute paths, \"..\" or URLs)");
        const size_t slash = myName.find_last_of('/');
        const std::string path =
            (slash == std::string::npos ? std::string() : myName.substr(0, slash + 1)) + relative;
        const std::string problem = UTcheckReadableFile(path.c_str());
        if (!problem.empty())
            refuse(what + ": " + path + " " + problem);
        source.file = std::make_unique<std::ifstream>(path, std::ios::binary);
        if (!*source.file)
            refuse(what + ": " + path + " cannot be opened");
        source.file->seekg(0, std::ios::end);
        const std::streamoff end = source.file->tellg();
        if (end < 0)
            refuse(what + ": " + path + " cannot be read");
        source.in = source.file.get();
        source.size = (unsigned long long)end;
    }

    // The view of accessor index for a use that takes one of the element
    // types (1 to 4 components) and component types given.
    View accessor(size_t index, const char *use, std::initializer_list<int> components,
                  std::initializer_list<int> types, bool normalizedOnlyInts)
    {
        const std::string what = numbered("accessor", index) + " (" + use + ")";
        const Json &a = entry("accessors", index, "accessor");
        if (a.contains("sparse"))
            refuse(what + " is sparse, which is not read");
        View view;
        static const char *const theTypes[] = {"SCALAR", "VEC2", "VEC3", "VEC4"};
        const Json &type = a.value("type", Json());
        for (int c = 0; c < 4; ++c)
            if (type.is_string() && type.get<std::string>() == theTypes[c])
                view.components = c + 1;
        if (std::find(components.begin(), components.end(), view.components) == components.end())
            refuse(what + " has the wrong element type");
        view.type = int(count(a, "componentType", what, ULLONG_MAX, 1u << 16));
        if (std::find(types.begin(), types.end(), view.type) == types.end())
            refuse(what + " has the wrong component type (" + std::to_string(view.type) + ")");
        const Json &normalized = a.value("normalized", Json(false));
        if (!normalized.is_boolean())
            refuse(what + ": \"normalized\" is not true or false");
        view.normalized = normalized.get<bool>();
        // Whole-number components of colours and texture coordinates
        // only make sense scaled into 0 to 1.
        if (normalizedOnlyInts && view.type != FLOAT && !view.normalized)
            refuse(what + " has whole-number components that are not normalized");
        view.count = count(a, "count", what, ULLONG_MAX, 1ull << 32);
        view.elementSize = componentSize(view.type) * size_t(view.components);
        if (!a.contains("bufferView"))
            return view; // all zeros
        const unsigned long long offset = count(a, "byteOffset", what, 0, 1ull << 48);
        const size_t vi = size_t(count(a, "bufferView", what, ULLONG_MAX, 1u << 30));
        const std::string vwhat = numbered("bufferView", vi);
        const Json &bv = entry("bufferViews", vi, "bufferView");
        const size_t bi = size_t(count(bv, "buffer", vwhat, ULLONG_MAX, 1u << 30));
        if (bi >= mySources.size())
            refuse(vwhat + ": " + numbered("buffer", bi) + " does not exist");
        const unsigned long long viewOffset = count(bv, "byteOffset", vwhat, 0, 1ull << 48);
        const unsigned long long viewLength = count(bv, "byteLength", vwhat, ULLONG_MAX, 1ull << 48);
        if (viewOffset + viewLength > myDeclared[bi])
            refuse(vwhat + " runs past the end of " + numbered("buffer", bi));
        view.stride = count(bv, "byteStride", vwhat, view.elementSize, 252);
        if (view.stride < view.elementSize)
            refuse(vwhat + ": the stride is smaller than an element of " + what);
        if (view.count > 0 && (offset > viewLength || view.count - 1 > (viewLength - offset) / view.stride ||
                               (view.count - 1) * view.stride + view.elementSize > viewLength - offset))
            refuse(what + " runs past the end of " + vwhat + " (" + std::to_string(view.count) +
                   " elements)");
        view.source = &mySources[bi];
        view.offset = viewOffset + offset;
        return view;
    }

    void readScene()
    {
        const Json &nodes = array("nodes");
        myVisited.assign(nodes.size(), false);
        std::vector<size_t> roots;
        const Json &scenes = array("scenes");
        if (!scenes.empty() || myRoot.contains("scene"))
        {
            const size_t s = size_t(count(myRoot, "scene", "the file", 0, 1u << 30));
            const Json &scene = entry("scenes", s, "scene");
            const Json &list = scene.value("nodes", Json::array());
            if (!list.is_array())
                refuse(numbered("scene", s) + ": \"nodes\" is not an array");
            for (const Json &n : list)
                roots.push_back(nodeIndex(n, numbered("scene", s)));
        }
        else
        {
            // No scene: every node that is no other node's child.
            std::vector<bool> child(nodes.size(), false);
            for (size_t i = 0; i < nodes.size(); ++i)
                for (size_t c : children(i))
                    child[c] = true;
            for (size_t i = 0; i < nodes.size(); ++i)
                if (!child[i])
                    roots.push_back(i);
        }
        for (size_t r : roots)
            walk(r, identity(), 0);
        if (myElements == 0)
            refuse("the scene holds no mesh with points");
    }

    size_t nodeIndex(const Json &n, const std::string &what)
    {
        if (!n.is_number_unsigned() || n.get<unsigned long long>() >= array("nodes").size())
            refuse(what + " names a node that does not exist");
        return size_t(n.get<unsigned long long>());
    }

    std::vector<size_t> children(size_t node)
    {
        const Json &n = entry("nodes", node, "node");
        const Json &list = n.value("children", Json::array());
        if (!list.is_array())
            refuse(numbered("node", node) + ": \"children\" is not an array");
        std::vector<size_t> out;
        for (const Json &c : list)
            out.push_back(nodeIndex(c, numbered("node", node)));
        return out;
    }

    Matrix localTransform(const Json &node, const std::string &what)
    {
        Matrix m = identity();
        if (numbers(node, "matrix", 16, m.data(), what))
            return m;
        double t[3] = {0, 0, 0}, r[4] = {0, 0, 0, 1}, s[3] = {1, 1, 1};
        numbers(node, "translation", 3, t, what);
        numbers(node, "rotation", 4, r, what);
        numbers(node, "scale", 3, s, what);
        // The rotation quaternion x, y, z, w; a file's may be slightly off
        // unit length, so it is normalised.
        const double len = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2] + r[3] * r[3]);
        if (len <= 0.0)
            refuse(what + ": the rotation is not a unit quaternion");
        const double x = r[0] / len, y = r[1] / len, z = r[2] / len, w = r[3] / len;
        const double rot[9] = {1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (x * z - y * w),
                               2 * (x * y - z * w), 1 - 2 * (x * x + z * z), 2 * (y * z + x * w),
                               2 * (x * z + y * w), 2 * (y * z - x * w), 1 - 2 * (x * x + y * y)};
        // T * R * S, column by column.
        for (int c = 0; c < 3; ++c)
            for (int row = 0; row < 3; ++row)
                m[c * 4 + row] = rot[c * 3 + row] * s[c];
        m[12] = t[0];
        m[13] = t[1];
        m[14] = t[2];
        return m;
    }

    void walk(size_t index, const Matrix &parent, int depth)
    {
        const std::string what = numbered("node", index);
        if (depth > theMaxDepth)
            refuse(what + " lies deeper than " + std::to_string(theMaxDepth) + " levels");
        // A node belongs to one parent; meeting it again is a cycle or a
        // shared child, either of which the file may not hold.
        if (myVisited[index])
            refuse(what + " is reached twice (a cycle, or a node with two parents)");
        myVisited[index] = true;
        const Json &node = entry("nodes", index, "node");
        const Matrix world = multiply(parent, localTransform(node, what));
        if (node.contains("mesh"))
        {
            const size_t mesh = size_t(count(node, "mesh", what, 0, 1u << 30));
            const Json &m = entry("meshes", mesh, "mesh");
            std::string name;
            const Json &nodeName = node.value("name", Json());
            const Json &meshName = m.value("name", Json());
            if (nodeName.is_string() && !nodeName.get<std::string>().empty())
                name = nodeName.get<std::string>();
            else if (meshName.is_string() && !meshName.get<std::string>().empty())
                name = meshName.get<std::string>();
            else
                name = numbered("mesh", mesh);
            readMesh(m, numbered("mesh", mesh), name, world);
        }
        for (size_t c : children(index))
            walk(c, world, depth + 1);
    }

    void readMesh(const Json &mesh, const std::string &what, const std::string &name,
                  const Matrix &world)
    {
        const Json &prims = mesh.value("primitives", Json());
        if (!prims.is_array())
            refuse(what + " has no \"primitives\" array");
        // Points primitives show only as a geometry of points alone, so
        // beside faces or lines they become a part of their own.
        bool points = false, other = false;
        for (size_t p = 0; p < prims.size(); ++p)
            (primitiveMode(prims[p], what + " " + numbered("primitive", p)) == 0 ? points : other) =
                true;
        GU_Detail *surface = nullptr, *cloud = nullptr;
        for (size_t p = 0; p < prims.size(); ++p)
        {
            const std::string pwhat = what + " " + numbered("primitive", p);
            const bool isPoints = primitiveMode(prims[p], pwhat) == 0;
            GU_Detail *&into = isPoints ? cloud : surface;
            if (!into)
                into = &mySink(isPoints && other ? name + " points" : name);
            readPrimitive(prims[p], pwhat, world, *into);
        }
    }

    static int primitiveMode(const Json &prim, const std::string &what)
    {
        if (!prim.is_object())
            refuse(what + " is not an object");
        const unsigned long long mode = count(prim, "mode", what, 4, 1u << 16);
        if (mode > 6)
            refuse(what + ": mode " + std::to_string(mode) + " is not one of 0 to 6");
        return int(mode);
    }

    void budget(unsigned long long n)
    {
        myElements += n;
        if (myElements > theMaxElements)
            refuse("the scene makes more than " + std::to_string(theMaxElements) +
                   " points and corners");
    }

    void readPrimitive(const Json &prim, const std::string &what, const Matrix &world,
                       GU_Detail &gdp)
    {
        const int mode = primitiveMode(prim, what);
        const Json &attribs = prim.value("attributes", Json());
        if (!attribs.is_object() || !attribs.contains("POSITION"))
            refuse(what + " has no POSITION attribute");
        auto attribIndex = [&](const char *key) {
            return size_t(count(attribs, key, what, ULLONG_MAX, 1u << 30));
        };
        const View positions = accessor(attribIndex("POSITION"), "POSITION", {3}, {FLOAT}, false);
        const unsigned long long n = positions.count;
        budget(n);
        if (n > (unsigned long long)(INT_MAX - gdp.getNumPoints()))
            refuse(what + " has too many points");
        const int first = gdp.appendPoints(int(n));

        float *pos = gdp.editPositions() + size_t(first) * 3;
        forEachElement(positions, [&](unsigned long long i, const double *p) {
            double out[3];
            for (int r = 0; r < 3; ++r)
                out[r] = world[r] * p[0] + world[4 + r] * p[1] + world[8 + r] * p[2] + world[12 + r];
            for (int r = 0; r < 3; ++r)
            {
                if (!std::isfinite(p[r]) || !GUfitsFloat(out[r]))
                    refuse(what + ": POSITION " + std::to_string(i) +
                           " is not a finite number (or is once placed)");
                pos[i * 3 + size_t(r)] = float(out[r]);
            }
        });

        if (attribs.contains("NORMAL"))
            readNormals(accessor(attribIndex("NORMAL"), "NORMAL", {3}, {FLOAT}, false), n, what,
                        world, gdp, first);
        if (attribs.contains("TEXCOORD_0"))
        {
            const View uvs = accessor(attribIndex("TEXCOORD_0"), "TEXCOORD_0", {2},
                                      {FLOAT, UNSIGNED_BYTE, UNSIGNED_SHORT}, true);
            // glTF puts v = 0 at the top of an image; ours is at the bottom.
            float *out = perPoint(uvs, n, "uv", 2, nullptr, what, gdp, first);
            forEachElement(uvs, [&](unsigned long long i, const double *v) {
                checkFinite(v, 2, what, "TEXCOORD_0", i);
                out[i * 2] = float(v[0]);
                out[i * 2 + 1] = float(1.0 - v[1]);
            });
        }
        if (attribs.contains("COLOR_0"))
        {
            const View colours = accessor(attribIndex("COLOR_0"), "COLOR_0", {3, 4},
                                          {FLOAT, UNSIGNED_BYTE, UNSIGNED_SHORT}, true);
            static const float theWhite[3] = {1.0f, 1.0f, 1.0f};
            float *out = perPoint(colours, n, "Cd", 3, theWhite, what, gdp, first);
            forEachElement(colours, [&](unsigned long long i, const double *c) {
                checkFinite(c, colours.components, what, "COLOR_0", i);
                for (int k = 0; k < 3; ++k)
                    out[i * 3 + size_t(k)] = float(c[k]);
            });
        }

        // A transform that mirrors turns the winding around.
        Assembler assemble(gdp, mode, determinant(world) < 0.0);
        if (prim.contains("indices"))
        {
            const View indices = accessor(size_t(count(prim, "indices", what, 0, 1u << 30)),
                                          "indices", {1}, {UNSIGNED_BYTE, UNSIGNED_SHORT, UNSIGNED_INT},
                                          false);
            if (indices.normalized)
                refuse(what + ": indices are normalized");
            budget(mode == 0 ? 0 : indices.count * 3);
            forEachElement(indices, [&](unsigned long long i, const double *v) {
                if (v[0] >= double(n))
                    refuse(what + ": index " + std::to_string(i) + " (" +
                           std::to_string((unsigned long long)v[0]) + ") is out of range (" +
                           std::to_string(n) + " points)");
                assemble.add(first + int(v[0]));
            });
        }
        else
        {
            budget(mode == 0 ? 0 : n * 3);
            for (unsigned long long i = 0; i < n; ++i)
                assemble.add(first + int(i));
        }
        assemble.finish();
    }

    static void checkFinite(const double *v, int n, const std::string &what, const char *attrib,
                            unsigned long long i)
    {
        for (int k = 0; k < n; ++k)
            if (!GUfitsFloat(v[k]))
                refuse(what + ": " + attrib + " " + std::to_string(i) + " is not a finite number");
    }

    // The float data of the point attribute name from point first on, for
    // an accessor that must have one element per point.
    static float *perPoint(const View &view, unsigned long long n, const char *name, int tuple,
                           const float *defaults, const std::string &what, GU_Detail &gdp,
                           int first)
    {
        if (view.count != n)
            refuse(what + ": " + std::to_string(view.count) + " " + name + " values for " +
                   std::to_string(n) + " points");
        GB_Attribute *a = gdp.addFloatAttrib(GB_ATTRIB_POINT, name, tuple, defaults);
        return a->getFloatData() + size_t(first) * size_t(tuple);
    }

    void readNormals(const View &normals, unsigned long long n, const std::string &what,
                     const Matrix &world, GU_Detail &gdp, int first)
    {
        float *out = perPoint(normals, n, "N", 3, nullptr, what, gdp, first);
        // Normals turn with the inverse transpose of the transform: its
        // cofactors divided by its determinant. Only the determinant's sign
        // matters (a mirror turns normals round); normalising removes the
        // rest.
        const double *m = world.data();
        auto at = [m](int r, int c) { return m[c * 4 + r]; };
        const double sign = determinant(world) < 0.0 ? -1.0 : 1.0;
        double cof[3][3];
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
            {
                const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
                cof[r][c] = sign * (at(r1, c1) * at(r2, c2) - at(r1, c2) * at(r2, c1));
            }
        forEachElement(normals, [&](unsigned long long i, const double *v) {
            checkFinite(v, 3, what, "NORMAL", i);
            double t[3];
            for (int r = 0; r < 3; ++r)
                t[r] = cof[r][0] * v[0] + cof[r][1] * v[1] + cof[r][2] * v[2];
            const double len = std::sqrt(t[0] * t[0] + t[1] * t[1] + t[2] * t[2]);
            for (int r = 0; r < 3; ++r)
                out[i * 3 + size_t(r)] = len > 0.0 && std::isfinite(len) ? float(t[r] / len) : 0.0f;
        });
    }

    std::istream &myIn;
    long long mySize;
    const std::string &myName;
    const GU_MeshSink &mySink;
    Json myRoot;
    Source myBin;
    bool myHasBin = false;
    std::vector<Source> mySources;
    std::vector<unsigned long long> myDeclared; // each buffer's byteLength
    std::vector<bool> myVisited;
    unsigned long long myElements = 0;
};
} // namespace

bool
GUreadGltf(std::istream &in, long long size, const std::string &name, const GU_MeshSink &sink,
           std::string &why)
{
    try
    {
        GltfReader(in, size, name, sink).read();
        return true;
    }
    catch (const Refusal &r)
    {
        why = r.why;
    }
    catch (const Json::exception &e)
    {
        why = std::string("the JSON does not hold what glTF needs: ") + e.what();
    }
    catch (const std::bad_alloc &)
    {
        why = "not enough memory to read the file";
    }
    return false;
}
