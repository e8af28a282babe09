// Reading glTF 2.0 scenes: parts land where the node transforms put them,
// with their names and colours; the content decides over the extension;
// bad files are refused whole with one reason naming the file.
#include "host/GU/GU_Detail.h"
#include "tests/support/VantrelGlb.h"
#include "tests/support/VantrelScratch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

using vantrel_test::appendBytes;
using vantrel_test::readFile;

namespace
{
std::string
base64(const std::string &bytes)
{
    static const char digits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3)
    {
        unsigned v = (unsigned char)bytes[i] << 16;
        if (i + 1 < bytes.size())
            v |= (unsigned char)bytes[i + 1] << 8;
        if (i + 2 < bytes.size())
            v |= (unsigned char)bytes[i + 2];
        for (size_t k = 0; k < 4; ++k)
            out.push_back(i + k <= bytes.size() ? digits[(v >> (18 - 6 * k)) & 63] : '=');
    }
    return out;
}

void
floats(std::string &out, std::initializer_list<float> values)
{
    for (float v : values)
        appendBytes(out, v);
}

// The external buffer: a triangle (positions, ubyte colours, ushort
// indices) at 0, 36 and 48, and a quad's strip of four points at 56.
std::string
binBytes()
{
    std::string bin;
    floats(bin, {0, 0, 0, 1, 0, 0, 0, 1, 0});
    for (unsigned char c : {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255})
        bin.push_back(char(c));
    for (uint16_t i : {0, 1, 2, 0})
        appendBytes(bin, i);
    floats(bin, {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0});
    return bin;
}

// The scene: "table" (moved 10 along x, scaled 2) holds "top" (the
// coloured indexed triangle, raised 1) and an unnamed node of the mesh
// "leg" (the strip, turned 90 degrees about z); an unnamed node moves the
// points mesh "dots" (from a data URI) by -1 in z; an unnamed node holds
// an unnamed mesh of a non-indexed triangle beside points.
std::string
sceneJson(const std::string &bin_uri)
{
    std::string points;
    floats(points, {0, 0, 5, 0, 0, 6});
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0,3,4]}],
"nodes":[{"name":"table","translation":[10,0,0],"scale":[2,2,2],"children":[1,2]},
 {"name":"top","mesh":0,"translation":[0,1,0]},
 {"mesh":1,"rotation":[0,0,0.70710678,0.70710678]},
 {"mesh":2,"matrix":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,-1,1]},
 {"mesh":3}],
"meshes":[{"name":"top mesh","primitives":[{"attributes":{"POSITION":0,"COLOR_0":1},"indices":2}]},
 {"name":"leg","primitives":[{"attributes":{"POSITION":3},"mode":5}]},
 {"name":"dots","primitives":[{"attributes":{"POSITION":4},"mode":0}]},
 {"primitives":[{"attributes":{"POSITION":0}},{"attributes":{"POSITION":4},"mode":0}]}],
"accessors":[{"bufferView":0,"count":3,"type":"VEC3","componentType":5126},
 {"bufferView":1,"count":3,"type":"VEC4","componentType":5121,"normalized":true},
 {"bufferView":2,"count":3,"type":"SCALAR","componentType":5123},
 {"bufferView":3,"count":4,"type":"VEC3","componentType":5126},
 {"bufferView":4,"count":2,"type":"VEC3","componentType":5126}],
"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":12},
 {"buffer":0,"byteOffset":48,"byteLength":6},{"buffer":0,"byteOffset":56,"byteLength":48},
 {"buffer":1,"byteLength":24}],
"buffers":[{)" + bin_uri + R"("byteLength":104},
 {"byteLength":24,"uri":"data:application/octet-stream;base64,)" +
           base64(points) + R"("}]})";
}

std::string
glbScene()
{
    return vantrel_test::glbFile(sceneJson(""), binBytes());
}

// Writes the .gltf form with its .bin beside it in dir.
std::string
writeGltf(const std::string &dir, const std::string &name)
{
    vantrel_test::writeFile(dir + "/parts.bin", binBytes());
    const std::string p = dir + "/" + name;
    vantrel_test::writeFile(p, sceneJson(R"("uri":"parts.bin",)"));
    return p;
}

void
expectNear(const UT_Vector3 &got, const UT_Vector3 &want, const std::string &what)
{
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(got[k], want[k], 1e-5f) << what << " component " << k;
}

std::string
replaced(std::string text, const std::string &from, const std::string &to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}
} // namespace

