// PLY files, text or binary of either byte order. The header declares
// elements, each a count of records of typed properties; "vertex" records
// give the points (position, and when present normal, texture coordinates
// and colour as point attributes), "face" records a list of point numbers
// each. Every other element and property is passed over by its declared
// type. Counts are weighed against the file's size before anything is
// made, so a header cannot make us reserve more than the file could hold.
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_MeshRead.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace
{
const size_t theMaxHeaderLine = 4096;
const size_t theMaxWord = 256;
const size_t theMaxCorners = 1 << 16;

enum Type
{
    INT8,
    UINT8,
    INT16,
    UINT16,
    INT32,
    UINT32,
    FLOAT32,
    FLOAT64,
    NO_TYPE
};

const int theSizes[] = {1, 1, 2, 2, 4, 4, 4, 8};
// The largest value of each integer type, by which colours are scaled.
const double theMax[] = {127.0, 255.0, 32767.0, 65535.0, 2147483647.0, 4294967295.0, 1.0, 1.0};

// A face index as the file gave it, for messages: float lists can hold any number.
std::string
indexText(double v)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%.9g", v);
    return text;
}

Type
typeNamed(const std::string &name)
{
    static const struct
    {
        const char *name;
        Type type;
    } names[] = {{"char", INT8},     {"int8", INT8},       {"uchar", UINT8},   {"uint8", UINT8},
                 {"short", INT16},   {"int16", INT16},     {"ushort", UINT16}, {"uint16", UINT16},
                 {"int", INT32},     {"int32", INT32},     {"uint", UINT32},   {"uint32", UINT32},
                 {"float", FLOAT32}, {"float32", FLOAT32}, {"double", FLOAT64}, {"float64", FLOAT64}};
    for (const auto &n : names)
        if (name == n.name)
            return n.type;
    return NO_TYPE;
}

struct Property
{
    std::string name;
    Type type = NO_TYPE;
    Type countType = NO_TYPE; // a list when set
};

struct Element
{
    std::string name;
    unsigned long long count = 0;
    std::vector<Property> props;
};

enum Encoding
{
    ASCII,
    LITTLE,
    BIG
};

// What a vertex property is used for.
enum Role
{
    X, Y, Z, NX, NY, NZ, U, V, RED, GREEN, BLUE, UNUSED
};

Role
roleOf(const std::string &name)
{
    static const struct
    {
        const char *name;
        Role role;
    } names[] = {{"x", X},          {"y", Y},          {"z", Z},         {"nx", NX},
                 {"ny", NY},        {"nz", NZ},        {"u", U},         {"v", V},
                 {"s", U},          {"t", V},          {"texture_u", U}, {"texture_v", V},
                 {"red", RED},      {"green", GREEN},  {"blue", BLUE}};
    for (const auto &n : names)
        if (name == n.name)
            return n.role;
    return UNUSED;
}

class PlyReader
{
public:
    PlyReader(GU_Detail &gdp, std::istream &in) : myGdp(gdp), mySrc(in) {}

    bool read(long long size, std::string &why)
    {
        if (!readHeader(size))
            return finish(why);
        for (const Element &e : myElements)
        {
            const bool ok = e.name == "vertex" ? readVertices(e)
                            : e.name == "face" ? readFaces(e)
                                               : skipElement(e);
            if (!ok)
                return finish(why);
        }
        return finish(why);
    }

private:
    bool finish(std::string &why)
    {
        why = myWhy;
        return myWhy.empty();
    }

    bool fail(const std::string &reason)
    {
        myWhy = reason;
        return false;
    }

    // Where a record is, for messages: "vertex 12", with the line in text.
    std::string at(const Element &e, unsigned long long record) const
    {
        std::string where = e.name + " " + std::to_string(record + 1);
        if (myEncoding == ASCII)
            where += " (line " + std::to_string(mySrc.line()) + ")";
        return where + ": ";
    }

