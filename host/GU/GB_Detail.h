#ifndef GB_Detail_h
#define GB_Detail_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GB_AttributeDict.h"
#include "host/GU/GB_PointGroup.h"
#include "host/GU/GB_PrimitiveGroup.h"
#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_Vector3.h"

#include <memory>
#include <vector>

class UT_BoundingBox;
class GU_PrimGroupClosure;

// Kinds of primitive: a closed polygon, or an open polyline.
enum GB_PrimType
{
    GB_PRIM_POLYGON = 0,
    GB_PRIM_POLYLINE = 1
};

// The base geometry store: points, primitives built of vertices that refer
// to points, attributes on all four kinds of element, and named groups.
//
// Everything lives in flat arrays (positions as x,y,z triples, one vertex
// offset per primitive, one point index per vertex) so that drawers can
// walk meshes of hundreds of thousands of polygons without chasing
// pointers.
//
// Every geometry has an identity value unique in the process and a change
// counter. Each edit bumps the counter, including taking write access to
// raw arrays or attribute dictionaries; reading never does. Drawing caches
// compare both values to decide whether what they hold is still current.
class VANTREL_API GB_Detail
{
public:
    GB_Detail();
    virtual ~GB_Detail();
    GB_Detail(const GB_Detail &) = delete;
    GB_Detail &operator=(const GB_Detail &) = delete;

    // Removes every element, attribute, group and selection.
    virtual void clearAndDestroy();

    // Identity and edits ------------------------------------------------
    int getUniqueId() const { return myUniqueId; }
    int getChangeCount() const { return myChangeCount; }
    void bumpChangeCount() { ++myChangeCount; }

    // Non-zero (the default) lets viewers cache what they draw of this
    // geometry; geometry that changes behind their back clears it.
    unsigned char getCacheable() const { return myCacheable; }
    void setCacheable(unsigned char on) { myCacheable = on; }

    // Two counters that viewers may consult to hold off caching while
    // something transient is attached to the geometry (0 by default).
    // Which one matters is chosen by the viewer's options.
    int getCacheBlockCount(int which) const;
    void setCacheBlockCount(int which, int count);

    // Points ---------------------------------------------------------------
    int getNumPoints() const { return int(myPositions.size() / 3); }
    // Appends points at the origin; returns the index of the first.
    int appendPoints(int count);
    int appendPoint(const UT_Vector3 &pos);
    UT_Vector3 getPos(int point) const;
    void setPos(int point, const UT_Vector3 &pos);
    // x, y, z per point.
    const float *getPositions() const { return myPositions.data(); }
    float *editPositions();

    // Primitives and vertices ------------------------------------------------
    int getNumPrimitives() const { return int(myPrimTypes.size()); }
    int getNumVertices() const { return int(myVertexPoints.size()); }
    // Appends a polygon (closed) or polyline (open) through the given
    // points. Returns the new primitive index, or -1 (and changes nothing)
    // when a point index is out of range, or when there are fewer than 3
    // points for a polygon or 2 for a polyline.
    int appendPrimitive(GB_PrimType type, const int *points, int count);
    int appendPolygon(const int *points, int count)
    {
        return appendPrimitive(GB_PRIM_POLYGON, points, count);
    }
    int appendPolyline(const int *points, int count)
    {
        return appendPrimitive(GB_PRIM_POLYLINE, points, count);
    }
    // Makes room for that many more primitives and vertices (their
    // attributes included), so that a reader that knows the sizes
    // beforehand appends without regrowing the arrays.
    void reservePrimitives(int prims, int vertices);
    // Out-of-range primitive indices give polygon, 0 vertices, offset 0.
    GB_PrimType getPrimType(int prim) const;
    bool isPrimClosed(int prim) const { return getPrimType(prim) == GB_PRIM_POLYGON; }
    int getPrimVertexCount(int prim) const;
    // Index of the primitive's first vertex; its vertices are consecutive.
    int getPrimVertexOffset(int prim) const;
    // Point of a vertex, or -1 out of range.
    int getVertexPoint(int vertex) const;
    // One point index per vertex, and numPrimitives + 1 vertex offsets.
    const int *getVertexPoints() const { return myVertexPoints.data(); }
    const int *getPrimVertexOffsets() const { return myPrimStarts.data(); }

