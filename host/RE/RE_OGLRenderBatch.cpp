// Many small objects drawn in few calls. A scene of thousands of objects
// replayed from arrays costs GL one matrix and one draw call per object,
// and a driver as much again in state checks for each call. Replays that follow one another under
// the same recorded state, camera and lights are deferred as a run; the run
// is drawn before anything else reaches GL, so nothing is drawn out of
// order. A run seen again with the same objects keeps buffers holding all
// of them, each transformed by its own transform, and draws every stretch
// of objects whose transforms those buffers still hold in one call. An
// object that moved is drawn on its own in its place until its transform
// has stayed the same for the stable count; then its part of the buffers is
// rewritten.

#include "host/RE/RE_OGLRenderBatch.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_OGLRenderShadow.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <cstring>

namespace
{
// Shorter runs gain too little to keep buffers for.
const size_t theMinRun = 8;
// Larger objects are bound by their pixels: one call each costs nothing.
const int theMaxMemberVertices = 4096;
// What one run's buffers may hold.
const size_t theMaxRunBytes = size_t(512) << 20;
// A kept run not drawn for this many runs has left the scene.
const uint64_t theForgetRuns = 1024;
const size_t theMaxKeptRuns = 256;
// Members transformed and sent at a time while building.
const size_t theBuildPiece = 1024;

// Points and normals of one object under its transform m (points are rows:
// p' = p * m); normals take the inverse transpose of m's upper 3x3, so that
// GL's own transform of them by the camera gives what it gives when the
// object is drawn under m times the camera.
class MemberTransform
{
public:
    // False when m projects or flattens: such an object is drawn on its own.
    bool set(const UT_Matrix4 &m)
    {
        UT_DMatrix4 inverse;
        if (m(0, 3) != 0.0f || m(1, 3) != 0.0f || m(2, 3) != 0.0f || m(3, 3) != 1.0f ||
            UT_DMatrix4(m).invert(inverse) != 0)
            return false;
        myMirrors = m.determinant3() < 0.0f;
        // An affine inverse's upper 3x3 is that of the upper 3x3; kept
        // transposed.
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                myNormal[r][c] = inverse(c, r);
        myPoint = m;
        return true;
    }
    void points(const float *in, int count, float *out) const
    {
        const UT_Matrix4 &m = myPoint;
        for (int i = 0; i < count; ++i, in += 3, out += 3)
            for (int c = 0; c < 3; ++c)
                out[c] = in[0] * m(0, c) + in[1] * m(1, c) + in[2] * m(2, c) + m(3, c);
    }
    // n' = n * inverse(A)^T.
    void normals(const float *in, int count, float *out) const
    {
        for (int i = 0; i < count; ++i, in += 3, out += 3)
            for (int c = 0; c < 3; ++c)
                out[c] = float(in[0] * myNormal[0][c] + in[1] * myNormal[1][c] +
                               in[2] * myNormal[2][c]);
    }