    bool headerLine(std::string &line)
    {
        line.clear();
        for (int c = mySrc.get(); c != '\n'; c = mySrc.get())
        {
            if (c < 0)
                return fail("the header has no end_header line");
            if (line.size() >= theMaxHeaderLine)
                return fail("a header line is too long");
            if (c != '\r')
                line.push_back(char(c));
        }
        ++myHeaderLines;
        return true;
    }

    static std::vector<std::string> words(const std::string &line)
    {
        std::vector<std::string> out;
        size_t i = 0;
        while (i < line.size())
        {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
                ++i;
            size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t')
                ++i;
            if (i > start)
                out.push_back(line.substr(start, i - start));
        }
        return out;
    }

    bool readHeader(long long size)
    {
        std::string line;
        long long header_bytes = 0;
        if (!headerLine(line) || line != "ply")
            return fail("the file does not start with the line \"ply\"");
        header_bytes += (long long)line.size() + 1;
        bool have_format = false;
        for (;;)
        {
            if (!headerLine(line))
                return false;
            header_bytes += (long long)line.size() + 1;
            const std::string where = "header line " + std::to_string(myHeaderLines) + ": ";
            const std::vector<std::string> w = words(line);
            if (w.empty() || w[0] == "comment" || w[0] == "obj_info")
                continue;
            if (w[0] == "end_header")
                break;
            if (w[0] == "format")
            {
                if (w.size() != 3 || w[2] != "1.0")
                    return fail(where + "the format line is not \"format ENCODING 1.0\"");
                if (w[1] == "ascii")
                    myEncoding = ASCII;
                else if (w[1] == "binary_little_endian")
                    myEncoding = LITTLE;
                else if (w[1] == "binary_big_endian")
                    myEncoding = BIG;
                else
                    return fail(where + "unknown encoding \"" + w[1] + "\"");
                have_format = true;
            }
            else if (w[0] == "element")
            {
                Element e;
                if (w.size() != 3)
                    return fail(where + "an element line is not \"element NAME COUNT\"");
                e.name = w[1];
                const auto r = std::from_chars(w[2].data(), w[2].data() + w[2].size(), e.count);
                if (r.ec != std::errc() || r.ptr != w[2].data() + w[2].size())
                    return fail(where + "the count of " + e.name + " is not a whole number");
                myElements.push_back(e);
            }
            else if (w[0] == "property")
            {
                if (myElements.empty())
                    return fail(where + "a property comes before any element");
                Property p;
                if (w.size() == 5 && w[1] == "list")
                {
                    p.countType = typeNamed(w[2]);
                    p.type = typeNamed(w[3]);
                    if (p.countType == FLOAT32 || p.countType == FLOAT64)
                        p.countType = NO_TYPE;
                    if (p.countType == NO_TYPE || p.type == NO_TYPE)
                        return fail(where + "a list property has an unknown or fractional type");
                    p.name = w[4];
                }
                else if (w.size() == 3)
                {
                    p.type = typeNamed(w[1]);
                    if (p.type == NO_TYPE)
                        return fail(where + "unknown property type \"" + w[1] + "\"");
                    p.name = w[2];
                }
                else
                    return fail(where + "a property line is not \"property TYPE NAME\"");
                myElements.back().props.push_back(p);
            }
            else
                return fail(where + "unknown header keyword \"" + w[0] + "\"");
        }
        if (!have_format)
            return fail("the header has no format line");
        mySrc.setLine(myHeaderLines + 1);
        return checkCounts(size < 0 ? -1 : size - header_bytes);
    }

