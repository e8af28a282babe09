#ifndef GR_DETAIL_H
#define GR_DETAIL_H

#include "host/UT/UT_Matrix4.h"

class GR_DisplayOption;
class GU_Detail;
class GU_PrimGroupClosure;
class OP_Node;
class RE_Displace;
class RE_Light;
class RE_Material;
class RE_Render;
class RE_Shader;

// Draws one geometry with one option record through a render context: its
// edges, its lit polygons or its bounding box, the component selection over
// it, and pick records per primitive. Primitives of the hidden closure are
// left out. Geometry reaches GL as arrays built from the geometry store's
// flat arrays; inside a display-object definition they are compiled into
// the object.
class GR_Detail
{
public:
    GR_Detail();
    ~GR_Detail();
    GR_Detail(const GR_Detail &) = delete;
    GR_Detail &operator=(const GR_Detail &) = delete;

    // Every edge once, and the open polylines, in the record's current wire
    // colour and width; the hidden-line mode fills the polygons in the
    // background colour first. drawSelection draws the component selection
    // over the object; useGhost lets a ghosted record draw as a ghost.
    void wireDraw(GU_Detail *gdp, RE_Render &r, float lod, bool drawSelection,
                  const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option,
                  bool useGhost, OP_Node *node) const;

    // The geometry's bounding box, as wire or solid by the shading mode.
    void boundBoxDraw(GU_Detail *gdp, RE_Render &r, bool drawSelection,
                      const GU_PrimGroupClosure *hidden,
                      const GR_DisplayOption *option) const;

    // Lit polygons, flat or smooth by the shading mode; the wire-over-shaded
    // modes draw the edges over the fill. Returns non-zero when the object
    // asks for a second pass (transparent parts).
    int shadedDraw(GU_Detail *gdp, RE_Render &r, float lod, RE_Material *material,
                   bool drawSelection, const GU_PrimGroupClosure *hidden,
                   const GR_DisplayOption *option, float time,
                   const UT_Matrix4 &materialXform, const UT_Matrix4 &objectXform,
                   int lit, bool useGhost, OP_Node *shopsRelativeTo) const;

    // The polygons only, no selection and no edges (depth passes).
    void shadedSimpleDraw(GU_Detail *gdp, RE_Render &r, float lod,
                          RE_Material *material, const GR_DisplayOption *option,
                          const GU_PrimGroupClosure *hidden) const;

    // Shaded drawing with the object's own lights and displacement, for
    // records that ask for shaders. Returns as shadedDraw.
    int qelShadedDraw(GU_Detail *gdp, RE_Render &r, float lod, RE_Material *material,
                      RE_Displace *displace, RE_Light *const *lights, int numLights,
                      bool drawSelection, const UT_Matrix4 &materialXform,
                      const UT_Matrix4 &objectXform, const GU_PrimGroupClosure *hidden,
                      const GR_DisplayOption *option, float time, RE_Shader *meshShader,
                      bool useGhost, OP_Node *shopsRelativeTo) const;

    // Pick records per primitive under the context's current pick names:
    // each primitive pushes its number as a pick id while it is drawn.
    // Geometry whose box misses the pick region sends nothing, and of the
    // rest only primitives with a point on the region's side of every clip
    // plane are sent. shadedPick sends triangles, wirePick the sides. A
    // record of selected geometry (GR_FLAG_SELECTED_KIND) asked to pick
    // the selection picks only the selected primitives.
    void wirePick(GU_Detail *gdp, RE_Render &r, float lod, bool pickSelection,
                  const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option) const;
    void shadedPick(GU_Detail *gdp, RE_Render &r, float lod, bool pickSelection,
                    const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option) const;

    // A level of detail from 0 to 9 for the geometry as the context's
    // current projection and transform show it; a far or small object gets
    // a coarser (higher) level. The object's projected size in pixels,
    // times the user's level of detail, gives level 0 from 256 pixels up,
    // and each halving adds one (level 9 below one pixel). lod is the
    // user's level of detail going in and the detail factor used for
    // drawing coming out: 2 to the power -level. The drawing operations
    // draw an object whose factor is below 1/256 (level 9) as its bounding
    // box; at every other level they draw the whole geometry.
    static int queryNewLOD(const GU_Detail *gdp, const RE_Render &r,
                           float userLOD, float &lod);

    // Lets go of the arrays derived from the geometry to draw it (triangles,
    // normals, flat corners; its bounds stay): for geometry now drawn from a cached object,
    // which would otherwise hold its mesh twice. The next drawing that needs
    // them builds them again.
    static void releaseDrawData(const GU_Detail &gdp);
    // Bytes of those arrays held for the geometry now.
    static size_t drawDataBytes(const GU_Detail &gdp);
};

#endif