    bool mirrors() const { return myMirrors; }

private:
    UT_Matrix4 myPoint;
    double myNormal[3][3] = {};
    bool myMirrors = false;
};

bool
listPrimitive(GLenum prim)
{
    // Strips, loops and fans would join one member to the next.
    return prim == GL_POINTS || prim == GL_LINES || prim == GL_TRIANGLES || prim == GL_QUADS;
}

// Whether the triangles (or quads) of an object close a surface that faces
// out: corners at the same place are one point, every edge between two
// points is walked once each way, and the enclosed volume is positive.
// Seen from outside such a surface, every face turned away lies behind one
// of its faces turned towards the eye.
template <typename MemberArrays>
bool
closesOutward(GLenum prim, const MemberArrays &src, int count)
{
    if (prim != GL_TRIANGLES && prim != GL_QUADS)
        return false;
    const float *p = src.vertices.data();
    std::map<std::array<float, 3>, unsigned> where;
    std::vector<unsigned> point(static_cast<size_t>(count));
    for (int v = 0; v < count; ++v)
        point[size_t(v)] = where.emplace(std::array<float, 3>{p[3 * v], p[3 * v + 1], p[3 * v + 2]},
                                         unsigned(where.size()))
                               .first->second;
    const size_t corners = src.indices.empty() ? size_t(count) : src.indices.size();
    auto corner = [&](size_t i) {
        return src.indices.empty() ? unsigned(i) : src.indices[i];
    };
    const size_t sides = prim == GL_QUADS ? 4 : 3;
    // Each edge as a face walks it.
    std::set<std::pair<unsigned, unsigned>> edges;
    double volume = 0.0;
    for (size_t f = 0; f + sides <= corners; f += sides)
    {
        for (size_t k = 0; k < sides; ++k)
        {
            const unsigned a = point[corner(f + k)], b = point[corner(f + (k + 1) % sides)];
            if (a == b || !edges.emplace(a, b).second)
                return false;
        }
        // Fan triangles from the first corner: their signed volumes.
        for (size_t k = 1; k + 1 < sides; ++k)
        {
            const float *a = p + 3 * corner(f), *b = p + 3 * corner(f + k),
                        *c = p + 3 * corner(f + k + 1);
            volume += double(a[0]) * (double(b[1]) * c[2] - double(b[2]) * c[1]) -
                      double(a[1]) * (double(b[0]) * c[2] - double(b[2]) * c[0]) +
                      double(a[2]) * (double(b[0]) * c[1] - double(b[1]) * c[0]);
        }
    }
    for (const auto &e : edges)
        if (!edges.count({e.second, e.first}))
            return false;
    return !edges.empty() && volume > 0.0;
}
} // namespace

bool
RE_OGLRender::sameDrawing(const ArrayDraw &a, const ArrayDraw &b)
{
    // Objects defined apart may hold equal states in two copies.
    return a.arrays == b.arrays && (a.state == b.state || a.state->drawing == b.state->drawing);
}

void
RE_OGLRender::setBatching(bool on)
{
    if (!on)
        drawDeferred();
    myBatching = on;
}

namespace
{
// Whether drawings under the state come out the same in any order with
// other such drawings: opaque, depth tested, nearer fragments winning.
bool
orderFree(const RE_DrawingState &s)
{
    return s.zTest && (s.zFunc == RE_CMP_LESS || s.zFunc == RE_CMP_LEQUAL) && !s.blend.on;
}

// Groups a run may hold before it is drawn: each replay looks through them.
const size_t theMaxGroups = 16;
} // namespace

