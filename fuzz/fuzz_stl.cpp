// The STL reader: whatever loads, written back as text STL (one facet per
// triangle of each polygon's fan), loads to the same points and facets.
#include "fuzz/FuzzSupport.h"
#include "host/GU/GU_Detail.h"

#include <cstring>
#include <sstream>

namespace
{
std::string
written(const GU_Detail &gdp)
{
    std::ostringstream os;
    vantrel_fuzz::writeExactFloats(os);
    os << "solid written\n";
    for (int prim = 0; prim < gdp.getNumPrimitives(); ++prim)
    {
        const int first = gdp.getPrimVertexOffset(prim);
        os << "facet normal 0 0 0\nouter loop\n";
        for (int k = 0; k < gdp.getPrimVertexCount(prim); ++k)
        {
            const UT_Vector3 p = gdp.getPos(gdp.getVertexPoint(first + k));
            os << "vertex " << p.x() << ' ' << p.y() << ' ' << p.z() << '\n';
        }
        os << "endloop\nendfacet\n";
    }
    return os.str() + "endsolid written\n";
}

std::string
binarySeed()
{
    std::string s(80, ' ');
    const uint32_t count = 2;
    s.append(reinterpret_cast<const char *>(&count), 4);
    const float facets[2][12] = {{0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 1, 0},
                                 {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0}};
    for (const auto &f : facets)
    {
        s.append(reinterpret_cast<const char *>(f), sizeof(f));
        s.append(2, '\0');
    }
    return s;
}
} // namespace

extern "C" int
LLVMFuzzerInitialize(int *, char ***)
{
    GU_Detail box;
    box.buildBox(UT_Vector3(1, 2, 3));
    vantrel_fuzz::writeSeedsIfAsked({{"box", written(box)}, {"binary", binarySeed()}});
    return 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    GU_Detail gdp;
    if (!vantrel_fuzz::loadAsFile("fuzz_stl", ".stl", data, size, gdp))
        return 0;
    vantrel_fuzz::expectMeshRoundTrip(gdp, "written.stl", written);
    return 0;
}
