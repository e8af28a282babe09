#ifndef GR_DETAILDRAW_H
#define GR_DETAILDRAW_H

#include <vector>

class GR_DrawData;
class GU_Detail;
class GU_PrimGroupClosure;
class RE_Render;
class UT_Color;

// Steps the geometry drawer shares between drawing and picking: the
// triangles and edges of chosen primitives sent as arrays, the component
// selection, and small scoped state changes that undo themselves.
namespace GR_DetailDraw
{
// Below this detail factor (written by GR_Detail::queryNewLOD) an object
// is drawn as its bounding box.
constexpr float theBoxOnlyLOD = 1.0f / 256.0f;

// Primitives and points of the component selection a record draws: the
// geometry's current selection and the entries of the common record's
// selection list. Vertex selections mark their points.
struct Selection
{
    std::vector<unsigned char> prims;
    std::vector<unsigned char> points;
    bool anyPrims = false;
    bool anyPoints = false;
};
Selection gatherSelection(const GU_Detail &gdp, int listInstance);

// The filled triangles of the primitives that hidden lets through and
// keep marks (all when keep is null); smooth uses the normal attribute "N"
// (on vertices, points or primitives, in that order) or computed point
// normals, flat the primitives' geometric normals. colored sends the
// geometry's "Cd" colours (when it has any) as a colour array, which the
// context's colour tracking makes the surface's diffuse and ambient colour.
void sendTriangles(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data, bool smooth,
                   const GU_PrimGroupClosure *hidden,
                   const std::vector<unsigned char> *keep = nullptr, bool colored = false);
// The unique edges of the same choice of primitives.
void sendEdges(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data,
               const GU_PrimGroupClosure *hidden,
               const std::vector<unsigned char> *keep = nullptr);
// Marked points (all sound points when marks is null) as GL points;
// colored sends point "Cd" colours as with sendTriangles.
void sendPoints(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data,
                const std::vector<unsigned char> *marks, bool colored = false);
// The box's twelve edges, or its six faces with outward normals.
void sendBox(RE_Render &r, const float box[6], bool solid);

// Lighting off for the scope (wire and overlays are never lit).
class LightingOff
{
public:
    explicit LightingOff(RE_Render &r);
    ~LightingOff();
    LightingOff(const LightingOff &) = delete;
    LightingOff &operator=(const LightingOff &) = delete;

private:
    RE_Render &myRender;
    bool myWasOn;
};

// Polygon offset pushing fills back so lines drawn after them win the
// depth test; the context's offset state comes back at the end.
class FillBehindLines
{
public:
    FillBehindLines(RE_Render &r, bool on);
    ~FillBehindLines();
    FillBehindLines(const FillBehindLines &) = delete;
    FillBehindLines &operator=(const FillBehindLines &) = delete;

private:
    RE_Render &myRender;
    bool myOn;
    int myWasOn = 0;
    float myFactor = 0.0f, myUnits = 0.0f;
};
}

#endif
