// Small drawings outside definitions, from buffer objects. Drawn from
// client arrays, each drawing makes GL copy its arrays again and set up
// the arrays anew, which for a box costs more than drawing it; a scene of
// thousands of objects of one geometry draws the same bytes each time. The
// context keeps the last few array sets it drew in buffer objects, with a
// copy to recognise them by (small sets only, so the copy costs little).

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_OGLRenderArrayBuffer.h"
#include "host/RE/RE_OGLRenderShadow.h"

#include <cstring>

using namespace RE_ArrayRuns;

namespace
{
// Bytes of all arrays of a drawing up to which it is streamed: a box is
// well under it, and larger drawings cost GL far more in vertices than in
// the call.
const size_t theStreamBytes = 16 * 1024;
// Array sets kept: a fill and its edges, a few geometries taking turns.
const size_t theStreamCount = 4;

bool
holds(const std::vector<unsigned char> &held, const int header[4], const Runs &runs)
{
    size_t total = 4 * sizeof(int);
    for (size_t size : runs.size)
        total += size;
    if (held.size() != total || std::memcmp(held.data(), header, 4 * sizeof(int)) != 0)
        return false;
    size_t at = 4 * sizeof(int);
    for (int i = 0; i < 4; at += runs.size[i], ++i)
        if (runs.size[i] && std::memcmp(held.data() + at, runs.data[i], runs.size[i]) != 0)
            return false;
    return true;
}
} // namespace

bool
RE_OGLRender::drawStreamed(int prim, const float *positions, const float *normals,
                           const float *colors, int count, const unsigned int *indices,
                           int indexCount)
{
    const Runs runs = runsOf(positions, normals, colors, count, indices, indexCount);
    const size_t vertexBytes = runs.size[0] + runs.size[1] + runs.size[2];
    if (vertexBytes + runs.size[3] > theStreamBytes)
        return false;
    const int header[4] = {prim, count, indices ? indexCount : -1,
                           (normals ? 1 : 0) | (colors ? 2 : 0)};
    StreamedArrays *set = nullptr;
    for (const auto &s : myStreams)
        if (holds(s->held, header, runs))
        {
            set = s.get();
            break;
        }
    if (!set)
    {
        // The oldest set makes room, buffer names and all.
        if (myStreams.size() < theStreamCount)
        {
            myStreams.push_back(std::make_unique<StreamedArrays>());
            glGenBuffers(1, &myStreams.back()->arrays.vertices);
            glGenBuffers(1, &myStreams.back()->indexBuffer);
        }
        set = myStreams[myNextStream++ % myStreams.size()].get();
        ArrayBuffer &a = set->arrays;
        a.prim = REglPrimitive(prim);
        a.count = count;
        a.indexCount = indices ? indexCount : 0;
        a.normalOffset = normals ? runs.size[0] : 0;
        a.colorOffset = colors ? runs.size[0] + runs.size[1] : 0;
        std::memcpy(a.header, header, sizeof(header));
        set->held.assign(reinterpret_cast<const unsigned char *>(header),
                         reinterpret_cast<const unsigned char *>(header + 4));
        glBindBuffer(GL_ARRAY_BUFFER, a.vertices);
        // Storage of the largest size a stream takes, made once: storage
        // made anew for every set piles up in the driver.
        if (!set->sized)
        {
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(theStreamBytes), nullptr, GL_DYNAMIC_DRAW);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, set->indexBuffer);
            glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(theStreamBytes), nullptr,
                         GL_DYNAMIC_DRAW);
            set->sized = true;
        }
        size_t offset = 0;
        for (int i = 0; i < 3; offset += runs.size[i], ++i)
            if (runs.size[i])
                glBufferSubData(GL_ARRAY_BUFFER, GLintptr(offset), GLsizeiptr(runs.size[i]),
                                runs.data[i]);
        // Drawn in order when there are no indices.
        a.indices = indices ? set->indexBuffer : 0;
        if (indices)
        {
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, a.indices);
            glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, GLsizeiptr(runs.size[3]), indices);
        }
        for (int i = 0; i < 4; ++i)
        {
            const auto *p = static_cast<const unsigned char *>(runs.data[i]);
            if (runs.size[i])
                set->held.insert(set->held.end(), p, p + runs.size[i]);
        }
        // Bound behind the record, and the offsets may have moved.
        myBoundArrays = nullptr;
        myArraysClean = false;
    }
    drawBufferArrays(set->arrays);
    if (colors)
    {
        // A colour array leaves GL's current colour undefined: put the
        // record's back.
        myGL->known &= ~RE_GS_COLOR;
        sendColor();
    }
    return true;
}

void
RE_OGLRender::deleteStreams()
{
    for (const auto &s : myStreams)
    {
        const GLuint names[2] = {s->arrays.vertices, s->indexBuffer};
        glDeleteBuffers(2, names);
    }
    myStreams.clear();
    myBoundArrays = nullptr;
}
