// Runs of display objects drawn together: replays deferred under one state
// and camera land before whatever follows, a run that stays still is drawn
// from merged buffers with the pixels and journal of one call per object,
// and an object that moves or goes leaves its run at once.

#include "tests/support/VantrelTestContext.h"

#include "host/RE/RE_Light.h"

#include <cmath>
#include <string>
#include <vector>

using vantrel_test::countDifferent;
using vantrel_test::countNotColor;

namespace
{
// Pixels that may differ: merged buffers hold each object's corners
// transformed on their own, where GL transforms them by the product of the
// object's matrix and the camera's, and a pixel centre on an edge between
// two faces may fall to the other face. A box lost or a face culled wrongly
// changes hundreds.
const int theRounding = 6;

// A box of 24 corners (each face its own normal) and 12 triangles,
// outward-facing counter-clockwise; or turned inside out; or without its
// last face (+z), open.
struct BoxArrays
{
    std::vector<float> positions, normals, colors;
    std::vector<unsigned int> indices;
    explicit BoxArrays(bool insideOut = false, bool open = false)
    {
        for (int axis = 0; axis < 3; ++axis)
            for (int side = 0; side < 2; ++side)
            {
                const int u = (axis + 1) % 3, v = (axis + 2) % 3;
                const unsigned first = unsigned(positions.size() / 3);
                const float s = side ? 0.5f : -0.5f;
                const float corner[4][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}};
                for (int k = 0; k < 4; ++k)
                {
                    const int c = side ? k : 3 - k;
                    float p[3];
                    p[axis] = s;
                    p[u] = corner[c][0];
                    p[v] = corner[c][1];
                    float n[3] = {0, 0, 0};
                    n[axis] = side ? 1.0f : -1.0f;
                    positions.insert(positions.end(), p, p + 3);
                    normals.insert(normals.end(), n, n + 3);
                    // Each face its own colour.
                    const float rgba[4] = {axis == 0 ? 1.0f : 0.2f, axis == 1 ? 1.0f : 0.2f,
                                           side ? 1.0f : 0.3f, 1.0f};
                    colors.insert(colors.end(), rgba, rgba + 4);
                }
                for (unsigned i : {0u, 1u, 2u, 0u, 2u, 3u})
                    indices.push_back(first + i);
            }
        if (insideOut)
            for (size_t t = 0; t < indices.size(); t += 3)
                std::swap(indices[t + 1], indices[t + 2]);
        if (open)
            indices.resize(indices.size() - 6);
    }
};

class RE_Batch : public vantrel_test::PixelTest
{
protected:
    static constexpr long theCount = 13;

    void setUpScene() override
    {
        RE_Render *r = render();
        myLight.setFlag(RE_Light::RE_LIGHT_INFINITE, true);
        myLight.setDirection(UT_Vector3(-0.3f, -0.5f, -1.0f));
        r->enableZbuffer(1);
        myId = defineBox(myBox);
        // Boxes off centre on a 4 x 3 grid, each turned and stretched its
        // own way, so that a wrong normal transform shows in the shading;
        // the last one at the origin, drawn with no transform of its own.
        for (int i = 0; i + 1 < theCount; ++i)
        {
            UT_Matrix4 m;
            m.scale(0.6f + 0.05f * float(i % 4), 0.7f, 0.5f + 0.04f * float(i));
            m.rotate(UT_Axis3::YAXIS, 0.3f + 0.2f * float(i));
            m.rotate(UT_Axis3::XAXIS, 0.15f * float(i % 3));
            m.translate(-2.1f + 1.3f * float(i % 4), -1.0f + 1.1f * float(i / 4), -0.4f * float(i % 2));
            myXforms.push_back(m);
        }
        myXforms.emplace_back();
        r->setBatchStableRuns(2);
    }
    // An orange lit box, or one of coloured faces unlit; depth tested.
    int defineBox(const BoxArrays &box, bool lit = true)
    {
        RE_Render *r = render();
        const int id = r->startObjectDefine();
        r->toggleLighting(lit);
        r->setColor(1.0f, 0.5f, 0.1f);
        r->drawArrays(RE_PRIM_TRIANGLES, box.positions.data(), box.normals.data(),
                      lit ? nullptr : box.colors.data(), 24, box.indices.data(),
                      int(box.indices.size()));
        r->toggleLighting(0);
        r->endObjectDefine();
        return id;
    }
    void tearDownScene() override
    {
        render()->setBatching(true);
        render()->deleteObject(myId);
    }