    // The counts must fit what the rest of the file could hold: each
    // binary record takes its fixed sizes (and its lists' counts), each
    // text value at least two bytes (one, the file's last).
    bool checkCounts(long long body)
    {
        bool seen_vertex = false;
        long double least = 0;
        for (const Element &e : myElements)
        {
            if (e.name == "vertex")
            {
                seen_vertex = true;
                if (e.count > (unsigned long long)std::numeric_limits<int>::max())
                    return fail("too many vertices (" + std::to_string(e.count) + ")");
            }
            if (e.name == "face")
            {
                if (!seen_vertex)
                    return fail("the face element comes before the vertex element");
                if (e.count > (unsigned long long)std::numeric_limits<int>::max())
                    return fail("too many faces (" + std::to_string(e.count) + ")");
            }
            if (e.count > 0 && e.props.empty())
                return fail("element " + e.name + " has records but no properties");
            int record = 0;
            for (const Property &p : e.props)
                record += myEncoding == ASCII ? 2 : theSizes[p.countType != NO_TYPE ? p.countType : p.type];
            least += (long double)e.count * record;
            if (body >= 0 && least > (long double)body + 1)
                return fail("the header promises " + std::to_string(e.count) + " " + e.name +
                            " records, more than the " + std::to_string(body) +
                            " bytes after it can hold");
        }
        if (!seen_vertex)
            return fail("the file has no vertex element");
        return true;
    }

    // One value, as a double; integer types must hold whole numbers in
    // their range.
    bool value(Type t, double &out)
    {
        if (myEncoding == ASCII)
        {
            bool too_long = false;
            if (!mySrc.word(myWord, theMaxWord, too_long))
                return fail(too_long ? "a value is too long" : "the file ends early");
            const char *b = myWord.data(), *e = b + myWord.size();
            if (myWord.size() > 1 && *b == '+')
                ++b;
            const auto r = std::from_chars(b, e, out);
            if (r.ec != std::errc() || r.ptr != e)
                return fail("\"" + myWord + "\" is not a number");
            if (t < FLOAT32 && (out != std::floor(out) || out < -theMax[t] - 1 || out > theMax[t]))
                return fail("\"" + myWord + "\" is not a whole number of its type");
            return true;
        }
        unsigned char b[8];
        const int n = theSizes[t];
        if (!mySrc.read(b, size_t(n)))
            return fail("the file ends early");
        uint64_t bits = 0;
        for (int i = 0; i < n; ++i)
            bits |= uint64_t(b[myEncoding == LITTLE ? i : n - 1 - i]) << (8 * i);
        switch (t)
        {
        case INT8: out = double(int8_t(bits)); break;
        case UINT8: out = double(uint8_t(bits)); break;
        case INT16: out = double(int16_t(bits)); break;
        case UINT16: out = double(uint16_t(bits)); break;
        case INT32: out = double(int32_t(bits)); break;
        case UINT32: out = double(uint32_t(bits)); break;
        case FLOAT32:
        {
            const uint32_t u = uint32_t(bits);
            float f;
            std::memcpy(&f, &u, 4);
            out = f;
            break;
        }
        default: std::memcpy(&out, &bits, 8); break;
        }
        return true;
    }

    bool listCount(Type t, size_t &count)
    {
        double c = 0;
        if (!value(t, c))
            return false;
        if (c < 0)
            return fail("a list has a negative length");
        count = size_t(c);
        return true;
    }

    bool skipProperty(const Property &p)
    {
        double v;
        size_t n = 1;
        if (p.countType != NO_TYPE && !listCount(p.countType, n))
            return false;
        for (size_t i = 0; i < n; ++i)
            if (!value(p.type, v))
                return false;
        return true;
    }

    bool skipElement(const Element &e)
    {
        for (unsigned long long r = 0; r < e.count; ++r)
            for (const Property &p : e.props)
                if (!skipProperty(p))
                    return fail(at(e, r) + myWhy);
        return true;
    }