TEST(GU_Gltf, PartsLandWhereTheirNodesPutThemWithNamesAndColours)
{
    vantrel_test::ScratchDir dir;
    const std::string glb = dir.path() + "/scene.glb";
    vantrel_test::writeFile(glb, glbScene());
    for (const std::string &file : {glb, writeGltf(dir.path(), "scene.gltf")})
    {
        std::vector<GU_MeshPart> parts;
        std::string error;
        ASSERT_TRUE(GU_Detail::loadParts(file.c_str(), parts, &error)) << file << ": " << error;
        ASSERT_EQ(parts.size(), 5u) << file;
        const char *names[] = {"top", "leg", "dots", "mesh 3", "mesh 3 points"};
        for (size_t i = 0; i < parts.size(); ++i)
            EXPECT_EQ(parts[i].name, names[i]) << file;

        const GU_Detail &top = *parts[0].detail;
        ASSERT_EQ(top.getNumPoints(), 3);
        ASSERT_EQ(top.getNumPrimitives(), 1);
        // (1, 0, 0) raised 1, scaled 2, moved 10.
        expectNear(top.getPos(1), UT_Vector3(12, 2, 0), "top point 1");
        const GB_Attribute *cd = top.pointAttribs().find("Cd");
        ASSERT_TRUE(cd);
        EXPECT_FLOAT_EQ(cd->getF(2, 2), 1.0f);
        EXPECT_FLOAT_EQ(cd->getF(2, 0), 0.0f);
        EXPECT_FLOAT_EQ(cd->getF(0, 0), 1.0f);

        // The strip makes two triangles wound alike: 0 1 2, then 2 1 3.
        const GU_Detail &leg = *parts[1].detail;
        ASSERT_EQ(leg.getNumPrimitives(), 2);
        EXPECT_EQ(leg.getVertexPoint(3), 2);
        EXPECT_EQ(leg.getVertexPoint(4), 1);
        EXPECT_EQ(leg.getVertexPoint(5), 3);
        // (1, 1, 0) turned to (-1, 1, 0), scaled 2, moved 10.
        expectNear(leg.getPos(3), UT_Vector3(8, 2, 0), "leg point 3");
        EXPECT_FALSE(leg.pointAttribs().find("Cd"));

        const GU_Detail &dots = *parts[2].detail;
        EXPECT_EQ(dots.getNumPrimitives(), 0);
        ASSERT_EQ(dots.getNumPoints(), 2);
        expectNear(dots.getPos(1), UT_Vector3(0, 0, 5), "dots point 1");

        EXPECT_EQ(parts[3].detail->getNumPrimitives(), 1);
        EXPECT_EQ(parts[4].detail->getNumPrimitives(), 0);
        EXPECT_EQ(parts[4].detail->getNumPoints(), 2);

        // One geometry holds them all, colours white where a part had none.
        GU_Detail all;
        ASSERT_TRUE(all.load(file.c_str(), &error)) << error;
        EXPECT_EQ(all.getNumPoints(), 3 + 4 + 2 + 3 + 2);
        EXPECT_EQ(all.getNumPrimitives(), 1 + 2 + 1);
        const GB_Attribute *all_cd = all.pointAttribs().find("Cd");
        ASSERT_TRUE(all_cd);
        EXPECT_FLOAT_EQ(all_cd->getF(4, 1), 1.0f);
        expectNear(all.getPos(13), UT_Vector3(0, 0, 6), "last point");
    }
}

