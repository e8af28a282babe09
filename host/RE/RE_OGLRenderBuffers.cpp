// Display objects replayed from buffer objects. A definition that only
// draws arrays under plain state changes keeps each drawing as arrays in
// buffer objects, with the record's drawing state of that moment, and
// nothing of them in its display list: the vertices are held once. Replaying
// those costs GL about what drawing them fresh from buffer objects costs,
// where a display list's replay costs as much again for a small object.
// Equal arrays share one set of buffers, so thousands of objects of one
// geometry bind once. A definition that turns out to do more compiles the
// drawings kept so far into its list, and goes on as a list.

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_OGLRenderArrayBuffer.h"
#include "host/RE/RE_OGLRenderShadow.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace RE_ArrayRuns;

namespace
{
// Operations a definition may call and still replay from arrays: they set
// state the drawing-state record holds, or draw arrays.
const char *const theArrayFriendly[] = {
    "setColor", "pushColor", "popColor", "interpMode", "toggleLighting", "polygonOffset",
    "setOffsetAmount", "pushLineWidth", "popLineWidth", "pushLineStyle", "popLineStyle",
    "setSpecular", "setMaterial", "setCullFace", "setPolygonMode", "pushPointSize",
    "popPointSize", "setReverseWinding", "setZFunction", "setColorMask", "blend",
    "blendAlpha", "setBlendFunction", "pushBlendState", "popBlendState", "smoothBlendLines",
    "setSFunction", "drawArrays", "endObjectDefine", "endSmartObjectDefine"};

// FNV-1a over the bytes, continued from h.
uint64_t
hashBytes(uint64_t h, const void *data, size_t size)
{
    const auto *p = static_cast<const unsigned char *>(data);
    for (size_t i = 0; i < size; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

// Whether the buffer bound to target holds bytes [0, size) from offset.
// Read back a piece at a time: a whole copy of a large mesh would raise
// the peak the buffer objects exist to lower.
bool
bufferHolds(GLenum target, size_t offset, const void *data, size_t size)
{
    const size_t piece = size_t(1) << 20;
    std::vector<unsigned char> held(std::min(size, piece));
    const auto *p = static_cast<const unsigned char *>(data);
    for (size_t at = 0; at < size; at += piece)
    {
        const size_t n = std::min(piece, size - at);
        glGetBufferSubData(target, GLintptr(offset + at), GLsizeiptr(n), held.data());
        if (std::memcmp(held.data(), p + at, n) != 0)
            return false;
    }
    return true;
}
} // namespace

void
RE_OGLRender::noteDefinedCall(const char *op)
{
    for (const char *friendly : theArrayFriendly)
        if (std::strcmp(op, friendly) == 0)
            return;
    // The definition goes on as a display list: the drawings kept so far
    // as arrays only go into it now.
    myDefineFromArrays = false;
    if (myDefining >= 0 && myDefining < ourRecordOnlyIdBase && glReady())
        compileArrayDraws(myTable->objects[myDefining].arrayDraws);
}

void
RE_OGLRender::compileArrayDraws(const std::vector<ArrayDraw> &draws)
{
    if (draws.empty())
        return;
    GLShadow saved;
    captureRecordInto(saved);
    for (const ArrayDraw &draw : draws)
    {
        loadDrawingState(*draw.state);
        sendDrawingGroups();
        // GL copies what the buffers hold into the list.
        drawBufferArrays(*draw.arrays);
        myTable->objects[myDefining].listArrayBytes += draw.arrays->bytes;
    }
    releaseArrays();
    // The list leaves GL at the record, as the calls it stands for did.
    loadDrawingState(saved);
    sendDrawingGroups();
}

std::shared_ptr<const RE_OGLRender::ArrayBuffer>
RE_OGLRender::shareArrays(int prim, const float *positions, const float *normals,
                          const float *colors, int count, const unsigned int *indices,
                          int indexCount)
{
    // The key: what is drawn, and every array byte for byte.
    const int header[4] = {prim, count, indices ? indexCount : -1,
                           (normals ? 1 : 0) | (colors ? 2 : 0)};
    const Runs runs = runsOf(positions, normals, colors, count, indices, indexCount);
    const size_t vertexBytes = runs.size[0] + runs.size[1] + runs.size[2];
    uint64_t key = hashBytes(1469598103934665603ull, header, sizeof(header));
    for (int i = 0; i < 4; ++i)
        key = hashBytes(key, runs.data[i], runs.size[i]);

    auto range = myTable->arrayPool.equal_range(key);
    for (auto it = range.first; it != range.second;)
    {
        std::shared_ptr<ArrayBuffer> found = it->second.lock();
        if (!found)
        {
            it = myTable->arrayPool.erase(it);
            continue;
        }
        // Equal hashes: read the buffers back to tell equal arrays from a
        // collision, rather than keep a second copy of every array.
        if (std::memcmp(found->header, header, sizeof(header)) == 0)
        {
            glBindBuffer(GL_ARRAY_BUFFER, found->vertices);
            bool same = true;
            size_t offset = 0;
            for (int i = 0; i < 3 && same; offset += runs.size[i], ++i)
                same = bufferHolds(GL_ARRAY_BUFFER, offset, runs.data[i], runs.size[i]);
            if (same && found->indices)
            {
                glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, found->indices);
                same = bufferHolds(GL_ELEMENT_ARRAY_BUFFER, 0, indices, runs.size[3]);
            }
            myBoundArrays = nullptr;
            myArraysClean = false;
            if (same)
                return found;
        }
        ++it;
    }

    auto arrays = std::make_shared<ArrayBuffer>();
    arrays->prim = REglPrimitive(prim);
    arrays->count = count;
    arrays->indexCount = indices ? indexCount : 0;
    arrays->normalOffset = normals ? runs.size[0] : 0;
    arrays->colorOffset = colors ? runs.size[0] + runs.size[1] : 0;
    arrays->bytes = long(vertexBytes + runs.size[3]);
    // Buffer commands are not compiled into a display list under
    // definition: they take effect at once. Each array goes in from where
    // it lies, with no gathered copy.
    glGenBuffers(1, &arrays->vertices);
    glBindBuffer(GL_ARRAY_BUFFER, arrays->vertices);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertexBytes), nullptr, GL_STATIC_DRAW);
    size_t offset = 0;
    for (int i = 0; i < 3; offset += runs.size[i], ++i)
        if (runs.size[i])
            glBufferSubData(GL_ARRAY_BUFFER, GLintptr(offset), GLsizeiptr(runs.size[i]),
                            runs.data[i]);
    if (indices)
    {
        glGenBuffers(1, &arrays->indices);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, arrays->indices);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(runs.size[3]), indices,
                     GL_STATIC_DRAW);
    }
    // Bindings changed behind the record of bound arrays.
    myBoundArrays = nullptr;
    myArraysClean = false;
    std::memcpy(arrays->header, header, sizeof(header));
    myTable->arrayPool.emplace(key, arrays);
    return arrays;
}