    // The camera: a frustum in a 110 x 70 viewport at (9, 31), turned by
    // yaw about the scene's middle.
    UT_Matrix4 camera(float yaw = 0.2f) const
    {
        UT_Matrix4 view;
        view.rotate(UT_Axis3::YAXIS, yaw);
        view.rotate(UT_Axis3::XAXIS, 0.35f);
        view.translate(0.3f, 0.0f, -7.5f);
        return view;
    }
    // One frame of the boxes; returns its pixels (read from the context,
    // which draws what was deferred first).
    std::vector<uint8_t> frame(const UT_Matrix4 &view, float nearPlane = 1.0f)
    {
        RE_Render *r = render();
        r->resetFrameStats();
        r->viewport2DS(9, 118, 31, 100);
        r->screenMask2DS(0, 127, 0, 127);
        r->clear();
        r->matrixMode(RE_MATRIX_PROJECTION);
        r->loadIdentityMatrix();
        r->window3DW(-0.55f * nearPlane, 0.55f * nearPlane, -0.35f * nearPlane,
                     0.35f * nearPlane, nearPlane, 30.0f);
        r->matrixMode(RE_MATRIX_VIEWING);
        r->loadMatrix(view);
        r->setLightState(&myLight, true);
        for (size_t i = 0; i < myXforms.size(); ++i)
        {
            r->pushMatrix();
            if (i + 1 < myXforms.size())
                r->multiplyMatrix(myXforms[i]);
            r->drawObject(myId);
            r->popMatrix();
        }
        r->setLightState(&myLight, false);
        return context()->readPixels();
    }
    // The same frame drawn one call per object.
    std::vector<uint8_t> unbatched(const UT_Matrix4 &view, float nearPlane = 1.0f)
    {
        render()->setBatching(false);
        std::vector<uint8_t> pixels = frame(view, nearPlane);
        render()->setBatching(true);
        return pixels;
    }
    long batched() const { return render()->getFrameStats().batchedObjects; }

    BoxArrays myBox;
    RE_Light myLight{"key"};
    int myId = -1;
    std::vector<UT_Matrix4> myXforms;
};
} // namespace

TEST_F(RE_Batch, AStillRunDrawsTogetherAsEachObjectAloneWouldAndAMovedObjectLeavesItAtOnce)
{
    RE_Render *r = render();
    ASSERT_GT(myId, 0);
    const std::vector<uint8_t> alone = unbatched(camera());
    ASSERT_GT(countNotColor(alone, 0, 0, 0), 1500) << "the boxes are drawn";

    // The first run is seen, the second finds it still and builds.
    frame(camera());
    EXPECT_EQ(batched(), 0);
    EXPECT_EQ(r->getNumLiveBatches(), 0);
    EXPECT_LE(countDifferent(frame(camera()), alone, 2), theRounding);
    EXPECT_EQ(batched(), theCount);
    EXPECT_EQ(r->getNumLiveBatches(), 1);
    const long bytes = r->getBatchBytes();
    EXPECT_EQ(bytes, theCount * (24 * 6 * 4 + 36 * 4));

    // The camera turns: the merged buffers stay, drawn under the new one.
    const std::vector<uint8_t> turned = frame(camera(-0.25f));
    EXPECT_EQ(batched(), theCount);
    EXPECT_LE(countDifferent(turned, unbatched(camera(-0.25f)), 2), theRounding);
    EXPECT_EQ(r->getBatchBytes(), bytes);

    // The last turned box moves: it is drawn on its own, in its new place,
    // the others together; once it stays still long enough it joins again.
    myXforms[theCount - 2].translate(0.0f, 0.6f, 0.3f);
    EXPECT_LE(countDifferent(frame(camera()), unbatched(camera()), 2), theRounding);
    EXPECT_EQ(batched(), theCount - 1);
    frame(camera());
    EXPECT_LE(countDifferent(frame(camera()), unbatched(camera()), 2), theRounding);
    EXPECT_EQ(batched(), theCount);
    EXPECT_EQ(r->getBatchBytes(), bytes);

    // One in the middle moves every frame: it stays out, the run around it
    // is drawn in two stretches.
    for (int f = 0; f < 3; ++f)
    {
        myXforms[5].translate(0.05f, 0.0f, 0.0f);
        const std::vector<uint8_t> moving = frame(camera());
        EXPECT_EQ(batched(), theCount - 1);
        EXPECT_LE(countDifferent(moving, unbatched(camera()), 2), theRounding);
    }
    EXPECT_EQ(r->drainGLErrors(), 0);
}