TEST(GU_Gltf, TransformsNormalsUVsAndModesCompose)
{
    // One triangle with normals and uvs under a mirroring parent and a
    // child turned about y; drawn as a fan, a line loop and as lines.
    std::string bin;
    floats(bin, {0, 0, 0, 1, 0, 0, 0, 1, 0});
    floats(bin, {0, 0, 1, 0, 0, 1, 0, 0, 1});
    floats(bin, {0, 0, 0.25f, 0, 0, 1});
    const std::string json = R"({"asset":{"version":"2.0"},
"nodes":[{"scale":[-1,1,1],"children":[1]},{"name":"child","mesh":0,"rotation":[0,0.70710678,0,0.70710678]}],
"meshes":[{"primitives":[{"attributes":{"POSITION":0,"NORMAL":1,"TEXCOORD_0":2},"mode":MODE}]}],
"accessors":[{"bufferView":0,"count":3,"type":"VEC3","componentType":5126},
 {"bufferView":0,"byteOffset":36,"count":3,"type":"VEC3","componentType":5126},
 {"bufferView":0,"byteOffset":72,"count":3,"type":"VEC2","componentType":5126}],
"bufferViews":[{"buffer":0,"byteLength":96}],"buffers":[{"byteLength":96}]})";
    const struct
    {
        const char *mode;
        int prims, vertices;
        GB_PrimType type;
    } modes[] = {{"6", 1, 3, GB_PRIM_POLYGON}, {"4", 1, 3, GB_PRIM_POLYGON},
                 {"2", 1, 4, GB_PRIM_POLYLINE}, {"3", 1, 3, GB_PRIM_POLYLINE},
                 {"1", 1, 2, GB_PRIM_POLYLINE}};
    vantrel_test::ScratchDir dir;
    for (const auto &m : modes)
    {
        const std::string file = dir.path() + "/mode" + m.mode + ".glb";
        vantrel_test::writeFile(file, vantrel_test::glbFile(replaced(json, "MODE", m.mode), bin));
        std::vector<GU_MeshPart> parts;
        std::string error;
        ASSERT_TRUE(GU_Detail::loadParts(file.c_str(), parts, &error)) << m.mode << error;
        ASSERT_EQ(parts.size(), 1u);
        EXPECT_EQ(parts[0].name, "child");
        const GU_Detail &gdp = *parts[0].detail;
        EXPECT_EQ(gdp.getNumPrimitives(), m.prims) << m.mode;
        EXPECT_EQ(gdp.getNumVertices(), m.vertices) << m.mode;
        EXPECT_EQ(gdp.getPrimType(0), m.type) << m.mode;
        // (1, 0, 0) turned about y to (0, 0, -1); the mirror leaves it.
        expectNear(gdp.getPos(1), UT_Vector3(0, 0, -1), "point 1");
        // The normal +z turns to +x and is mirrored to -x.
        const GB_Attribute *n = gdp.pointAttribs().find("N");
        ASSERT_TRUE(n);
        EXPECT_NEAR(n->getF(0, 0), -1.0f, 1e-5f);
        // glTF's v runs down the image, ours up.
        const GB_Attribute *uv = gdp.pointAttribs().find("uv");
        ASSERT_TRUE(uv);
        EXPECT_FLOAT_EQ(uv->getF(1, 0), 0.25f);
        EXPECT_FLOAT_EQ(uv->getF(1, 1), 1.0f);
        EXPECT_FLOAT_EQ(uv->getF(2, 1), 0.0f);
        // The mirror turns the winding so the face still faces out.
        if (m.type == GB_PRIM_POLYGON)
        {
            EXPECT_EQ(gdp.getVertexPoint(1), 2) << m.mode;
            EXPECT_EQ(gdp.getVertexPoint(2), 1) << m.mode;
        }
    }
}

TEST(GU_Gltf, TheContentDecidesOverTheExtension)
{
    vantrel_test::ScratchDir dir;
    const std::string gltf_text = readFile(writeGltf(dir.path(), "real.gltf"));
    const struct
    {
        const char *name;
        std::string bytes;
    } files[] = {
        {"binary.gltf", glbScene()},
        {"binary.obj", glbScene()},
        {"binary", glbScene()},
        {"text.obj", gltf_text},
        {"text.ply", "\n  " + gltf_text},
    };
    for (const auto &f : files)
    {
        const std::string file = dir.path() + "/" + f.name;
        vantrel_test::writeFile(file, f.bytes);
        std::vector<GU_MeshPart> parts;
        std::string error;
        ASSERT_TRUE(GU_Detail::loadParts(file.c_str(), parts, &error)) << f.name << ": " << error;
        EXPECT_EQ(parts.size(), 5u) << f.name;
    }
    // Other formats come back as one part named after the file.
    const std::string obj = dir.path() + "/plain.mesh.obj";
    vantrel_test::writeFile(obj, "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    std::vector<GU_MeshPart> parts;
    ASSERT_TRUE(GU_Detail::loadParts(obj.c_str(), parts));
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].name, "plain.mesh");
    EXPECT_EQ(parts[0].detail->getNumPrimitives(), 1);
}

TEST(GU_Gltf, BadFilesAreRefusedWholeWithOneReason)
{
    vantrel_test::ScratchDir dir;
    const std::string bin = binBytes();
    const std::string json = sceneJson("");
    auto glb = [](const std::string &j, const std::string &b) { return vantrel_test::glbFile(j, b); };
    auto binWith = [&](size_t at, const std::string &bytes) {
        std::string b = bin;
        b.replace(at, bytes.size(), bytes);
        return b;
    };
    std::string nan;
    appendBytes(nan, std::nanf(""));
    std::string index9;
    appendBytes(index9, uint16_t(9));
    std::string deep = R"({"asset":{"version":"2.0"},"nodes":[)";
    for (int i = 0; i < 100; ++i)
        deep += R"({"children":[)" + std::to_string(i + 1) + "]},";
    deep += R"({"mesh":0}],"meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],
