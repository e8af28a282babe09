#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_Detail.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Light.h"
#include "tests/support/VantrelTestContext.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// Meshes shaded by their attributes ("Cd" colours, facet normals "N") in
// the viewport (8, 30) 112 x 64 of the shared context, showing x in
// [-3.5, 3.5] and y in [-2, 2]: 16 pixels a unit.
class GR_AttribShading : public vantrel_test::PixelTest
{
protected:
    void setUpScene() override
    {
        render()->viewport2DS(8, 119, 30, 93);
        render()->ortho3DW(-3.5f, 3.5f, -2, 2, -10, 10);
        render()->enableZbuffer(1, 1);
        common.wireColor().setRGB(0.0f, 1.0f, 0.0f);
        light.setFlag(RE_Light::RE_LIGHT_INFINITE, true);
        light.setDirection(UT_Vector3(0, 0, -1));
        light.setColor(1, 1, 1);
        render()->setLightState(&light, true);
        render()->toggleLighting(1);
    }
    std::vector<int> at(float x, float y) const
    {
        return pixel(8 + int((x + 3.5f) * 16.0f), 30 + int((y + 2.0f) * 16.0f));
    }
    void shaded(GU_Detail &gdp, GR_ShadingMode mode)
    {
        option.shadingMode(mode);
        drawer.shadedDraw(&gdp, *render(), 1.0f, nullptr, false, nullptr, &option, 0.0f,
                          UT_Matrix4(1.0f), UT_Matrix4(1.0f), 1, true, nullptr);
    }

    GR_CommonDispOption common;
    GR_DisplayOption option{&common};
    GR_Detail drawer;
    RE_Light light{"head"};
};

// Two unit quads facing +z side by side from x = x0, at y from 0.2 to 1.2
// (off the centre of the view): the left one reddish, the right one
// bluish. With shared points the colours sit on the vertices (each face
// its own colour); otherwise each quad has its own four points coloured.
void
twoColoredQuads(GU_Detail &gdp, float x0, bool shared)
{
    const float red[3] = {0.8f, 0.1f, 0.1f}, blue[3] = {0.1f, 0.1f, 0.8f};
    if (shared)
    {
        for (float y : {0.2f, 1.2f})
            for (int i = 0; i < 3; ++i)
                gdp.appendPoint(UT_Vector3(x0 + float(i), y, 0));
        const int q0[4] = {0, 1, 4, 3}, q1[4] = {1, 2, 5, 4};
        gdp.appendPolygon(q0, 4);
        gdp.appendPolygon(q1, 4);
        GB_Attribute *cd = gdp.addFloatAttrib(GB_ATTRIB_VERTEX, "Cd", 3);
        for (int v = 0; v < 8; ++v)
            cd->setF(v, v < 4 ? red : blue);
        return;
    }
    GB_Attribute *cd = gdp.addFloatAttrib(GB_ATTRIB_POINT, "Cd", 3);
    for (int q = 0; q < 2; ++q)
    {
        int pts[4];
        const float xs[4] = {0, 1, 1, 0}, ys[4] = {0.2f, 0.2f, 1.2f, 1.2f};
        for (int k = 0; k < 4; ++k)
        {
            pts[k] = gdp.appendPoint(UT_Vector3(x0 + float(q) + xs[k], ys[k], 0));
            cd->setF(pts[k], q == 0 ? red : blue);
        }
        gdp.appendPolygon(pts, 4);
    }
}

bool
reddish(const std::vector<int> &p)
{
    return p[0] > 150 && p[1] < 60 && p[2] < 60;
}
bool
bluish(const std::vector<int> &p)
{
    return p[2] > 150 && p[0] < 60 && p[1] < 60;
}
} // namespace

// Smooth and flat shading fill each face in its own colour, whether the
// colours sit on vertices or on points, and the colours are lit: a dimmer
// light gives a darker face.
TEST_F(GR_AttribShading, ShadedFacesTakeTheirColoursUnderTheLights)
{
    const float lowerRight[2] = {0.8f, 0.2f}, upperLeft[2] = {0.2f, 0.8f};
    for (bool shared : {true, false})
        for (GR_ShadingMode mode : {GR_SHADE_SMOOTH, GR_SHADE_FLAT})
        {
            GU_Detail gdp;
            twoColoredQuads(gdp, 0.5f, shared);
            render()->clear();
            shaded(gdp, mode);
            // Both triangles of each quad: below and above its diagonal.
            for (float dx : {0.0f, 1.0f})
                for (const float *d : {lowerRight, upperLeft})
                {
                    const std::vector<int> p = at(0.5f + dx + d[0], 0.2f + d[1]);
                    EXPECT_TRUE(dx == 0.0f ? reddish(p) : bluish(p))
                        << "shared " << shared << " mode " << mode << " at " << dx + d[0]
                        << ": " << p[0] << " " << p[1] << " " << p[2];
                }
            // Nothing drawn on the mirror side of the view's centre.
            EXPECT_TRUE(vantrel_test::isNear(at(-1.5f, -0.7f), 0, 0, 0, 8));
        }
    GU_Detail gdp;
    twoColoredQuads(gdp, 0.5f, true);
    render()->clear();
    shaded(gdp, GR_SHADE_SMOOTH);
    const int bright = at(0.9f, 0.7f)[0];
    RE_Light dim("dim");
    dim.setFlag(RE_Light::RE_LIGHT_INFINITE, true);
    dim.setDirection(UT_Vector3(0, 0, -1));
    dim.setColor(0.4f, 0.4f, 0.4f);
    render()->setLightState(&light, false);
    render()->setLightState(&dim, true);
    render()->clear();
    shaded(gdp, GR_SHADE_SMOOTH);
    EXPECT_LT(at(0.9f, 0.7f)[0], bright - 60);
    render()->setLightState(&dim, false);
}

