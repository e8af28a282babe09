// The glTF reader, fed .glb files: whatever loads as parts loads as one
// geometry holding them all, and a part of triangles or points alone,
// written back as .glb, loads to the same points, faces and colours.
#include "fuzz/FuzzSupport.h"
#include "host/GU/GU_Detail.h"
#include "tests/support/VantrelGlb.h"

#include <cmath>
#include <sstream>

using vantrel_test::appendBytes;

namespace
{
// The part as one mesh of one primitive, or empty when it holds anything
// but triangles (lines and points alone are written too).
std::string
written(const GU_Detail &gdp)
{
    const int prims = gdp.getNumPrimitives();
    int mode = prims == 0 ? 0 : 4;
    for (int p = 0; p < prims; ++p)
        if (gdp.getPrimType(p) != GB_PRIM_POLYGON || gdp.getPrimVertexCount(p) != 3)
            return std::string();
    const GB_Attribute *cd = gdp.pointAttribs().find("Cd");
    const size_t npoints = size_t(gdp.getNumPoints());
    std::string bin(reinterpret_cast<const char *>(gdp.getPositions()), npoints * 12);
    const size_t colours = bin.size();
    if (cd)
        bin.append(reinterpret_cast<const char *>(cd->getFloatData()), npoints * 12);
    const size_t indices = bin.size();
    for (int v = 0; v < gdp.getNumVertices(); ++v)
        appendBytes(bin, uint32_t(gdp.getVertexPoint(v)));
    std::ostringstream json;
    json << R"({"asset":{"version":"2.0"},"nodes":[{"name":"part","mesh":0}],)"
         << R"("meshes":[{"primitives":[{"mode":)" << mode << R"(,"attributes":{"POSITION":0)";
    if (cd)
        json << R"(,"COLOR_0":1)";
    json << "}";
    if (mode == 4)
        json << R"(,"indices":2)";
    json << R"(}]}],"accessors":[{"bufferView":0,"count":)" << npoints
         << R"(,"type":"VEC3","componentType":5126},{"bufferView":1,"count":)" << npoints
         << R"(,"type":"VEC3","componentType":5126},{"bufferView":2,"count":)"
         << gdp.getNumVertices() << R"(,"type":"SCALAR","componentType":5125}],)"
         << R"("bufferViews":[{"buffer":0,"byteLength":)" << npoints * 12
         << R"(},{"buffer":0,"byteOffset":)" << colours << R"(,"byteLength":)" << (cd ? npoints * 12 : 0)
         << R"(},{"buffer":0,"byteOffset":)" << indices << R"(,"byteLength":)" << bin.size() - indices
         << R"(}],"buffers":[{"byteLength":)" << bin.size() << "}]}";
    return vantrel_test::glbFile(json.str(), bin);
}

std::string
seedScene()
{
    std::string bin;
    for (float f : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f, 1.f, 1.f, 0.f})
        appendBytes(bin, f);
    for (float f : {0.f, 0.f, 1.f, 0.f, 0.f, 1.f, 0.f, 0.f, 1.f, 0.f, 0.f, 1.f})
        appendBytes(bin, f);
    for (unsigned char c : {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 9, 9, 9, 9})
        bin.push_back(char(c));
    for (uint16_t i : {0, 1, 2, 2, 1, 3})
        appendBytes(bin, i);
    const std::string json = R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0,2]}],
"nodes":[{"name":"a","translation":[1,2,3],"rotation":[0,0,0.6,0.8],"scale":[1,2,1],"children":[1]},
{"name":"b","mesh":1,"matrix":[-1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1]},{"mesh":0}],
"meshes":[{"name":"m","primitives":[{"attributes":{"POSITION":0,"NORMAL":1,"COLOR_0":2},"indices":3},
{"attributes":{"POSITION":0},"mode":0}]},
{"primitives":[{"attributes":{"POSITION":0},"mode":5},{"attributes":{"POSITION":0},"mode":6},
{"attributes":{"POSITION":0},"mode":2,"indices":3},{"attributes":{"POSITION":0},"mode":1}]}],
"accessors":[{"bufferView":0,"count":4,"type":"VEC3","componentType":5126},
{"bufferView":0,"byteOffset":48,"count":4,"type":"VEC3","componentType":5126},
{"bufferView":1,"count":4,"type":"VEC4","componentType":5121,"normalized":true},
{"bufferView":2,"count":6,"type":"SCALAR","componentType":5123}],
"bufferViews":[{"buffer":0,"byteLength":96,"byteStride":12},{"buffer":0,"byteOffset":96,"byteLength":16},
{"buffer":0,"byteOffset":112,"byteLength":12}],"buffers":[{"byteLength":124}]})";
    return vantrel_test::glbFile(json, bin);
}

void
expectSound(const GU_Detail &gdp)
{
    const float *pos = gdp.getPositions();
    for (size_t i = 0; i < size_t(gdp.getNumPoints()) * 3; ++i)
        if (!std::isfinite(pos[i]))
            vantrel_fuzz::failRoundTrip("a loaded position is not finite", std::to_string(i));
    for (int v = 0; v < gdp.getNumVertices(); ++v)
        if (gdp.getVertexPoint(v) < 0 || gdp.getVertexPoint(v) >= gdp.getNumPoints())
            vantrel_fuzz::failRoundTrip("a vertex names no point", std::to_string(v));
}
} // namespace

extern "C" int
LLVMFuzzerInitialize(int *, char ***)
{
    vantrel_fuzz::writeSeedsIfAsked({{"scene", seedScene()}});
    return 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string path = vantrel_fuzz::scratchPath("fuzz_gltf", "input", ".glb");
    if (!vantrel_fuzz::writeFile(path, data, size))
        return 0;
    std::vector<GU_MeshPart> parts;
    const bool ok = GU_Detail::loadParts(path.c_str(), parts);
    GU_Detail all;
    const bool all_ok = all.load(path.c_str());
    std::remove(path.c_str());
    if (ok != all_ok)
        vantrel_fuzz::failRoundTrip("the parts and the whole disagree on loading", "");
    if (!ok)
        return 0;
    int points = 0;
    for (const GU_MeshPart &part : parts)
    {
        expectSound(*part.detail);
        points += part.detail->getNumPoints();
        const std::string first = written(*part.detail);
        if (first.empty())
            continue;
        std::istringstream back(first);
        GU_Detail again;
        std::string error;
        if (!again.load(back, "written.glb", &error))
            vantrel_fuzz::failRoundTrip(("a written part does not load: " + error).c_str(), "");
        vantrel_fuzz::expectSameText(first, written(again), "the part");
    }
    if (points != all.getNumPoints())
        vantrel_fuzz::failRoundTrip("the whole does not hold every part's points", "");
    return 0;
}
