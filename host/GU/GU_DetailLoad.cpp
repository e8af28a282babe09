// Mesh file reading for GU_Detail: the choice of reader, and OBJ text, read
// line by line straight into the geometry store, so that nothing but the
// texture coordinates and normals (which faces refer to by index) is held
// beside it.
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_MeshRead.h"

#include "host/UT/UT_IFStream.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace
{
// No line of a mesh file we can use is longer than this.
const size_t theMaxLineLength = 1 << 20;
// Corners of one face or line.
const size_t theMaxCorners = 1 << 16;

struct ObjReader
{
    explicit ObjReader(GU_Detail &into) : gdp(into) {}

    GU_Detail &gdp;
    std::vector<float> uvs;     // 2 per texture coordinate
    std::vector<float> normals; // 3 per normal
    GB_Attribute *uvAttrib = nullptr;
    GB_Attribute *normalAttrib = nullptr;
    std::vector<int> points; // of the face being read
    std::vector<int> uvIndices, normalIndices;
    long long lineNumber = 0;
    std::string why;

    bool fail(const std::string &reason)
    {
        why = "line " + std::to_string(lineNumber) + ": " + reason;
        return false;
    }

    static void skipBlanks(const char *&p, const char *end)
    {
        while (p < end && (*p == ' ' || *p == '\t' || *p == '\r'))
            ++p;
    }

    // The next blank-separated word, or an empty one at the end.
    static std::string_view word(const char *&p, const char *end)
    {
        skipBlanks(p, end);
        const char *start = p;
        while (p < end && *p != ' ' && *p != '\t' && *p != '\r')
            ++p;
        return std::string_view(start, size_t(p - start));
    }

    // Reads at least least and at most most values into out (room for
    // most); all must be finite floats. got is how many there were.
    bool readFloats(const char *&p, const char *end, float *out, int least, int most,
                    const char *what, int &got)
    {
        for (got = 0; got < most; ++got)
        {
            std::string_view w = word(p, end);
            if (w.empty())
                break;
            if (!GUparseFloat(w, out[got]))
                return fail(std::string("a ") + what + " coordinate is not a finite number");
        }
        if (got < least)
            return fail(std::string("a ") + what + " has too few coordinates");
        return true;
    }

    // One index: 1-based, or negative counting back from the last defined.
    // Empty text gives -1 (not given).
    bool readIndex(std::string_view text, size_t defined, const char *what, int &index)
    {
        index = -1;
        if (text.empty())
            return true;
        long long v = 0;
        const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
        if (r.ec == std::errc::result_out_of_range)
            return fail(std::string("a ") + what + " index is too large");
        if (r.ec != std::errc() || r.ptr != text.data() + text.size())
            return fail(std::string("a ") + what + " index is not a whole number");
        if (v == 0)
            return fail(std::string("a ") + what + " index of zero (indices start at 1)");
        const long long resolved = v > 0 ? v - 1 : (long long)defined + v;
        if (resolved < 0 || resolved >= (long long)defined)
            return fail("index out of range (" + std::string(what) + " " + std::to_string(v) +
                        " of " + std::to_string(defined) + ")");
        index = int(resolved);
        return true;
    }

    // "f" and "l": corners "v", "v/vt", "v//vn" or "v/vt/vn".
    bool readPrimitive(const char *&p, const char *end, GB_PrimType type)
    {
        points.clear();
        uvIndices.clear();
        normalIndices.clear();
        const size_t npoints = size_t(gdp.getNumPoints());
        for (std::string_view corner = word(p, end); !corner.empty(); corner = word(p, end))
        {
            if (points.size() >= theMaxCorners)
                return fail("a face or line has too many corners");
            std::string_view parts[3];
            int nparts = 0;
            size_t start = 0;
            for (size_t i = 0; i <= corner.size() && nparts < 3; ++i)
                if (i == corner.size() || corner[i] == '/')
                {
                    parts[nparts++] = corner.substr(start, i - start);
                    start = i + 1;
                }
            if (start <= corner.size() || parts[0].empty())
                return fail("a corner is not of the form v, v/vt, v//vn or v/vt/vn");
            int v, vt, vn;
            if (!readIndex(parts[0], npoints, "point", v) ||
                !readIndex(parts[1], uvs.size() / 2, "texture coordinate", vt) ||
                !readIndex(parts[2], normals.size() / 3, "normal", vn))
                return false;
            points.push_back(v);
            uvIndices.push_back(vt);
            normalIndices.push_back(vn);
        }
        if (type == GB_PRIM_POLYGON && points.size() < 3)
            return fail("a face has fewer than three corners");
        if (type == GB_PRIM_POLYLINE && points.size() < 2)
            return fail("a line has fewer than two points");

        const int prim = gdp.appendPrimitive(type, points.data(), int(points.size()));
        int vertex = gdp.getPrimVertexOffset(prim);
        for (size_t k = 0; k < points.size(); ++k, ++vertex)
        {
            if (uvIndices[k] >= 0)
            {
                if (!uvAttrib)
                    uvAttrib = gdp.addFloatAttrib(GB_ATTRIB_VERTEX, "uv", 2);
                uvAttrib->setF(vertex, &uvs[size_t(uvIndices[k]) * 2]);
            }
            if (normalIndices[k] >= 0)
            {
                if (!normalAttrib)
                    normalAttrib = gdp.addFloatAttrib(GB_ATTRIB_VERTEX, "N", 3);
                normalAttrib->setF(vertex, &normals[size_t(normalIndices[k]) * 3]);
            }
        }
        return true;
    }

    bool readLine(const std::string &line)
    {
        const char *p = line.data();
        const char *end = p + line.size();
        const std::string_view key = word(p, end);
        float v[7];
        int got = 0;
        if (key == "v")
        {
            // An optional w (or a vertex colour) follows; it is not kept.
            if (!readFloats(p, end, v, 3, 7, "point", got))
                return false;
            if (gdp.getNumPoints() == std::numeric_limits<int>::max())
                return fail("too many points");
            gdp.appendPoint(UT_Vector3(v[0], v[1], v[2]));
        }
        else if (key == "vt")
        {
            // A lone u has v = 0; an optional w is not kept.
            if (!readFloats(p, end, v, 1, 3, "texture", got))
                return false;
            uvs.push_back(v[0]);
            uvs.push_back(got > 1 ? v[1] : 0.0f);
        }
        else if (key == "vn")
        {
            if (!readFloats(p, end, v, 3, 3, "normal", got))
                return false;
            normals.insert(normals.end(), v, v + 3);
        }
        else if (key == "f")
            return readPrimitive(p, end, GB_PRIM_POLYGON);
        else if (key == "l")
            return readPrimitive(p, end, GB_PRIM_POLYLINE);
        // Comments, groups, smoothing, materials and anything unknown are
        // passed over: only the mesh matters here.
        return true;
    }
};

// A line without its newline; false at the end of input or (with too_long
// set) when a line is longer than any we can use.
bool
nextLine(std::streambuf &in, std::string &line, bool &too_long)
{
    line.clear();
    int c = in.sbumpc();
    if (c == std::char_traits<char>::eof())
        return false;
    while (c != std::char_traits<char>::eof() && c != '\n')
    {
        if (line.size() >= theMaxLineLength)
        {
            too_long = true;
            return false;
        }
        line.push_back(char(c));
        c = in.sbumpc();
    }
    return true;
}

bool
fail(GU_Detail &gdp, std::string *error, const std::string &message)
{
    gdp.clearAndDestroy();
    if (error)
        *error = message;
    return false;
}

// The stream's size in bytes, or -1 when it cannot seek; the stream is left
// where it was.
long long
streamSize(std::istream &in)
{
    const std::streampos here = in.tellg();
    if (here == std::streampos(-1))
        return -1;
    in.seekg(0, std::ios::end);
    const std::streampos end = in.tellg();
    in.clear();
    in.seekg(here);
    if (end == std::streampos(-1) || !in)
    {
        in.clear();
        return -1;
    }
    return (long long)(end - here);
}

// The first bytes of the stream, put back for the reader (a stream that
// cannot seek gives none, and its reader is chosen by the name).
std::string
headOf(std::istream &in, long long size)
{
    std::string head;
    if (size < 0)
        return head;
    head.resize(size_t(size < 1024 ? size : 1024));
    const std::streampos here = in.tellg();
    in.read(&head[0], std::streamsize(head.size()));
    head.resize(size_t(in.gcount()));
    in.clear();
    in.seekg(here);
    return head;
}
} // namespace