    // Attributes ------------------------------------------------------------
    const GB_AttributeDict &attribs(GB_AttribOwner owner) const;
    GB_AttributeDict &editAttribs(GB_AttribOwner owner);
    const GB_AttributeDict &pointAttribs() const { return attribs(GB_ATTRIB_POINT); }
    const GB_AttributeDict &vertexAttribs() const { return attribs(GB_ATTRIB_VERTEX); }
    const GB_AttributeDict &primitiveAttribs() const { return attribs(GB_ATTRIB_PRIMITIVE); }
    const GB_AttributeDict &detailAttribs() const { return attribs(GB_ATTRIB_DETAIL); }
    GB_Attribute *addFloatAttrib(GB_AttribOwner owner, const char *name,
                                 int tuple_size, const float *defaults = nullptr);
    GB_Attribute *addStringAttrib(GB_AttribOwner owner, const char *name);

    // Groups ----------------------------------------------------------------
    const GB_PrimitiveGroup *findPrimitiveGroup(const char *name) const;
    GB_PrimitiveGroup *editPrimitiveGroup(const char *name);
    // Returns the existing group of that name or a new empty one; null for
    // an empty name.
    GB_PrimitiveGroup *newPrimitiveGroup(const char *name);
    int getNumPrimitiveGroups() const { return int(myPrimGroups.size()); }

    // Bounds ------------------------------------------------------------------
    // Bounds of the points of the chosen primitives: those in group (all
    // when null) that closure lets through (all when null). With
    // used_points_only false, points that no primitive uses are taken in
    // as well. Returns 1 when any point was taken in; box is untouched
    // otherwise.
    int getBBox(UT_BoundingBox *box, const GB_PrimitiveGroup *group = nullptr,
                const GU_PrimGroupClosure *closure = nullptr,
                bool used_points_only = true) const;
    // The same with every point moved by xform (as a row vector) first.
    int getBBox(UT_BoundingBox &box, const UT_Matrix4 &xform,
                const GB_PrimitiveGroup *group = nullptr,
                const GU_PrimGroupClosure *closure = nullptr,
                bool used_points_only = true) const;

protected:
    // Marks the points to bound: non-zero for each point of a chosen
    // primitive and, unless used_points_only, each point on no primitive.
    // Returns false when every point is taken (no marking needed).
    bool markBoundedPoints(std::vector<unsigned char> &marks,
                           const GB_PrimitiveGroup *group,
                           const GU_PrimGroupClosure *closure,
                           bool used_points_only) const;
    bool primitiveChosen(int prim, const GB_PrimitiveGroup *group,
                         const GU_PrimGroupClosure *closure) const;

private:
    // Whether every point lies on some primitive. Found once per change
    // count, so bounding an unchanged mesh need not mark its points.
    bool allPointsUsed() const;
    int boundPoints(UT_BoundingBox &box, const UT_Matrix4 *xform,
                    const GB_PrimitiveGroup *group,
                    const GU_PrimGroupClosure *closure,
                    bool used_points_only) const;

    int myUniqueId;
    int myChangeCount = 0;
    unsigned char myCacheable = 1;
    int myCacheBlockCounts[2] = {0, 0};
    mutable int myAllPointsUsedAt = -1;  // change count of myAllPointsUsed
    mutable bool myAllPointsUsed = false;

    std::vector<float> myPositions;
    std::vector<unsigned char> myPrimTypes;
    std::vector<int> myPrimStarts;  // numPrimitives + 1 entries
    std::vector<int> myVertexPoints;

    GB_AttributeDict myAttribs[GB_NUM_ATTRIB_OWNERS];
    std::vector<std::unique_ptr<GB_PrimitiveGroup>> myPrimGroups;
};

#endif