void
RE_OGLRender::recordArrayDraw(int prim, const float *positions, const float *normals,
                              const float *colors, int count, const unsigned int *indices,
                              int indexCount)
{
    ObjectInfo &info = myTable->objects[myDefining];
    ArrayDraw draw;
    draw.arrays = shareArrays(prim, positions, normals, colors, count, indices, indexCount);
    // Objects and drawings usually share their state: keep one copy, so
    // that replaying them one after another finds GL holding it already.
    auto captured = std::make_shared<GLShadow>();
    captureRecordInto(*captured);
    // Matrices and viewport are the replay's, not the definition's.
    captured->matrixMode = 0;
    captured->projection = UT_Matrix4(1.0f);
    captured->viewing = UT_Matrix4(1.0f);
    std::memset(static_cast<void *>(&captured->viewport), 0, sizeof(captured->viewport));
    std::shared_ptr<const GLShadow> state = captured;
    std::shared_ptr<const GLShadow> &last = myTable->lastArrayState;
    if (last && *last == *state)
        state = last;
    else
        last = state;
    draw.state = state;
    info.arrayDraws.push_back(std::move(draw));
}

void
RE_OGLRender::bindArrays(const ArrayBuffer &arrays)
{
    if (myBoundArrays == &arrays)
        return;
    glBindBuffer(GL_ARRAY_BUFFER, arrays.vertices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, arrays.indices);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    if (arrays.normalOffset)
    {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, reinterpret_cast<const void *>(arrays.normalOffset));
    }
    else
        glDisableClientState(GL_NORMAL_ARRAY);
    if (arrays.colorOffset)
    {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, 0, reinterpret_cast<const void *>(arrays.colorOffset));
    }
    else
        glDisableClientState(GL_COLOR_ARRAY);
    myBoundArrays = &arrays;
    myArraysClean = false;
}

