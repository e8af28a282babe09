// Cached display objects (display lists), smart objects and picking
// through the selection buffer.

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_OGLRenderShadow.h"
#include "host/RE/RE_Shader.h"

#include <algorithm>
#include <climits>

namespace
{
// GL guarantees a name stack of at least 64 entries.
const int theMaxGLNames = 64;

const std::vector<int> theNoShaders;
}

// ---- Display objects -----------------------------------------------------

RE_OGLRender::ObjectInfo *
RE_OGLRender::ObjectMap::find(int id)
{
    if (!isDense(id))
    {
        auto found = mySparse.find(id);
        return found == mySparse.end() ? nullptr : &found->second;
    }
    return size_t(id) < myLive.size() && myLive[size_t(id)] ? &myDense[size_t(id)] : nullptr;
}

const RE_OGLRender::ObjectInfo *
RE_OGLRender::ObjectMap::find(int id) const
{
    return const_cast<ObjectMap *>(this)->find(id);
}

RE_OGLRender::ObjectInfo &
RE_OGLRender::ObjectMap::operator[](int id)
{
    if (ObjectInfo *found = find(id))
        return *found;
    ++myCount;
    if (!isDense(id))
        return mySparse[id];
    if (size_t(id) >= myDense.size())
    {
        myDense.resize(size_t(id) + 1);
        myLive.resize(size_t(id) + 1, false);
    }
    myLive[size_t(id)] = true;
    return myDense[size_t(id)] = ObjectInfo();
}

void
RE_OGLRender::ObjectMap::erase(int id)
{
    if (!find(id))
        return;
    --myCount;
    if (!isDense(id))
    {
        mySparse.erase(id);
        return;
    }
    myLive[size_t(id)] = false;
    myDense[size_t(id)] = ObjectInfo();
}

int
RE_OGLRender::startDefine(bool smart)
{
    if (myDefining >= 0 || myPrimitive)
        return -1;
    int id = 0;
    if (glReady())
    {
        // GL holds the record when the definition starts, as a replay
        // will find it.
        sendStateBehind();
        // Drain earlier errors so the end of the definition sees its own.
        for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i)
            ;
        id = static_cast<int>(glGenLists(1));
        if (id <= 0)
            return -1;
        glNewList(static_cast<GLuint>(id), GL_COMPILE);
    }
    else
        id = ourRecordOnlyIdBase + myTable->nextRecordOnlyId++;
    myDefining = id;
    myDefiningSmart = smart;
    myDefineFromArrays = id < ourRecordOnlyIdBase;
    myDefineSets = 0;
    myDefineMatrixDepth = 0;
    ObjectInfo info;
    info.smart = smart;
    myTable->objects[id] = info;
    if (smart)
        myPendingShaders.clear();
    return id;
}

int
RE_OGLRender::startObjectDefine()
{
    journal("startObjectDefine");
    return startDefine(false);
}

bool
RE_OGLRender::endDefine()
{
    bool ok = true;
    const int id = myDefining;
    const bool compiled = glReady() && id < ourRecordOnlyIdBase;
    if (compiled)
    {
        glEndList();
        ok = glGetError() == GL_NO_ERROR;
        // What a replay sets: the groups compiled in, at the values the
        // record holds now (each compiled change was the record's value).
        ObjectInfo &info = myTable->objects[id];
        info.sets = myDefineSets;
        if (myDefineSets & ~(RE_GS_MATRICES | RE_GS_LIGHTS))
            info.leaves = captureRecord();
        if (!ok || !myDefineFromArrays)
            releaseArrayDraws(info);
    }
    myDefineFromArrays = false;
    myDefining = -1;
    myDefiningSmart = false;
    myDefineSets = 0;
    myDefineMatrixDepth = 0;
    // GL only compiled the definition while the record followed it:
    // bring GL up to the record, all of it: with nothing sent between the
    // end of a list and its first replay, Mesa was seen to replay nothing
    // (in sanitizer builds). A definition is rare; the cost does not show.
    if (compiled)
    {
        myGL->known = 0;
        sendDrawingState();
    }
    ++myStats.cacheBuilds;
    return ok;
}

