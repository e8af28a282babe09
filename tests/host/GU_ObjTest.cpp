// Reading OBJ mesh files into the geometry store.
#include "host/GU/GU_Detail.h"
#include "tests/support/VantrelScratch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <cmath>
#include <sys/stat.h>

namespace
{
std::string
writeFile(const char *name, const std::string &text)
{
    std::string path = ::testing::TempDir() + name;
    vantrel_test::writeFile(path, text);
    return path;
}

// A unit quad, a triangle sharing its edge and an open line; uvs and
// normals on the quad only.
const char *theMesh =
    "# test mesh\n"
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0.5 2 0.25\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "vn 0 0 1\n"
    "f 1/1/1 2/2/1 3/3/1 4/4/1\n"
    "f 4 3 5\n"
    "l 1 5\n";
}

TEST(GU_Obj, WrittenMeshReadsBackWithPointsPolygonsAndUVs)
{
    GU_Detail gdp;
    std::string error = "stale";
    ASSERT_TRUE(gdp.load(writeFile("mesh.obj", theMesh).c_str(), &error)) << error;
    EXPECT_TRUE(error.empty());

    ASSERT_EQ(gdp.getNumPoints(), 5);
    EXPECT_EQ(gdp.getPos(4), UT_Vector3(0.5f, 2.0f, 0.25f));
    ASSERT_EQ(gdp.getNumPrimitives(), 3);
    EXPECT_EQ(gdp.getPrimVertexCount(0), 4);
    EXPECT_EQ(gdp.getPrimVertexCount(1), 3);
    EXPECT_FALSE(gdp.isPrimClosed(2));
    const int expected_points[] = {0, 1, 2, 3, 3, 2, 4, 0, 4};
    ASSERT_EQ(gdp.getNumVertices(), 9);
    for (int v = 0; v < 9; ++v)
        EXPECT_EQ(gdp.getVertexPoint(v), expected_points[v]) << v;

    int uv = gdp.findTextureAttribute(GB_ATTRIB_VERTEX);
    ASSERT_GE(uv, 0);
    const GB_Attribute *uvs = gdp.vertexAttribs().get(uv);
    const float expected_uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int v = 0; v < 4; ++v)
    {
        EXPECT_FLOAT_EQ(uvs->getF(v, 0), expected_uv[v][0]);
        EXPECT_FLOAT_EQ(uvs->getF(v, 1), expected_uv[v][1]);
    }
    const GB_Attribute *n = gdp.vertexAttribs().find("N");
    ASSERT_TRUE(n);
    EXPECT_FLOAT_EQ(n->getF(2, 2), 1.0f);
}

TEST(GU_Obj, BrokenFilesGiveAClearErrorAndNoGeometry)
{
    static const char binary[] = "\x7f" "ELF\x02\x01\x01\0\0\0\xff\xfe\n\x01\x02";
    struct Case
    {
        const char *file;
        bool exists;
        std::string text;
        const char *expected; // part of the message
    };
    const Case cases[] = {
        {"missing.obj", false, "", "cannot open"},
        {"empty.obj", true, "", "no polygons"},
        {"truncated.obj", true, "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 3 4 5\nf 1 2", "out of range"},
        {"range.obj", true, "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 9\n", "point 9 of 3"},
        {"badnormal.obj", true, "v 0 0 0\nv 1 0 0\nv 1 1 0\nvn 0 0 1\nf 1//1 2//2 3//1\n",
         "normal 2 of 1"},
        {"zero.obj", true, "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 0 1 2\n", "zero"},
        {"binary.obj", true, std::string(binary, sizeof(binary) - 1), "no polygons"},
    };
    for (const Case &c : cases)
    {
        std::string path = ::testing::TempDir() + c.file;
        if (c.exists)
            writeFile(c.file, c.text);
        else
            std::remove(path.c_str());

        GU_Detail gdp;
        gdp.buildBox(UT_Vector3(1, 1, 1));  // must be gone after a failed read
        std::string error;
        EXPECT_FALSE(gdp.load(path.c_str(), &error)) << c.file;
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.file << ": " << error;
        EXPECT_EQ(gdp.getNumPoints(), 0) << c.file;
        EXPECT_EQ(gdp.getNumPrimitives(), 0) << c.file;
    }
}

TEST(GU_Obj, ExampleMeshLoads)
{
    GU_Detail gdp;
    std::string error;
    ASSERT_TRUE(gdp.load(VANTREL_SOURCE_DIR "/examples/data/bunny.obj", &error)) << error;
    EXPECT_EQ(gdp.getNumPoints(), 1839);
    EXPECT_EQ(gdp.getNumPrimitives(), 3674);
    EXPECT_LT(gdp.findTextureAttribute(GB_ATTRIB_VERTEX), 0);
}

TEST(GU_Obj, NumbersIndicesAndFilesFromOutside)
{
    const std::string tri = "v 0 0 0\nv 1 0 0\nv 1 1 0\n";
    struct Case
    {
        std::string text;
        const char *expected; // part of the message
    };
    const Case refused[] = {
        {"v nan 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 3\n", "line 1: a point coordinate is not a finite"},
        {tri + "v 1e39 0 0\nf 1 2 3\n", "line 4: a point coordinate"},
        {tri + "v 0x10 0 0\n", "not a finite"},
        {tri + "vt inf 0\n", "texture coordinate is not a finite"},
        {tri + "f 99999999999999999999 1 2\n", "line 4: a point index is too large"},
        {tri + "f 4294967298 1 2\n", "out of range (point 4294967298 of 3)"},
        {tri + "f -4 1 2\n", "out of range (point -4 of 3)"},
        {tri + "f 1 2 3x\n", "not a whole number"},
        {tri + "f 1 2\n", "fewer than three corners"},
        {tri + "l 1\n", "fewer than two points"},
        {tri + "f 1/2/3/4 1 2\n", "not of the form"},
    };
    for (const Case &c : refused)
    {
        GU_Detail gdp;
        std::string error;
        EXPECT_FALSE(gdp.load(writeFile("refused.obj", c.text).c_str(), &error)) << c.text;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.text << " -> " << error;
        EXPECT_EQ(gdp.getNumPoints(), 0);
    }

    // A 256-corner face, relative indices, CRLF ends and a point with w.
    std::string big;
    for (int i = 0; i < 256; ++i)
        big += "v " + std::to_string(std::cos(i * 0.0245)) + " " + std::to_string(std::sin(i * 0.0245)) + " 0 1\r\n";
    big += "f";
    for (int i = 1; i <= 256; ++i)
        big += " " + std::to_string(i);
    big += "\r\nf -1 -2 -3\r\n";
    GU_Detail gdp;
    std::string error;
    ASSERT_TRUE(gdp.load(writeFile("big.obj", big).c_str(), &error)) << error;
    ASSERT_EQ(gdp.getNumPrimitives(), 2);
    EXPECT_EQ(gdp.getPrimVertexCount(0), 256);
    EXPECT_EQ(gdp.getVertexPoint(256), 255);
    EXPECT_EQ(gdp.getVertexPoint(258), 253);
}
