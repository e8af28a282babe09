#pragma once

#include "host/UT/UT_Matrix4.h"

#include <cstddef>
#include <vector>

// A mesh in GL buffer objects drawn with nothing around it but the GL calls
// themselves: the yardstick that measurements of the render context and the
// viewport library compare against. Triangles (with normals) or lines, by
// index. It uses the GL state in force (lights, colour, depth test) and
// leaves it as it was, except the viewing matrix, which it gives back.
class RE_RawMesh
{
public:
    // positions and normals hold 3 floats per vertex (normals may be
    // empty); indices are triangles (3 each) or, with lines, segments (2
    // each). Needs a current GL context.
    RE_RawMesh(const std::vector<float> &positions, const std::vector<float> &normals,
               const std::vector<unsigned int> &indices, bool lines);
    ~RE_RawMesh();
    RE_RawMesh(const RE_RawMesh &) = delete;
    RE_RawMesh &operator=(const RE_RawMesh &) = delete;

    // Draws the mesh once under each object transform, after viewing.
    void draw(const std::vector<UT_Matrix4> &objects, const UT_Matrix4 &viewing) const;
    // Waits for GL to finish everything sent.
    static void finish();

private:
    unsigned int myBuffers[2] = {0, 0};
    int myIndexCount = 0;
    bool myLines = false;
    bool myNormals = false;
    size_t myNormalOffset = 0;
};