bool
RE_OGLRender::deferReplay(int id, const ObjectInfo &info)
{
    bool fits = myBatching && !myPick.on && myStepValid && !myMatrixStack.empty() &&
                !info.arrayDraws.empty();
    bool free = true;
    for (size_t d = 0; fits && d < info.arrayDraws.size(); ++d)
    {
        const ArrayBuffer &a = *info.arrayDraws[d].arrays;
        const RE_DrawingState &s = info.arrayDraws[d].state->drawing;
        free = free && orderFree(s);
        // Textures may change between the replay and the run's drawing;
        // lit arrays without normals take GL's current normal, which may
        // too. Several drawings per object are drawn drawing by drawing
        // for the whole run, which only depth testing keeps the same.
        fits = a.count <= theMaxMemberVertices && listPrimitive(a.prim) && s.texture == 0 &&
               (a.normalOffset || !s.lighting) && (info.arrayDraws.size() == 1 || free);
    }
    if (!fits)
    {
        drawDeferred();
        return false;
    }
    const UT_Matrix4 &base = myMatrixStack.back().viewing;
    if (!myRun)
        myRun = std::make_unique<BatchRun>();
    BatchRun &run = *myRun;
    bool joins = run.size > 0 && sameBytes(run.base, base) &&
                 sameBytes(run.projection, myMatrix.projection) &&
                 std::memcmp(&run.viewport, &myViewport, sizeof(myViewport)) == 0 &&
                 run.lights.size() == myLights.size();
    if (joins)
    {
        auto slot = myLights.begin();
        for (const BatchRun::Light &l : run.lights)
        {
            const LightSlot &s = (slot++)->second;
            joins = joins && l.on == s.on &&
                    (!s.on || (std::memcmp(l.position, s.position, sizeof(l.position)) == 0 &&
                               sameBytes(l.placedUnder, s.placedUnder)));
        }
    }
    // Its group: the last one, or with every drawing order-free, any.
    size_t group = run.size;
    for (size_t g = run.size; joins && g-- > 0;)
    {
        const std::vector<ArrayDraw> &draws = run.groups[g].draws;
        bool same = draws.size() == info.arrayDraws.size();
        for (size_t d = 0; same && d < draws.size(); ++d)
            same = sameDrawing(draws[d], info.arrayDraws[d]);
        if (same)
        {
            group = g;
            break;
        }
        if (!free)
            break;
    }
    if (joins && group == run.size)
        joins = free && run.size < theMaxGroups &&
                orderFree(run.groups.front().draws.front().state->drawing);
    else if (joins && group + 1 != run.size)
        joins = free;
    if (!joins && run.size > 0)
        drawDeferred();
    if (run.size == 0)
    {
        run.base = base;
        run.projection = myMatrix.projection;
        run.viewport = myViewport;
        run.lights.clear();
        for (const auto &l : myLights)
        {
            BatchRun::Light light{l.first, l.second.on, {}, l.second.placedUnder};
            std::memcpy(light.position, l.second.position, sizeof(light.position));
            run.lights.push_back(light);
        }
        group = 0;
    }
    if (group == run.size)
    {
        if (run.groups.size() == run.size)
            run.groups.emplace_back();
        run.groups[group].draws = info.arrayDraws;
        ++run.size;
    }
    run.groups[group].members.push_back(
        {id, myStepIdentity ? UT_Matrix4() : myStep, myMatrix.viewing});
    return true;
}

void
RE_OGLRender::drawDeferred()
{
    if (!myRun || myRun->size == 0 || myDefining >= 0 || !glReady())
        return;
    // Taken out first: the sends below must not find it still deferred.
    BatchRun run;
    std::swap(run, *myRun);

    // The record becomes the run's while it is drawn; GL's copy follows it
    // through the usual sends, so what comes after finds GL as it is.
    const MatrixState savedMatrix = myMatrix;
    const ViewportState savedViewport = myViewport;
    struct SavedLight
    {
        LightSlot *slot;
        LightSlot was;
    };
    std::vector<SavedLight> savedLights;
    for (const BatchRun::Light &l : run.lights)
    {
        auto found = myLights.find(l.light);
        if (found == myLights.end())
            continue;
        LightSlot &s = found->second;
        savedLights.push_back({&s, s});
        s.on = l.on;
        std::memcpy(s.position, l.position, sizeof(s.position));
        s.placedUnder = l.placedUnder;
    }
    myMatrix.projection = run.projection;
    myViewport = run.viewport;
    for (size_t g = 0; g < run.size; ++g)
        drawGroup(run.groups[g].draws, run.groups[g].members, run.base);

    myMatrix = savedMatrix;
    myViewport = savedViewport;
    for (SavedLight &l : savedLights)
    {
        l.slot->on = l.was.on;
        std::memcpy(l.slot->position, l.was.position, sizeof(l.was.position));
        l.slot->placedUnder = l.was.placedUnder;
    }
    myStateBehind = true;
    // The members' storage is kept for the next run; the arrays are not,
    // or their buffers would outlive the objects that drew them.
    for (size_t g = 0; g < run.size; ++g)
    {
        run.groups[g].members.clear();
        run.groups[g].draws.clear();
    }
    run.size = 0;
    std::swap(run, *myRun);
}