void
RE_OGLRender::drawBufferArrays(const ArrayBuffer &arrays)
{
    bindArrays(arrays);
    if (arrays.indices)
        glDrawElements(arrays.prim, arrays.indexCount, GL_UNSIGNED_INT, nullptr);
    else
        glDrawArrays(arrays.prim, 0, arrays.count);
}

void
RE_OGLRender::releaseArrays()
{
    if (myArraysClean || !glReady())
        return;
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    myBoundArrays = nullptr;
    myArraysClean = true;
}

void
RE_OGLRender::sendDrawingStateOf(const RE_DrawingState &state)
{
    // GL takes the drawing's state; the record stays the caller's.
    const RE_DrawingState record = myDrawing;
    myDrawing = state;
    sendDrawingState();
    myDrawing = record;
}

void
RE_OGLRender::replayDraws(const std::vector<ArrayDraw> &draws)
{
    for (const ArrayDraw &draw : draws)
    {
        if (draw.state != myGLStateFrom)
        {
            sendDrawingStateOf(draw.state->drawing);
            myGLStateFrom = draw.state;
        }
        sendLights();
        sendMatrices();
        const ArrayBuffer &a = *draw.arrays;
        drawBufferArrays(a);
        // A colour array leaves GL's current colour undefined.
        if (a.colorOffset)
        {
            myGL->known &= ~RE_GS_COLOR;
            myGLStateFrom.reset();
        }
    }
    // GL holds the last drawing's state; the record's goes out before the
    // next thing that depends on it, so objects replayed one after another
    // under the same state do not switch it back and forth.
    myStateBehind = true;
}

void
RE_OGLRender::releaseArrayDraws(ObjectInfo &info)
{
    for (ArrayDraw &draw : info.arrayDraws)
    {
        // The pool holds weak references: this is the last owner.
        if (draw.arrays.use_count() == 1 && glReady())
        {
            if (myBoundArrays == draw.arrays.get())
            {
                myBoundArrays = nullptr;
                myArraysClean = false;
            }
            const GLuint names[2] = {draw.arrays->vertices, draw.arrays->indices};
            glDeleteBuffers(names[1] ? 2 : 1, names);
        }
    }
    info.arrayDraws.clear();
}

int
RE_OGLRender::getNumLiveArrayBuffers() const
{
    int live = 0;
    for (const auto &entry : myTable->arrayPool)
        live += entry.second.expired() ? 0 : 1;
    return live;
}

void
RE_OGLRender::sendStateBehind()
{
    // Whatever depends on GL's state comes after the deferred run.
    if (myRun)
        drawDeferred();
    if (!myStateBehind || myDefining >= 0)
        return;
    myStateBehind = false;
    sendDrawingState();
}

long
RE_OGLRender::getArrayBufferBytes() const
{
    long bytes = 0;
    for (const auto &entry : myTable->arrayPool)
        if (std::shared_ptr<ArrayBuffer> arrays = entry.second.lock())
            bytes += arrays->bytes;
    return bytes;
}

long
RE_OGLRender::getListArrayBytes() const
{
    long bytes = 0;
    myTable->objects.forEach([&](int, const ObjectInfo &info) { bytes += info.listArrayBytes; });
    return bytes;
}
