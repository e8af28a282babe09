#pragma once

// Runs of display objects drawn together (RE_OGLRenderBatch.cpp). Internal
// to the render context's sources.

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_OGLRenderArrayBuffer.h"

#include <cstdint>
#include <vector>

// One deferred replay of an object.
struct RE_OGLRender::BatchMember
{
    int id;
    UT_Matrix4 step; // its own transform under the run's camera
    UT_Matrix4 full; // the viewing matrix it was replayed under
};

// Replays deferred one after another under one camera and one set of
// lights: one group of objects of the same arrays and state, or several
// when every group draws opaque with depth testing (then the order in
// which the groups reach GL cannot change the frame).
struct RE_OGLRender::BatchRun
{
    // A light as the run found it: its switch and where it was placed.
    struct Light
    {
        const RE_Light *light;
        bool on;
        float position[4];
        UT_Matrix4 placedUnder;
    };
    struct Group
    {
        std::vector<ArrayDraw> draws;
        std::vector<BatchMember> members;
    };
    UT_Matrix4 base; // the matrix the members' transforms apply under
    UT_Matrix4 projection;
    ViewportState viewport;
    std::vector<Light> lights;
    // In the order each first came; only the first size are in use (the
    // others keep their storage for later runs).
    std::vector<Group> groups;
    size_t size = 0;
};

// A run seen before, kept with buffers that hold every member's arrays
// transformed by its own transform, member after member.
struct RE_OGLRender::Batch
{
    // One member's arrays as the shared buffers hold them, read back once
    // when the buffers are built, for writing members moved since.
    struct MemberArrays
    {
        std::vector<float> vertices; // positions, then normals, then colours
        std::vector<unsigned int> indices;
    };
    std::vector<ArrayDraw> draws;
    std::vector<int> ids;
    std::vector<UT_Matrix4> seen; // each member's transform in the last run
    std::vector<int> still;       // runs it has stayed so
    std::vector<UT_Matrix4> held; // what the buffers hold; empty until built
    std::vector<ArrayBuffer> buffers; // one per drawing of the members
    std::vector<MemberArrays> sources; // one per drawing
    // Per drawing: its triangles close a surface facing out, so that faces
    // turned away are hidden behind the object's own front faces.
    std::vector<char> solid;
    // No member held mirrors (which turns its faces inside out).
    bool unmirrored = true;
    // The box the held members fill, under the run's base matrix.
    float bounds[6] = {0, 0, 0, 0, 0, 0};
    bool bounded = false;
    uint64_t lastRun = 0;
};
