// The OBJ reader: whatever loads, written back as OBJ text, loads to the
// same points, primitives and texture coordinates.
#include "fuzz/FuzzSupport.h"
#include "host/GU/GU_Detail.h"

#include <cstdio>
#include <sstream>

namespace
{
// Points, one "vt" per vertex when there are texture coordinates, faces and
// lines. Floats with nine digits, which bring every float back exactly.
std::string
written(const GU_Detail &gdp)
{
    std::ostringstream os;
    vantrel_fuzz::writeExactFloats(os);
    for (int i = 0; i < gdp.getNumPoints(); ++i)
    {
        const UT_Vector3 p = gdp.getPos(i);
        os << "v " << p.x() << ' ' << p.y() << ' ' << p.z() << '\n';
    }
    const int uv_index = gdp.findTextureAttribute(GB_ATTRIB_VERTEX);
    const GB_Attribute *uv = uv_index >= 0 ? gdp.vertexAttribs().get(uv_index) : nullptr;
    if (uv)
        for (int v = 0; v < gdp.getNumVertices(); ++v)
            os << "vt " << uv->getF(v, 0) << ' ' << uv->getF(v, 1) << '\n';
    for (int prim = 0; prim < gdp.getNumPrimitives(); ++prim)
    {
        os << (gdp.isPrimClosed(prim) ? "f" : "l");
        const int first = gdp.getPrimVertexOffset(prim);
        for (int k = 0; k < gdp.getPrimVertexCount(prim); ++k)
        {
            os << ' ' << gdp.getVertexPoint(first + k) + 1;
            if (uv)
                os << '/' << first + k + 1;
        }
        os << '\n';
    }
    return os.str();
}

} // namespace

extern "C" int
LLVMFuzzerInitialize(int *, char ***)
{
    GU_Detail box, grid;
    box.buildBox(UT_Vector3(1, 2, 3));
    grid.buildGrid(2.0f, 1.0f, 3, 4);
    vantrel_fuzz::writeSeedsIfAsked({{"box", written(box)}, {"grid", written(grid)},
                                     {"mixed", "v 0 0 0\nv 1 0 0\nv 1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\n"
                                               "vn 0 0 1\nf 1/1/1 2/2/1 3/3/1\nf -3 -2 -1\nl 1 3\n"}});
    return 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::istringstream in(vantrel_fuzz::bytes(data, size));
    GU_Detail gdp;
    if (!gdp.load(in, "input"))
        return 0;
    vantrel_fuzz::expectMeshRoundTrip(gdp, "written", written);
    return 0;
}
