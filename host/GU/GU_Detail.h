#ifndef GU_Detail_h
#define GU_Detail_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GEO_Detail.h"
#include "host/GU/GU_SelectionList.h"

#include <atomic>
#include <memory>
#include <iosfwd>
#include <string>
#include <vector>

// The geometry that viewers hold: a GEO_Detail plus the component
// selections, the shape builders and mesh file reading.
//
// The builders append to what is already there. They make polygons wound
// counter-clockwise seen from outside, point normals "N" (vertex normals
// on the box, whose corners are hard), and texture coordinates "uv": on
// vertices for the closed shapes (so seams can split), on points for the
// grid.
struct GU_MeshPart;

class VANTREL_API GU_Detail : public GEO_Detail
{
public:
    GU_Detail();
    ~GU_Detail() override;

    void clearAndDestroy() override;

    // Selections ----------------------------------------------------------
    // The current component selection, or null when there is none.
    const GU_Selection *getSelection() const { return mySelection.get(); }
    // Makes (or replaces) the current selection with an empty one of the
    // given type and returns it for filling.
    GU_Selection *newSelection(GU_SelectionType type);
    void clearSelection();

    // The numbered selection list n. Unknown or negative numbers give an
    // empty list.
    const GU_SelectionList &getSelectionList(int n) const;
    // The numbered selection list n for editing, created when missing;
    // null for a negative n.
    GU_SelectionList *editSelectionList(int n);

    // Builders --------------------------------------------------------------
    // An axis-aligned box of the given size: 8 points, 6 quads.
    void buildBox(const UT_Vector3 &size, const UT_Vector3 &center = UT_Vector3());
    // A sphere of rows bands from pole to pole (at least 2) and cols
    // segments around the y axis (at least 3): triangles at the poles,
    // quads between.
    void buildSphere(float radius, int rows, int cols,
                     const UT_Vector3 &center = UT_Vector3());
    // A torus around the y axis: rows segments around the tube (at least
    // 3), cols segments around the ring (at least 3), all quads.
    void buildTorus(float ring_radius, float tube_radius, int rows, int cols,
                    const UT_Vector3 &center = UT_Vector3());
    // A grid of quads in the XZ plane facing +y, rows by cols cells (at
    // least 1 each).
    void buildGrid(float size_x, float size_z, int rows, int cols,
                   const UT_Vector3 &center = UT_Vector3());

    // Mesh files ------------------------------------------------------------
    // Replaces the geometry with the mesh in an OBJ, PLY, STL or glTF 2.0
    // file, told apart by their content first and the name's extension
    // second (OBJ when neither says). A glTF file of several meshes loads
    // as all of them together; loadParts keeps them apart. On failure the geometry is left empty, the
    // reason (naming the file) is put in error when given, and false is
    // returned. Only regular files are read; coordinates must be finite
    // floats and indices must name points defined in the file.
    //  - OBJ: faces become polygons and lines polylines; texture
    //    coordinates and normals become vertex attributes "uv" and "N".
    //    Every refusal names the line.
    //  - PLY (text, or binary either endian): faces become polygons;
    //    normals, texture coordinates and colours become point attributes
    //    "N", "uv" and "Cd" (three floats from 0 to 1). A file of vertices
    //    and no faces loads as points alone.
    //  - STL (text or binary): each facet becomes a triangle; corners at
    //    the same position share one point, and the facet's normal becomes
    //    the primitive attribute "N".
    //  - glTF 2.0 (.gltf with its buffers in files beside it or in base64
    //    data URIs, or .glb): every mesh primitive of the default scene,
    //    placed by its node transforms; triangles (lists, strips, fans)
    //    become polygons, lines polylines; points, normals, texture
    //    coordinates and colours become "P", "N", "uv" and "Cd" on points.
    //    Buffer files are read only from the file's folder or below it.
    bool load(const char *filename, std::string *error = nullptr);
    // The same from a stream; name is used in the messages.
    bool load(std::istream &in, const std::string &name, std::string *error = nullptr);

    // Reads a mesh file as named parts: one per mesh instance of a glTF
    // scene (named after its node, else its mesh, else "mesh N"; a mesh's
    // points primitives beside faces or lines are a part of their own,
    // named with " points"), one for the other formats (named after the
    // file). On failure parts is left empty and false returned, with the
    // reason (naming the file) in error when given.
    // When bytesRead is given, how far into the file the reading has come
    // is published there as it goes (another thread may watch it).
    static bool loadParts(const char *filename, std::vector<GU_MeshPart> &parts,
                          std::string *error = nullptr, std::atomic<long long> *bytesRead = nullptr);

    // What a drawer derives from this geometry (edges, triangles, normals),
    // kept with it so that it goes when the geometry goes. The drawer
    // compares the change counter itself before trusting it.
    std::shared_ptr<void> &drawCache() const { return myDrawCache; }

private:
    std::unique_ptr<GU_Selection> mySelection;
    mutable std::shared_ptr<void> myDrawCache;
    std::vector<GU_SelectionList> mySelectionLists;
};

// One named piece of a mesh file.
struct VANTREL_API GU_MeshPart
{
    std::string name;
    std::unique_ptr<GU_Detail> detail;
};

#endif