void
RE_OGLRender::drawGroup(const std::vector<ArrayDraw> &draws,
                        const std::vector<BatchMember> &members, const UT_Matrix4 &base)
{
    Batch *batch = keepRun(draws, members);
    const size_t count = members.size();
    for (size_t k = 0; k < count;)
    {
        size_t end = k;
        while (batch && !batch->held.empty() && end < count &&
               sameBytes(batch->held[end], members[end].step))
            ++end;
        if (end > k)
        {
            myMatrix.viewing = base;
            drawBatchRange(*batch, k, end);
            k = end;
            continue;
        }
        myMatrix.viewing = members[k].full;
        replayDraws(draws);
        ++k;
    }
}

RE_OGLRender::Batch *
RE_OGLRender::keepRun(const std::vector<ArrayDraw> &draws, const std::vector<BatchMember> &members)
{
    const size_t count = members.size();
    if (count < theMinRun)
        return nullptr;
    size_t memberBytes = 0;
    for (const ArrayDraw &d : draws)
        memberBytes += size_t(d.arrays->bytes);
    if (memberBytes * count > theMaxRunBytes)
        return nullptr;

    ObjectTable &table = *myTable;
    const uint64_t now = ++table.batchClock;
    Batch *batch = nullptr;
    for (auto &b : table.batches)
    {
        bool same = !b->ids.empty() && b->ids.front() == members.front().id &&
                    b->draws.size() == draws.size();
        for (size_t d = 0; same && d < draws.size(); ++d)
            same = sameDrawing(b->draws[d], draws[d]);
        if (same)
        {
            batch = b.get();
            break;
        }
    }
    if (!batch)
    {
        // Runs not drawn for long have left the scene; past the limit, the
        // one drawn longest ago goes too.
        auto forget = [&](size_t i) {
            deleteBatch(*table.batches[i]);
            table.batches.erase(table.batches.begin() + long(i));
        };
        for (size_t i = table.batches.size(); i-- > 0;)
            if (table.batches[i]->lastRun + theForgetRuns < now)
                forget(i);
        if (table.batches.size() >= theMaxKeptRuns)
            forget(size_t(std::min_element(table.batches.begin(), table.batches.end(),
                                           [](const auto &a, const auto &b) {
                                               return a->lastRun < b->lastRun;
                                           }) -
                          table.batches.begin()));
        table.batches.push_back(std::make_unique<Batch>());
        batch = table.batches.back().get();
        batch->draws = draws;
    }
    batch->lastRun = now;

    bool sameMembers = batch->ids.size() == count;
    for (size_t k = 0; sameMembers && k < count; ++k)
        sameMembers = batch->ids[k] == members[k].id;
    if (!sameMembers)
    {
        // Other objects: start again, holding nothing until they stay.
        deleteBatch(*batch);
        batch->ids.resize(count);
        batch->seen.resize(count);
        batch->still.assign(count, 1);
        for (size_t k = 0; k < count; ++k)
        {
            batch->ids[k] = members[k].id;
            batch->seen[k] = members[k].step;
            if (ObjectInfo *info = table.objects.find(batch->ids[k]))
                ++info->batched;
        }
        return batch;
    }

    size_t still = 0;
    for (size_t k = 0; k < count; ++k)
    {
        if (sameBytes(batch->seen[k], members[k].step))
            batch->still[k] = std::min(batch->still[k] + 1, 1 << 20);
        else
        {
            batch->seen[k] = members[k].step;
            batch->still[k] = 1;
        }
        still += batch->still[k] >= myBatchStableRuns ? 1 : 0;
    }
    if (batch->held.empty())
    {
        // Built once most members keep still; the others are drawn on
        // their own until they do too.
        if (still >= theMinRun && 2 * still >= count)
            buildBatch(*batch);
        return batch;
    }
    for (size_t k = 0; k < count; ++k)
        if (batch->still[k] >= myBatchStableRuns && !sameBytes(batch->held[k], batch->seen[k]))
            patchBatch(*batch, k);
    return batch;
}

