// The PLY reader: whatever loads, written back as text PLY, loads to the
// same points, faces and colours.
#include "fuzz/FuzzSupport.h"
#include "host/GU/GU_Detail.h"

#include <sstream>

namespace
{
std::string
written(const GU_Detail &gdp)
{
    const GB_Attribute *cd = gdp.pointAttribs().find("Cd");
    std::ostringstream os;
    vantrel_fuzz::writeExactFloats(os);
    os << "ply\nformat ascii 1.0\nelement vertex " << gdp.getNumPoints()
       << "\nproperty float x\nproperty float y\nproperty float z\n";
    if (cd)
        os << "property float red\nproperty float green\nproperty float blue\n";
    os << "element face " << gdp.getNumPrimitives()
       << "\nproperty list uint int vertex_indices\nend_header\n";
    for (int i = 0; i < gdp.getNumPoints(); ++i)
    {
        const UT_Vector3 p = gdp.getPos(i);
        os << p.x() << ' ' << p.y() << ' ' << p.z();
        if (cd)
            os << ' ' << cd->getF(i, 0) << ' ' << cd->getF(i, 1) << ' ' << cd->getF(i, 2);
        os << '\n';
    }
    for (int prim = 0; prim < gdp.getNumPrimitives(); ++prim)
    {
        os << gdp.getPrimVertexCount(prim);
        const int first = gdp.getPrimVertexOffset(prim);
        for (int k = 0; k < gdp.getPrimVertexCount(prim); ++k)
            os << ' ' << gdp.getVertexPoint(first + k);
        os << '\n';
    }
    return os.str();
}

std::string
binarySeed()
{
    std::string s = "ply\nformat binary_big_endian 1.0\nelement vertex 3\nproperty float x\n"
                    "property float y\nproperty float z\nelement face 1\n"
                    "property list uchar ushort vertex_indices\nend_header\n";
    const unsigned char body[] = {0,   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,    // 0 0 0
                                  0x3f, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // 1 0 0
                                  0,   0, 0, 0, 0x3f, 0x80, 0, 0, 0, 0, 0, 0,
                                  3,   0, 0, 0, 1, 0, 2};
    return s + std::string(reinterpret_cast<const char *>(body), sizeof(body));
}
} // namespace

extern "C" int
LLVMFuzzerInitialize(int *, char ***)
{
    GU_Detail box;
    box.buildBox(UT_Vector3(1, 2, 3));
    vantrel_fuzz::writeSeedsIfAsked(
        {{"box", written(box)},
         {"binary", binarySeed()},
         {"cloud", "ply\nformat ascii 1.0\nelement vertex 2\nproperty float x\nproperty float y\n"
                   "property float z\nproperty uchar red\nproperty uchar green\nproperty uchar blue\n"
                   "property float s\nproperty float t\nend_header\n0 0 0 255 0 0 0 1\n1 1 1 0 9 9 1 0\n"}});
    return 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    GU_Detail gdp;
    if (!vantrel_fuzz::loadAsFile("fuzz_ply", ".ply", data, size, gdp))
        return 0;
    vantrel_fuzz::expectMeshRoundTrip(gdp, "written.ply", written);
    return 0;
}