"accessors":[{"count":3,"type":"VEC3","componentType":5126}]})";
    const std::string whole = glb(json, bin);
    const std::string gltf_text = readFile(writeGltf(dir.path(), "ok.gltf"));
    auto gltfUri = [&](const std::string &uri) {
        return replaced(gltf_text, R"("uri":"parts.bin")", "\"uri\":\"" + uri + "\"");
    };
    const struct
    {
        const char *name;
        std::string bytes;
        const char *reason;
    } cases[] = {
        {"truncated.glb", whole.substr(0, whole.size() - 10), "(truncated?)"},
        {"header.glb", whole.substr(0, 9), "ends inside the glb header"},
        {"accessor.glb",
         glb(replaced(json, R"({"bufferView":3,"count":4,)", R"({"bufferView":3,"count":5,)"), bin),
         "accessor 3 (POSITION) runs past the end of bufferView 3"},
        {"view.glb", glb(replaced(json, R"("byteOffset":56,"byteLength":48)", R"("byteOffset":56,"byteLength":52)"), bin),
         "bufferView 3 runs past the end of buffer 0"},
        {"buffer.glb", glb(replaced(json, R"("byteLength":104)", R"("byteLength":4000000000)"), bin),
         "buffer 0 declares 4000000000 bytes but holds 104"},
        {"component.glb", glb(replaced(json, R"("count":3,"type":"SCALAR","componentType":5123)",
                                       R"("count":3,"type":"SCALAR","componentType":5126)"), bin),
         "accessor 2 (indices) has the wrong component type (5126)"},
        {"count.glb", glb(replaced(json, R"("bufferView":4,"count":2)", R"("bufferView":4,"count":4000000000)"), bin),
         "accessor 4 (POSITION) runs past the end of bufferView 4"},
        {"index.glb", glb(json, binWith(50, index9)), "index 1 (9) is out of range (3 points)"},
        {"nan.glb", glb(json, binWith(60, nan)), "mesh 1 primitive 0: POSITION 0 is not a finite"},
        {"cycle.glb", glb(replaced(json, R"("mesh":2,)", R"("mesh":2,"children":[3],)"), bin),
         "node 3 is reached twice"},
        {"parents.glb", glb(replaced(json, R"("nodes":[0,3,4])", R"("nodes":[0,3,4,1])"), bin),
         "node 1 is reached twice"},
        {"deep.glb", glb(deep, ""), "node 65 lies deeper than 64 levels"},
        {"nobin.glb", glb(json, ""), "buffer 0 has no \"uri\" and there is no glb binary chunk"},
        {"missing.gltf", gltfUri("nothere.bin"), "nothere.bin does not exist"},
        {"up.gltf", gltfUri("../parts.bin"), "is not a file beside this one"},
        {"upescaped.gltf", gltfUri("sub/%2E%2E/../parts.bin"), "is not a file beside this one"},
        {"absolute.gltf", gltfUri(dir.path() + "/parts.bin"), "is not a file beside this one"},
        {"web.gltf", gltfUri("http://example.invalid/parts.bin"), "is not a file beside this one"},
        {"base64.gltf", replaced(gltf_text, ";base64,", ";base64,*"), "not valid base64"},
        {"noposition.glb", glb(replaced(json, R"({"POSITION":3})", R"({"NORMAL":3})"), bin),
         "mesh 1 primitive 0 has no POSITION"},
        {"mode.glb", glb(replaced(json, R"("mode":5)", R"("mode":7)"), bin), "mode 7 is not one of 0 to 6"},
        {"json.gltf", R"({"asset": {"version": "2.0"}, "nodes": [)", "the JSON is not well formed"},
        {"version.gltf", replaced(gltf_text, R"("version":"2.0")", R"("version":"1.0")"), "only glTF 2.0"},
        {"empty.gltf", R"({"asset":{"version":"2.0"},"scenes":[{"nodes":[]}]})", "holds no mesh"},
    };
    for (const auto &c : cases)
    {
        const std::string file = dir.path() + "/" + c.name;
        vantrel_test::writeFile(file, c.bytes);
        GU_Detail gdp;
        std::string error;
        EXPECT_FALSE(gdp.load(file.c_str(), &error)) << c.name;
        EXPECT_EQ(error.find(file + ": "), 0u) << c.name << ": " << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(gdp.getNumPoints(), 0) << c.name;
        std::vector<GU_MeshPart> parts(1);
        std::string parts_error;
        EXPECT_FALSE(GU_Detail::loadParts(file.c_str(), parts, &parts_error)) << c.name;
        EXPECT_TRUE(parts.empty()) << c.name;
        EXPECT_EQ(parts_error, error) << c.name;
    }

    // Neither a folder nor a pipe named like a scene is read.
    const std::string folder = dir.path() + "/folder.glb", fifo = dir.path() + "/pipe.glb";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &file : {folder, fifo})
    {
        std::vector<GU_MeshPart> parts;
        std::string error;
        EXPECT_FALSE(GU_Detail::loadParts(file.c_str(), parts, &error));
        EXPECT_EQ(error.find(file + ": cannot open the file: it is "), 0u) << error;
    }
}