TEST_F(RE_Batch, TheJournalAndCountsAreThoseOfOneReplayPerObject)
{
    RE_Render *r = render();
    frame(camera());
    frame(camera());
    r->setJournal(true);
    r->clearJournal();
    frame(camera());
    const std::vector<std::string> together = r->getJournal();
    const RE_FrameStats counted = r->getFrameStats();
    ASSERT_EQ(counted.batchedObjects, theCount);
    r->setBatching(false);
    r->clearJournal();
    frame(camera());
    r->setJournal(false);
    EXPECT_EQ(together, r->getJournal());
    EXPECT_EQ(counted.cachedReplays, r->getFrameStats().cachedReplays);
    EXPECT_EQ(counted.trianglesSent, r->getFrameStats().trianglesSent);
    EXPECT_EQ(counted.trianglesSent, theCount * 12);
}

TEST_F(RE_Batch, DeferredObjectsLandBeforeWhatFollowsThemAndPicksSeeEachObject)
{
    RE_Render *r = render();
    frame(camera());
    frame(camera());
    // A square drawn after the run, without depth test, covers the boxes
    // under it; a readback in between would have missed the deferred ones.
    auto withSquare = [&](bool batching) {
        r->setBatching(batching);
        frame(camera());
        r->pushMatrix();
        r->loadIdentityMatrix();
        r->setColor(0.0f, 0.0f, 1.0f);
        r->beginPolygon();
        const float corners[4][2] = {{-0.5f, -0.2f}, {0.5f, -0.2f}, {0.5f, 0.3f}, {-0.5f, 0.3f}};
        for (const auto &c : corners)
            r->vertex3DW(c[0], c[1], -3.0f);
        r->endPolygon();
        r->popMatrix();
        std::vector<uint8_t> pixels = context()->readPixels();
        r->setBatching(true);
        return pixels;
    };
    const std::vector<uint8_t> together = withSquare(true);
    EXPECT_EQ(batched(), theCount);
    const std::vector<uint8_t> alone = withSquare(false);
    EXPECT_GT(countNotColor(alone, 0, 0, 255), 1500);
    EXPECT_LT(countNotColor(alone, 0, 0, 255), 128 * 128 - 300);
    EXPECT_LE(countDifferent(together, alone, 2), theRounding);

    // A pick pass right after a deferred run records every box it covers.
    frame(camera());
    std::vector<unsigned> buffer(1024);
    r->beginPicking(buffer.data(), long(buffer.size()), 9, 31, 110, 70);
    for (int i = 0; i < theCount; ++i)
    {
        r->pushPickId(i + 1);
        r->pushMatrix();
        r->multiplyMatrix(myXforms[size_t(i)]);
        r->drawObject(myId);
        r->popMatrix();
        r->popPickId();
    }
    EXPECT_EQ(r->endPicking(buffer.data()), theCount);
    EXPECT_EQ(r->drainGLErrors(), 0);
}

