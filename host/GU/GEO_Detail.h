#ifndef GEO_Detail_h
#define GEO_Detail_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GB_Detail.h"

#include <string>
#include <vector>

// How one texture layer is combined with the layers drawn before it.
struct VANTREL_API GEO_LayerMerge
{
    int clear = 0;       // non-zero: clear the colour buffer first
    int mask = 0xF;      // colour mask bits: 1 red, 2 green, 4 blue, 8 alpha
    // Blend factors as the render context numbers them (RE_BlendSourceFactor
    // and RE_BlendDestFactor): one and zero replace what is there.
    int srcFactor = 1;
    int dstFactor = 0;
};

// Layers added after the first blend over the ones below by their alpha.
constexpr GEO_LayerMerge GEO_OVERLAY_LAYER_MERGE = {0, 0xF, 3, 4};

// Geometry with the operations built on the raw store: texture layers,
// texture attribute lookup, attribute bounds and normals.
//
// Layers number from 1. Layer 1 takes its texture coordinates from "uv",
// layer n > 1 from "uv<n>" ("uv2", "uv3", ...).
class VANTREL_API GEO_Detail : public GB_Detail
{
public:
    GEO_Detail();
    ~GEO_Detail() override;

    void clearAndDestroy() override;

    // Layers -------------------------------------------------------------
    int getNumLayers() const { return int(myLayerMerges.size()); }
    // At least one layer is always kept.
    void setNumLayers(int count);
    int getCurrentLayer() const { return myCurrentLayer; }
    // Chooses which layer's texture coordinates the lookups see. This is
    // viewing state, not an edit: the change counter stays. Values outside
    // 1..getNumLayers() are clamped.
    void setCurrentLayer(int layer);
    // The merge settings of the current layer.
    void getLayerMerge(int &clear, int &mask, int &src_factor,
                       int &dst_factor) const;
    void setLayerMerge(int layer, const GEO_LayerMerge &merge);
    // Name of the texture attribute of a layer ("uv", "uv2", ...).
    static std::string textureAttribName(int layer);

    // Texture attributes --------------------------------------------------
    // Index, in the attribute dictionary of owner (points or vertices), of
    // the current layer's texture coordinates: a float attribute of at
    // least two components. -1 when there is none.
    int findTextureAttribute(GB_AttribOwner owner) const;

    // Bounds of a float point or vertex attribute (its first three
    // components; missing components count as 0). The group forms take the
    // points or vertices of a point group, or of the primitives of a
    // primitive group; a null group takes all. Return 1 when the attribute
    // exists and at least one element was taken in; box is untouched
    // otherwise.
    int getPointAttribBBox(const char *name, UT_BoundingBox *box,
                           const GB_PointGroup *group = nullptr) const;
    int getPointAttribBBox(const char *name, UT_BoundingBox *box,
                           const GB_PrimitiveGroup &group) const;
    int getVertexAttribBBox(const char *name, UT_BoundingBox *box,
                            const GB_PointGroup *group = nullptr) const;
    int getVertexAttribBBox(const char *name, UT_BoundingBox *box,
                            const GB_PrimitiveGroup &group) const;

    // Normals -------------------------------------------------------------
    // Sets the point attribute "N" to the area-weighted average of the
    // normals of the polygons around each point (unit length; points on no
    // polygon get (0, 0, 0)). Polygons wound counter-clockwise, seen from
    // the side the normal points to.
    void computePointNormals();

private:
    int attribBBox(const GB_Attribute *attrib, UT_BoundingBox *box,
                   const std::vector<unsigned char> *marks) const;

    std::vector<GEO_LayerMerge> myLayerMerges;
    int myCurrentLayer = 1;
};

#endif