void
RE_OGLRender::endObjectDefine()
{
    journal("endObjectDefine");
    if (myDefining < 0 || myPrimitive)
        return;
    endDefine();
}

int
RE_OGLRender::startSmartObjectDefine()
{
    journal("startSmartObjectDefine");
    return startDefine(true);
}

bool
RE_OGLRender::endSmartObjectDefine()
{
    journal("endSmartObjectDefine");
    if (myDefining < 0 || !myDefiningSmart || myPrimitive)
        return false;
    return endDefine();
}

void
RE_OGLRender::drawObject(int id)
{
    if (myJournalOn)
        appendJournal("drawObject", {static_cast<double>(id)});
    const ObjectInfo *found = myTable->objects.find(id);
    // Replaying an object kept as arrays keeps a definition under way
    // replayable from arrays; any other replay makes it a list.
    const bool asArrays = found && !found->arrayDraws.empty();
    if (myDefineFromArrays && !asArrays)
        noteDefinedCall("drawObject");
    if (!found || id == myDefining)
        return;
    ++myStats.cachedReplays;
    const ObjectInfo &info = *found;
    countSent(info.triangles, info.lines);
    if (!glReady() || id >= ourRecordOnlyIdBase)
        return;
    if (asArrays && myDefining < 0)
    {
        if (!deferReplay(id, info))
            replayDraws(info.arrayDraws);
        return;
    }
    if (asArrays)
    {
        // Its list holds no vertices: the definition under way takes the
        // drawings themselves, sharing the buffers while it is kept as
        // arrays, or copied into its list.
        if (myDefineFromArrays)
        {
            std::vector<ArrayDraw> &into = myTable->objects[myDefining].arrayDraws;
            into.insert(into.end(), info.arrayDraws.begin(), info.arrayDraws.end());
        }
        else
            compileArrayDraws(info.arrayDraws);
        return;
    }
    sendBeforeDrawing();
    if (myDefining < 0)
        releaseArrays();
    glCallList(static_cast<GLuint>(id));
    if (myDefining >= 0)
    {
        // Compiled into the definition under way, which now sets what the
        // object sets.
        myDefineSets |= info.sets & ~RE_GS_MATRICES;
        if (info.sets & RE_GS_MATRICES)
            noteDefinedMatrixChange();
        return;
    }
    // What the object left behind is not in the record: a pop inside it
    // restores the state of the time it was defined, not of now. GL holds
    // what the object set; bring the groups that differ back to the record.
    if (info.sets & RE_GS_MATRICES)
        myGL->known &= ~RE_GS_MATRICES;
    if (info.sets & RE_GS_LIGHTS)
        for (auto &l : myLights)
            l.second.glKnown = false;
    if (info.leaves)
        myGL->adopt(*info.leaves, info.sets);
    myGLStateFrom.reset();
    // Back to the record before the next thing that depends on it.
    myStateBehind = true;
}

void
RE_OGLRender::deleteObject(int id)
{
    journal("deleteObject", {static_cast<double>(id)});
    if (!isObject(id) || id == myDefining)
        return;
    // A deferred replay of it draws before it goes, and the kept runs it
    // is in let go of its arrays.
    drawDeferred();
    if (myTable->objects.find(id)->batched > 0)
        dropBatchesOf(id);
    if (glReady() && id < ourRecordOnlyIdBase)
        glDeleteLists(static_cast<GLuint>(id), 1);
    releaseArrayDraws(myTable->objects[id]);
    myTable->objects.erase(id);
}

bool
RE_OGLRender::isObject(int id) const
{
    return myTable->objects.find(id) != nullptr;
}

bool
RE_OGLRender::isSmartObjectDirty(int id) const
{
    // A negative id is an empty cache slot: nothing there to rebuild.
    if (id < 0)
        return false;
    const ObjectInfo *found = myTable->objects.find(id);
    // An object that is gone has to be rebuilt as much as a dirty one.
    return !found || !found->smart || found->dirty;
}