namespace
{
// One member's arrays, read back from the shared buffers into m.
template <typename Arrays, typename MemberArrays>
void
readBack(const Arrays &a, MemberArrays &m)
{
    const size_t floats = size_t(a.count) * (3 + (a.normalOffset ? 3 : 0) + (a.colorOffset ? 4 : 0));
    m.vertices.resize(floats);
    glBindBuffer(GL_ARRAY_BUFFER, a.vertices);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(floats * sizeof(float)), m.vertices.data());
    if (a.indices)
    {
        m.indices.resize(size_t(a.indexCount));
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, a.indices);
        glGetBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0,
                           GLsizeiptr(m.indices.size() * sizeof(unsigned int)), m.indices.data());
    }
}

// Widens the box (min x, y, z, then max) to hold the points.
void
widen(float box[6], bool &bounded, const float *points, size_t count)
{
    for (size_t i = 0; i < count; ++i, points += 3)
    {
        if (!bounded)
        {
            std::copy(points, points + 3, box);
            std::copy(points, points + 3, box + 3);
            bounded = true;
        }
        for (int c = 0; c < 3; ++c)
        {
            box[c] = std::min(box[c], points[c]);
            box[c + 3] = std::max(box[c + 3], points[c]);
        }
    }
}

// Whether the box lies wholly in front of the near plane (under the
// viewing matrix and projection): then no object in it is cut open by the
// near plane or holds the eye, and only its outside can be seen.
bool
beyondNearPlane(const float box[6], const UT_Matrix4 &viewing, const UT_Matrix4 &projection)
{
    UT_Matrix4 toClip = viewing;
    toClip *= projection;
    for (int c = 0; c < 8; ++c)
    {
        const float p[4] = {box[c & 1 ? 3 : 0], box[c & 2 ? 4 : 1], box[c & 4 ? 5 : 2], 1.0f};
        float clip[4];
        for (int j = 0; j < 4; ++j)
            clip[j] = p[0] * toClip(0, j) + p[1] * toClip(1, j) + p[2] * toClip(2, j) +
                      p[3] * toClip(3, j);
        if (!(clip[3] > 0.0f && clip[2] > -clip[3]))
            return false;
    }
    return true;
}

// Writes members [first, end) of one drawing into the merged buffers bound
// to GL_ARRAY_BUFFER (and GL_ELEMENT_ARRAY_BUFFER when indexed), widening
// the batch's box and telling whether any of them mirrors.
template <typename Arrays, typename MemberArrays, typename Batch>
void
writeMembers(const Arrays &one, const MemberArrays &src, const Arrays &merged, Batch &batch,
             size_t first, size_t end, bool withIndices)
{
    const std::vector<UT_Matrix4> &xforms = batch.seen;
    const size_t n = size_t(one.count);
    const size_t members = end - first;
    std::vector<float> out(members * n * 3);
    MemberTransform t;
    // Positions, then normals; colours do not move.
    for (int pass = 0; pass < (one.normalOffset ? 2 : 1); ++pass)
    {
        const float *in = src.vertices.data() + (pass ? n * 3 : 0);
        for (size_t k = first; k < end; ++k)
        {
            if (!t.set(xforms[k]))
                continue; // refused before it was kept
            float *to = out.data() + (k - first) * n * 3;
            if (pass)
                t.normals(in, int(n), to);
            else
            {
                t.points(in, int(n), to);
                widen(batch.bounds, batch.bounded, to, n);
                batch.unmirrored = batch.unmirrored && !t.mirrors();
            }
        }
        const size_t at = (pass ? merged.normalOffset : 0) + first * n * 3 * sizeof(float);
        glBufferSubData(GL_ARRAY_BUFFER, GLintptr(at), GLsizeiptr(out.size() * sizeof(float)),
                        out.data());
    }
    if (one.colorOffset && withIndices)
    {
        const float *colors = src.vertices.data() + n * (one.normalOffset ? 6 : 3);
        std::vector<float> rows(members * n * 4);
        for (size_t k = 0; k < members; ++k)
            std::memcpy(rows.data() + k * n * 4, colors, n * 4 * sizeof(float));
        glBufferSubData(GL_ARRAY_BUFFER,
                        GLintptr(merged.colorOffset + first * n * 4 * sizeof(float)),
                        GLsizeiptr(rows.size() * sizeof(float)), rows.data());
    }
    if (one.indices && withIndices)
    {
        const size_t ic = size_t(one.indexCount);
        std::vector<unsigned int> idx(members * ic);
        for (size_t k = first; k < end; ++k)
            for (size_t i = 0; i < ic; ++i)
                idx[(k - first) * ic + i] = src.indices[i] + unsigned(k * n);
        glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, GLintptr(first * ic * sizeof(unsigned int)),
                        GLsizeiptr(idx.size() * sizeof(unsigned int)), idx.data());
    }
}
} // namespace

