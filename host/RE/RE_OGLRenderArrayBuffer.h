#pragma once

// Arrays in GL buffer objects, as the render context draws them: shared by
// display objects (RE_OGLRenderBuffers.cpp) and streamed for small drawings
// (RE_OGLRenderStream.cpp).

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_GL.h"

#include <cstddef>
#include <vector>

struct RE_OGLRender::ArrayBuffer
{
    GLuint vertices = 0; // positions, then normals, then colours
    GLuint indices = 0;  // 0 when drawn in order
    GLenum prim = GL_TRIANGLES;
    int count = 0;
    int indexCount = 0;
    size_t normalOffset = 0; // 0 when there are no normals
    size_t colorOffset = 0;  // 0 when there are no colours
    // What was drawn: primitive, counts and which arrays there are.
    int header[4] = {0, 0, 0, 0};
    long bytes = 0; // held in the two buffers
};

// One array set drawn outside definitions, in its buffer objects, with a
// copy of what they hold (the header, then every run): a later drawing of
// equal bytes draws from them without sending the arrays again.
struct RE_OGLRender::StreamedArrays
{
    ArrayBuffer arrays;
    GLuint indexBuffer = 0; // arrays.indices when the set has indices
    std::vector<unsigned char> held;
    bool sized = false; // the buffers have their storage
};

namespace RE_ArrayRuns
{
// The arrays of one drawing as the byte runs a buffer object holds, in
// order: positions, then normals, then colours, then indices.
struct Runs
{
    const void *data[4];
    size_t size[4];
};

inline Runs
runsOf(const float *positions, const float *normals, const float *colors, int count,
       const unsigned int *indices, int indexCount)
{
    const size_t n = size_t(count);
    return {{positions, normals, colors, indices},
            {n * 3 * sizeof(float), normals ? n * 3 * sizeof(float) : 0,
             colors ? n * 4 * sizeof(float) : 0,
             indices ? size_t(indexCount) * sizeof(unsigned int) : 0}};
}
} // namespace RE_ArrayRuns