bool
GUparseFloat(std::string_view w, float &out)
{
    if (w.size() > 1 && w[0] == '+')
        w.remove_prefix(1);
    double v = 0.0;
    const auto r = std::from_chars(w.data(), w.data() + w.size(), v);
    if (r.ec != std::errc() || r.ptr != w.data() + w.size() || !GUfitsFloat(v))
        return false;
    out = float(v);
    return true;
}

bool
GUfitsFloat(double v)
{
    // Halfway between the largest float and 2^128: anything below rounds
    // to a finite float, anything from there up to infinity.
    static const double theLimit = std::ldexp(1.0 - std::ldexp(1.0, -25), 128);
    return std::isfinite(v) && std::fabs(v) < theLimit;
}

bool
GUreadObj(GU_Detail &gdp, std::istream &in, std::string &why)
{
    ObjReader reader(gdp);
    std::string line;
    bool too_long = false;
    std::streambuf *buf = in.rdbuf();
    while (buf && nextLine(*buf, line, too_long))
    {
        ++reader.lineNumber;
        if (!reader.readLine(line))
        {
            why = reader.why;
            return false;
        }
    }
    if (too_long)
    {
        ++reader.lineNumber;
        reader.fail("the line is too long for a mesh file");
        why = reader.why;
        return false;
    }
    if (gdp.getNumPoints() == 0 || gdp.getNumPrimitives() == 0)
    {
        why = "the file holds no polygons or lines";
        return false;
    }
    return true;
}