void
RE_OGLRender::buildBatch(Batch &batch)
{
    for (const UT_Matrix4 &m : batch.seen)
        if (!MemberTransform().set(m))
            return; // some member projects: the run stays one call each
    const size_t members = batch.ids.size();
    batch.buffers.resize(batch.draws.size());
    batch.sources.resize(batch.draws.size());
    batch.solid.assign(batch.draws.size(), 0);
    batch.unmirrored = true;
    batch.bounded = false;
    for (size_t d = 0; d < batch.draws.size(); ++d)
    {
        const ArrayBuffer &one = *batch.draws[d].arrays;
        readBack(one, batch.sources[d]);
        const Batch::MemberArrays &src = batch.sources[d];
        batch.solid[d] = closesOutward(one.prim, src, one.count);
        ArrayBuffer &merged = batch.buffers[d];
        const size_t n = size_t(one.count) * members;
        merged.prim = one.prim;
        merged.count = int(n);
        merged.indexCount = one.indices ? one.indexCount * int(members) : 0;
        merged.normalOffset = one.normalOffset ? n * 3 * sizeof(float) : 0;
        merged.colorOffset = one.colorOffset ? n * (one.normalOffset ? 6 : 3) * sizeof(float) : 0;
        const size_t vertexBytes = src.vertices.size() * sizeof(float) * members;
        const size_t indexBytes = size_t(merged.indexCount) * sizeof(unsigned int);
        merged.bytes = long(vertexBytes + indexBytes);
        glGenBuffers(1, &merged.vertices);
        glBindBuffer(GL_ARRAY_BUFFER, merged.vertices);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertexBytes), nullptr, GL_STATIC_DRAW);
        if (one.indices)
        {
            glGenBuffers(1, &merged.indices);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, merged.indices);
            glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indexBytes), nullptr, GL_STATIC_DRAW);
        }
        for (size_t first = 0; first < members; first += theBuildPiece)
            writeMembers(one, src, merged, batch, first, std::min(members, first + theBuildPiece),
                         true);
    }
    batch.held = batch.seen;
    // Bindings changed behind the record of bound arrays.
    myBoundArrays = nullptr;
    myArraysClean = false;
}

void
RE_OGLRender::patchBatch(Batch &batch, size_t member)
{
    if (!MemberTransform().set(batch.seen[member]))
        return;
    for (size_t d = 0; d < batch.draws.size(); ++d)
    {
        const ArrayBuffer &one = *batch.draws[d].arrays;
        glBindBuffer(GL_ARRAY_BUFFER, batch.buffers[d].vertices);
        writeMembers(one, batch.sources[d], batch.buffers[d], batch, member, member + 1, false);
    }
    batch.held[member] = batch.seen[member];
    myBoundArrays = nullptr;
    myArraysClean = false;
}