TEST_F(RE_Batch, ObjectsDeletedTakeTheirRunsBuffersWithThem)
{
    RE_Render *r = render();
    const int buffersBefore = r->getNumLiveArrayBuffers();
    // A second object of the same arrays and an equal state (a copy of its
    // own: an object of another colour was defined between) joins the run;
    // deleting it drops the run's buffers and the rest builds again.
    const int blue = r->startObjectDefine();
    r->setColor(0.0f, 0.0f, 1.0f);
    r->drawArrays(RE_PRIM_TRIANGLES, myBox.positions.data(), myBox.normals.data(), nullptr, 24,
                  myBox.indices.data(), 36);
    r->endObjectDefine();
    r->deleteObject(blue);
    const int other = r->startObjectDefine();
    r->toggleLighting(1);
    r->setColor(1.0f, 0.5f, 0.1f);
    r->drawArrays(RE_PRIM_TRIANGLES, myBox.positions.data(), myBox.normals.data(), nullptr, 24,
                  myBox.indices.data(), 36);
    r->toggleLighting(0);
    r->endObjectDefine();
    EXPECT_EQ(r->getNumLiveArrayBuffers(), buffersBefore);
    auto frameWith = [&] {
        r->resetFrameStats();
        r->clear();
        r->loadMatrix(camera());
        for (size_t i = 0; i < myXforms.size(); ++i)
        {
            r->pushMatrix();
            r->multiplyMatrix(myXforms[i]);
            r->drawObject(i + 1 == myXforms.size() ? other : myId);
            r->popMatrix();
        }
        r->flush(1);
    };
    frameWith();
    frameWith();
    EXPECT_EQ(r->getNumLiveBatches(), 1);
    EXPECT_EQ(batched(), theCount);
    r->deleteObject(other);
    EXPECT_EQ(r->getNumLiveBatches(), 0);
    frame(camera());
    frame(camera());
    EXPECT_EQ(r->getNumLiveBatches(), 1);
    EXPECT_EQ(batched(), theCount);
    // The last object's arrays go with the batch that held them.
    r->deleteObject(myId);
    myId = -1;
    EXPECT_EQ(r->getNumLiveBatches(), 0);
    EXPECT_EQ(r->getBatchBytes(), 0);
    EXPECT_EQ(r->getNumLiveArrayBuffers(), buffersBefore - 1);
    EXPECT_EQ(r->drainGLErrors(), 0);
}

TEST_F(RE_Batch, OnlyClosedSurfacesSeenFromOutsideLoseTheFacesTurnedAway)
{
    RE_Render *r = render();
    r->setBatchCulling(true);
    // Each of the others shows faces turned away from the eye: a box open
    // towards the camera, one turned inside out, a member mirrored, and the
    // near plane cutting through the boxes. Drawn together they must show
    // the same.
    auto sameTogether = [&](const char *what, float nearPlane) {
        frame(camera(), nearPlane);
        const std::vector<uint8_t> together = frame(camera(), nearPlane);
        EXPECT_EQ(batched(), theCount) << what;
        EXPECT_LE(countDifferent(together, unbatched(camera(), nearPlane), 2), theRounding) << what;
    };
    const int closed = myId;
    // Closed boxes seen from outside lose the faces turned away, and look
    // the same (this scene's depth range leaves no doubt along outlines).
    sameTogether("closed", 1.0f);
    for (bool insideOut : {false, true})
    {
        myId = defineBox(BoxArrays(insideOut, !insideOut));
        sameTogether(insideOut ? "inside out" : "open", 1.0f);
        r->deleteObject(myId);
    }
    myId = closed;
    // The nearest boxes reach 6.4 units from the eye.
    sameTogether("cut by the near plane", 6.9f);
    // Mirrored in its own space, a box of coloured faces stays in place,
    // inside out (lit, its faces turned away would look as dark as those
    // turned towards the eye).
    myId = defineBox(myBox, false);
    myXforms[3].prescale(-1.0f, 1.0f, 1.0f);
    sameTogether("mirrored", 1.0f);
    r->deleteObject(myId);
    myId = closed;
    r->setBatchCulling(false);
    EXPECT_EQ(r->drainGLErrors(), 0);
}