// Wire (alone and over the fill) keeps the wire colour, a ghost keeps the
// ghost colour, and an object without colours drawn after a coloured one
// has the plain surface colour.
TEST_F(GR_AttribShading, WireGhostAndTheNextObjectAreNotTinted)
{
    GU_Detail gdp;
    twoColoredQuads(gdp, 0.5f, true);
    shaded(gdp, GR_SHADE_WIRE);
    // The left side of the left quad, x = 0.5, on a pixel edge.
    EXPECT_TRUE(nearPixelIs(8 + 4 * 16, 30 + int(2.7f * 16), 0, 255, 0, 3));
    render()->clear();
    shaded(gdp, GR_SHADE_SMOOTH_WIRE);
    EXPECT_TRUE(nearPixelIs(8 + 4 * 16, 30 + int(2.7f * 16), 0, 255, 0, 3));
    EXPECT_TRUE(reddish(at(0.9f, 0.7f)));

    render()->clear();
    option.ghosted(true);
    shaded(gdp, GR_SHADE_SMOOTH);
    const std::vector<int> ghost = at(2.1f, 0.7f);
    EXPECT_TRUE(ghost[0] > 150 && ghost[1] > 150) << ghost[0] << " " << ghost[1];
    option.ghosted(false);

    render()->clear();
    GU_Detail plain;
    int pts[4];
    const float xs[4] = {-2, -1, -1, -2}, ys[4] = {-1.5f, -1.5f, -0.5f, -0.5f};
    for (int k = 0; k < 4; ++k)
        pts[k] = plain.appendPoint(UT_Vector3(xs[k], ys[k], 0));
    plain.appendPolygon(pts, 4);
    for (GR_ShadingMode mode : {GR_SHADE_SMOOTH, GR_SHADE_FLAT})
    {
        shaded(gdp, mode);
        shaded(plain, mode);
        const std::vector<int> grey = at(-1.5f, -1.0f);
        EXPECT_TRUE(grey[0] > 100 && std::abs(grey[0] - grey[2]) < 4 &&
                    std::abs(grey[1] - grey[2]) < 4)
            << mode << ": " << grey[0] << " " << grey[1] << " " << grey[2];
    }
}

// A coloured mesh compiled into a display object and replayed gives the
// very pixels of drawing it directly.
TEST_F(GR_AttribShading, CachedFrameEqualsUncached)
{
    for (bool shared : {true, false})
    {
        GU_Detail gdp;
        twoColoredQuads(gdp, 0.5f, shared);
        render()->clear();
        shaded(gdp, GR_SHADE_FLAT);
        shaded(gdp, GR_SHADE_SMOOTH_WIRE);
        const std::vector<uint8_t> direct = context()->readPixels();
        const int id = render()->startSmartObjectDefine();
        ASSERT_GT(id, 0);
        shaded(gdp, GR_SHADE_FLAT);
        shaded(gdp, GR_SHADE_SMOOTH_WIRE);
        ASSERT_TRUE(render()->endSmartObjectDefine());
        render()->clear();
        render()->drawObject(id);
        EXPECT_EQ(context()->readPixels(), direct) << "shared " << shared;
        EXPECT_TRUE(reddish(at(0.9f, 0.7f)));
        render()->deleteSmartObject(id);
    }
}

// An STL file keeps one normal a facet on the facet; smooth shading puts
// it on every corner, giving the very pixels of the same normal stored on
// each corner's vertex. The facets' normals lean apart, so normals averaged
// over the shared edge would shade otherwise.
TEST_F(GR_AttribShading, FacetNormalsShadeAsCornerNormals)
{
    const char *stl = "solid bent\n"
                      "facet normal 0.6 0 0.8\nouter loop\n"
                      "vertex 0.5 0.2 0\nvertex 1.5 0.2 0.3\nvertex 1.5 1.2 0.3\n"
                      "endloop\nendfacet\n"
                      "facet normal 0 0 1\nouter loop\n"
                      "vertex 0.5 0.2 0\nvertex 1.5 1.2 0.3\nvertex 0.5 1.2 0\n"
                      "endloop\nendfacet\nendsolid bent\n";
    std::istringstream in(stl);
    GU_Detail facets;
    std::string error;
    ASSERT_TRUE(facets.load(in, "bent.stl", &error)) << error;
    ASSERT_EQ(facets.getNumPoints(), 4);
    shaded(facets, GR_SHADE_SMOOTH);
    const std::vector<uint8_t> byFacet = context()->readPixels();

    GU_Detail corners;
    for (int pt = 0; pt < 4; ++pt)
        corners.appendPoint(facets.getPos(pt));
    GB_Attribute *n = corners.addFloatAttrib(GB_ATTRIB_VERTEX, "N", 3);
    for (int prim = 0; prim < 2; ++prim)
    {
        std::vector<int> pts;
        for (int v = 0; v < 3; ++v)
            pts.push_back(facets.getVertexPoint(facets.getPrimVertexOffset(prim) + v));
        corners.appendPolygon(pts.data(), 3);
        const GB_Attribute *facetN = facets.primitiveAttribs().find("N");
        for (int v = 0; v < 3; ++v)
            for (int k = 0; k < 3; ++k)
                n->setF(prim * 3 + v, k, facetN->getF(prim, k));
    }
    render()->clear();
    shaded(corners, GR_SHADE_SMOOTH);
    EXPECT_EQ(context()->readPixels(), byFacet);
    EXPECT_GT(vantrel_test::countNotColor(byFacet, 0, 0, 0, 8), 200);
}