void
RE_OGLRender::drawBatchRange(const Batch &batch, size_t first, size_t end)
{
    for (size_t d = 0; d < batch.draws.size(); ++d)
    {
        const ArrayDraw &draw = batch.draws[d];
        const RE_DrawingState &state = draw.state->drawing;
        // Faces turned away from the eye cost GL as much as the others and
        // are hidden when every member is a closed surface seen from
        // outside, drawn opaque with depth testing: GL culls them when
        // asked to (only then: along outlines, where the depth buffer
        // cannot tell a face turned away from the face in front, the one
        // drawn first keeps the pixel, which culling changes).
        const bool cullBack = myBatchCulling && batch.solid[d] && batch.unmirrored && batch.bounded &&
                              state.cullFace == RE_CULL_NONE &&
                              state.polygonMode == RE_POLYGON_FILL && !state.reverseWinding &&
                              state.zTest && (state.zFunc == RE_CMP_LESS || state.zFunc == RE_CMP_LEQUAL) &&
                              !state.blend.on &&
                              beyondNearPlane(batch.bounds, myMatrix.viewing, myMatrix.projection);
        if (cullBack)
        {
            RE_DrawingState culled = state;
            culled.cullFace = RE_CULL_BACK;
            sendDrawingStateOf(culled);
            myGLStateFrom.reset();
        }
        else if (draw.state != myGLStateFrom)
        {
            sendDrawingStateOf(state);
            myGLStateFrom = draw.state;
        }
        sendLights();
        sendMatrices();
        const ArrayBuffer &one = *draw.arrays;
        const ArrayBuffer &merged = batch.buffers[d];
        bindArrays(merged);
        if (merged.indices)
            glDrawElements(merged.prim, GLsizei((end - first) * size_t(one.indexCount)),
                           GL_UNSIGNED_INT,
                           reinterpret_cast<const void *>(first * size_t(one.indexCount) *
                                                          sizeof(unsigned int)));
        else
            glDrawArrays(merged.prim, GLint(first * size_t(one.count)),
                         GLsizei((end - first) * size_t(one.count)));
        if (merged.colorOffset)
        {
            myGL->known &= ~RE_GS_COLOR;
            myGLStateFrom.reset();
        }
    }
    myStats.batchedObjects += long(end - first);
}

void
RE_OGLRender::deleteBatch(Batch &batch)
{
    for (ArrayBuffer &merged : batch.buffers)
    {
        if (glReady())
        {
            if (myBoundArrays == &merged)
            {
                myBoundArrays = nullptr;
                myArraysClean = false;
            }
            const GLuint names[2] = {merged.vertices, merged.indices};
            glDeleteBuffers(names[1] ? 2 : 1, names);
        }
    }
    batch.buffers.clear();
    batch.sources.clear();
    batch.held.clear();
    for (int id : batch.ids)
        if (ObjectInfo *info = myTable->objects.find(id))
            info->batched = std::max(0, info->batched - 1);
    batch.ids.clear();
    batch.seen.clear();
    batch.still.clear();
}

void
RE_OGLRender::dropBatchesOf(int id)
{
    std::vector<std::unique_ptr<Batch>> &batches = myTable->batches;
    for (size_t i = batches.size(); i-- > 0;)
        if (std::find(batches[i]->ids.begin(), batches[i]->ids.end(), id) != batches[i]->ids.end())
        {
            deleteBatch(*batches[i]);
            batches.erase(batches.begin() + long(i));
        }
}

int
RE_OGLRender::getNumLiveBatches() const
{
    int live = 0;
    for (const auto &b : myTable->batches)
        live += b->buffers.empty() ? 0 : 1;
    return live;
}

long
RE_OGLRender::getBatchBytes() const
{
    long bytes = 0;
    for (const auto &b : myTable->batches)
        for (const ArrayBuffer &merged : b->buffers)
            bytes += merged.bytes;
    return bytes;
}