namespace
{
// Reads the file behind in (size bytes, -1 when unknown) into the
// geometries sink gives; gdp is the one geometry for every reader but
// glTF's, which may ask for several.
bool
readMesh(std::istream &in, const std::string &name, GU_Detail &gdp, const GU_MeshSink &sink,
         std::string &why)
{
    const long long size = streamSize(in);
    switch (GUmeshFormatOf(headOf(in, size), size, name))
    {
    case GU_MeshFormat::PLY:
        return GUreadPly(gdp, in, size, why);
    case GU_MeshFormat::STL_ASCII:
        return GUreadStl(gdp, in, size, false, why);
    case GU_MeshFormat::STL_BINARY:
        return GUreadStl(gdp, in, size, true, why);
    case GU_MeshFormat::GLTF:
        return GUreadGltf(in, size, name, sink, why);
    case GU_MeshFormat::OBJ:
        break;
    }
    return GUreadObj(gdp, in, why);
}

// Reads through another stream buffer, publishing how far into it the
// reading has come, for a progress display on another thread.
class ProgressBuf : public std::streambuf
{
public:
    ProgressBuf(std::streambuf &source, std::atomic<long long> &reached)
        : mySource(source), myReached(reached)
    {
    }

protected:
    int_type underflow() override
    {
        const std::streamsize got = mySource.sgetn(myData, sizeof(myData));
        if (got <= 0)
            return traits_type::eof();
        setg(myData, myData, myData + got);
        const long long at = mySource.pubseekoff(0, std::ios::cur, std::ios::in);
        if (at > myReached.load(std::memory_order_relaxed))
            myReached.store(at, std::memory_order_relaxed);
        return traits_type::to_int_type(*gptr());
    }
    pos_type seekoff(off_type off, std::ios::seekdir dir, std::ios::openmode which) override
    {
        // The source has read ahead by what is still buffered here.
        if (dir == std::ios::cur)
            off -= egptr() - gptr();
        setg(nullptr, nullptr, nullptr);
        return mySource.pubseekoff(off, dir, which);
    }
    pos_type seekpos(pos_type pos, std::ios::openmode which) override
    {
        setg(nullptr, nullptr, nullptr);
        return mySource.pubseekpos(pos, which);
    }

private:
    std::streambuf &mySource;
    std::atomic<long long> &myReached;
    char myData[1 << 16];
};

// The file name without its folder and extension.
std::string
stemOf(const std::string &path)
{
    std::string stem = path.substr(path.find_last_of('/') + 1);
    const size_t dot = stem.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        stem.resize(dot);
    return stem;
}

// Opens a file for reading, or says why it cannot be read.
bool
openMesh(const char *filename, std::ifstream &in, std::string &name, std::string &why)
{
    name = filename ? filename : "";
    if (name.empty())
    {
        why = "no file name given";
        return false;
    }
    const std::string not_readable = UTcheckReadableFile(name.c_str());
    if (!not_readable.empty())
    {
        why = name + ": cannot open the file: it " + not_readable;
        return false;
    }
    in.open(name, std::ios::binary);
    if (!in)
    {
        why = name + ": cannot open the file";
        return false;
    }
    return true;
}
} // namespace

bool
GU_Detail::load(const char *filename, std::string *error)
{
    clearAndDestroy();
    std::ifstream in;
    std::string name, why;
    if (!openMesh(filename, in, name, why))
        return fail(*this, error, why);
    return load(in, name, error);
}

bool
GU_Detail::load(std::istream &in, const std::string &name, std::string *error)
{
    clearAndDestroy();
    std::string why;
    // Every part of a glTF scene goes into this one geometry.
    const GU_MeshSink merge = [this](const std::string &) -> GU_Detail & { return *this; };
    if (!readMesh(in, name, *this, merge, why))
        return fail(*this, error, name + ": " + why);
    if (error)
        error->clear();
    return true;
}

bool
GU_Detail::loadParts(const char *filename, std::vector<GU_MeshPart> &parts, std::string *error,
                     std::atomic<long long> *bytesRead)
{
    parts.clear();
    std::ifstream in;
    std::string name, why;
    auto first = std::make_unique<GU_Detail>();
    const GU_MeshSink split = [&parts](const std::string &part) -> GU_Detail & {
        parts.push_back(GU_MeshPart{part, std::make_unique<GU_Detail>()});
        return *parts.back().detail;
    };
    const bool opened = openMesh(filename, in, name, why);
    std::unique_ptr<ProgressBuf> progress;
    std::istream counted(nullptr);
    if (opened && bytesRead)
    {
        progress = std::make_unique<ProgressBuf>(*in.rdbuf(), *bytesRead);
        counted.rdbuf(progress.get());
    }
    if (!opened || !readMesh(progress ? counted : in, name, *first, split, why))
    {
        parts.clear();
        if (error)
            *error = opened ? name + ": " + why : why;
        return false;
    }
    // A reader of one geometry filled first; glTF's filled the parts.
    if (parts.empty())
        parts.push_back(GU_MeshPart{stemOf(name), std::move(first)});
    parts.erase(std::remove_if(parts.begin(), parts.end(),
                               [](const GU_MeshPart &p) { return p.detail->getNumPoints() == 0; }),
                parts.end());
    if (error)
        error->clear();
    return true;
}