void
RE_OGLRender::deleteSmartObject(int id)
{
    journal("deleteSmartObject", {static_cast<double>(id)});
    const ObjectInfo *found = myTable->objects.find(id);
    if (!found || !found->smart)
        return;
    deleteObject(id);
}

const std::vector<int> &
RE_OGLRender::getShadersUsedBySmartObject(int id) const
{
    const ObjectInfo *found = myTable->objects.find(id);
    return !found || !found->smart ? theNoShaders : found->shaders;
}

void
RE_OGLRender::deletePendingShadersFromSmartObjectCreation()
{
    journal("deletePendingShadersFromSmartObjectCreation");
    myPendingShaders.clear();
}

void
RE_OGLRender::bindBuiltInUniforms(RE_Shader *shader, int binding)
{
    journal("bindBuiltInUniforms", {shader ? static_cast<double>(shader->getId()) : 0.0,
                                    static_cast<double>(binding)});
    if (!shader || !myDefiningSmart)
        return;
    std::vector<int> &used = myTable->objects[myDefining].shaders;
    if (std::find(used.begin(), used.end(), shader->getId()) == used.end())
    {
        used.push_back(shader->getId());
        myPendingShaders.push_back(shader->getId());
    }
}

// ---- Picking -------------------------------------------------------------

void
RE_OGLRender::beginPicking(unsigned int *buffer, long size,
                           short px, short py, short pw, short ph)
{
    journal("beginPicking", {static_cast<double>(size), static_cast<double>(px),
                             static_cast<double>(py), static_cast<double>(pw),
                             static_cast<double>(ph)});
    if (myPick.on)
        endPicking(myPick.buffer);
    // Selection mode would count the deferred run as hits.
    drawDeferred();
    myPick = PickState();
    myPick.on = true;
    myPick.buffer = buffer;
    myPick.size = size;
    myPick.x = px;
    myPick.y = py;
    myPick.w = pw;
    myPick.h = ph;
    if (buffer && size > 0 && glReady() && !myPrimitive)
    {
        glSelectBuffer(static_cast<GLsizei>(std::min<long>(size, INT_MAX)), buffer);
        glRenderMode(GL_SELECT);
        glInitNames();
        myPick.selecting = true;
    }
    // The projection in force is narrowed at once; later ones as they are set.
    setProjection(myMatrix.projection);
}

int
RE_OGLRender::countPickRecords(int glHits) const
{
    if (glHits >= 0)
        return glHits;
    // The buffer overflowed: count the whole records that fitted.
    int records = 0;
    long at = 0;
    while (at < myPick.size)
    {
        const long names = static_cast<long>(myPick.buffer[at]);
        if (names < 0 || at + 3 + names > myPick.size)
            break;
        ++records;
        at += 3 + names;
    }
    return records;
}

int
RE_OGLRender::endPicking(unsigned int *)
{
    journal("endPicking");
    if (!myPick.on)
        return 0;
    int records = 0;
    if (myPick.selecting && glReady())
        records = countPickRecords(glRenderMode(GL_RENDER));
    // Whoever reads GL's state after picking finds the record's.
    if (glReady())
        sendStateBehind();
    myPick = PickState();
    return records;
}

void
RE_OGLRender::pushPickId(int id)
{
    journal("pushPickId", {static_cast<double>(id)});
    if (!myPick.on)
        return;
    myPick.names.push_back(id);
    if (myPick.selecting && !myPrimitive && myPick.namesInGL < theMaxGLNames &&
        myPick.namesInGL + 1 == static_cast<int>(myPick.names.size()) && glReady())
    {
        glPushName(static_cast<GLuint>(id));
        ++myPick.namesInGL;
    }
}

void
RE_OGLRender::popPickId()
{
    journal("popPickId");
    if (myPick.names.empty())
        return;
    if (myPick.namesInGL == static_cast<int>(myPick.names.size()) && !myPrimitive &&
        glReady())
    {
        glPopName();
        --myPick.namesInGL;
    }
    myPick.names.pop_back();
}