    bool readVertices(const Element &e)
    {
        if (e.count == 0)
            return fail("the file holds no vertices");
        std::vector<Role> roles;
        bool has[UNUSED] = {};
        for (const Property &p : e.props)
        {
            Role r = p.countType == NO_TYPE ? roleOf(p.name) : UNUSED;
            if (r != UNUSED && has[r])
                r = UNUSED; // a repeated name: the first counts
            if (r != UNUSED)
                has[r] = true;
            roles.push_back(r);
        }
        if (!has[X] || !has[Y] || !has[Z])
            return fail("the vertices have no x, y and z");
        const int n = int(e.count);
        const int first = myGdp.appendPoints(n);
        GB_Attribute *normals = has[NX] && has[NY] && has[NZ]
                                    ? myGdp.addFloatAttrib(GB_ATTRIB_POINT, "N", 3) : nullptr;
        GB_Attribute *uvs = has[U] && has[V] ? myGdp.addFloatAttrib(GB_ATTRIB_POINT, "uv", 2)
                                             : nullptr;
        GB_Attribute *colours = has[RED] && has[GREEN] && has[BLUE]
                                    ? myGdp.addFloatAttrib(GB_ATTRIB_POINT, "Cd", 3) : nullptr;
        float *pos = myGdp.editPositions() + size_t(first) * 3;
        float got[UNUSED] = {};
        for (int r = 0; r < n; ++r)
        {
            for (size_t k = 0; k < roles.size(); ++k)
            {
                const Property &p = e.props[k];
                if (roles[k] == UNUSED)
                {
                    if (!skipProperty(p))
                        return fail(at(e, r) + myWhy);
                    continue;
                }
                double v;
                if (!value(p.type, v))
                    return fail(at(e, r) + myWhy);
                if (roles[k] >= RED)
                    v /= theMax[p.type];
                if (!GUfitsFloat(v))
                    return fail(at(e, r) + p.name + " is not a finite number");
                got[roles[k]] = float(v);
            }
            pos[size_t(r) * 3 + 0] = got[X];
            pos[size_t(r) * 3 + 1] = got[Y];
            pos[size_t(r) * 3 + 2] = got[Z];
            if (normals)
                normals->setF(first + r, &got[NX]);
            if (uvs)
                uvs->setF(first + r, &got[U]);
            if (colours)
                colours->setF(first + r, &got[RED]);
        }
        return true;
    }

    bool readFaces(const Element &e)
    {
        int list = -1;
        for (size_t k = 0; k < e.props.size(); ++k)
            if (e.props[k].countType != NO_TYPE &&
                (e.props[k].name == "vertex_indices" || e.props[k].name == "vertex_index"))
                list = int(k);
        if (list < 0)
            return fail("the faces have no vertex_indices list");
        const double npoints = myGdp.getNumPoints();
        for (unsigned long long r = 0; r < e.count; ++r)
        {
            for (size_t k = 0; k < e.props.size(); ++k)
            {
                const Property &p = e.props[k];
                if (int(k) != list)
                {
                    if (!skipProperty(p))
                        return fail(at(e, r) + myWhy);
                    continue;
                }
                size_t n = 0;
                if (!listCount(p.countType, n))
                    return fail(at(e, r) + myWhy);
                if (n < 3)
                    return fail(at(e, r) + "a face has fewer than three corners");
                if (n > theMaxCorners)
                    return fail(at(e, r) + "a face has too many corners");
                if (myGdp.getNumVertices() > std::numeric_limits<int>::max() - int(n))
                    return fail(at(e, r) + "too many face corners");
                myPoints.resize(n);
                for (size_t c = 0; c < n; ++c)
                {
                    double v;
                    if (!value(p.type, v))
                        return fail(at(e, r) + myWhy);
                    // Written so that NaN fails too; a float index must also be whole.
                    if (!(v >= 0 && v < npoints) || v != std::floor(v))
                        return fail(at(e, r) + "index out of range (" + indexText(v) + " of " +
                                    std::to_string((long long)npoints) + " vertices)");
                    myPoints[c] = int(v);
                }
                myGdp.appendPrimitive(GB_PRIM_POLYGON, myPoints.data(), int(n));
            }
        }
        return true;
    }

    GU_Detail &myGdp;
    GU_ByteSource mySrc;
    Encoding myEncoding = ASCII;
    std::vector<Element> myElements;
    std::vector<int> myPoints;
    std::string myWord;
    std::string myWhy;
    long long myHeaderLines = 0;
};
} // namespace

bool
GUreadPly(GU_Detail &gdp, std::istream &in, long long size, std::string &why)
{
    PlyReader reader(gdp, in);
    return reader.read(size, why);
}
