// Display objects whose definition only drew arrays replay from buffer
// objects under the state recorded with each drawing; anything else a
// definition does keeps it on its display list.

#include "tests/support/VantrelTestContext.h"

#include <GL/gl.h>

#include <vector>

using vantrel_test::isNear;

namespace
{
// Two triangles covering a 20-unit square at the origin.
const float theSquare[] = {0, 0, 0, 20, 0, 0, 20, 20, 0, 0, 20, 0};
const unsigned int theSquareTriangles[] = {0, 1, 2, 0, 2, 3};

class RE_ArrayReplay : public vantrel_test::WindowPixelTest
{
protected:
    void drawSquare()
    {
        render()->drawArrays(RE_PRIM_TRIANGLES, theSquare, nullptr, nullptr, 4,
                             theSquareTriangles, 6);
    }

    // A red square object, drawn from arrays only.
    int defineRedSquare()
    {
        const int id = render()->startObjectDefine();
        render()->pushColor();
        render()->setColor(1, 0, 0);
        drawSquare();
        render()->popColor();
        render()->endObjectDefine();
        return id;
    }

    void moveTo(float x, float y)
    {
        UT_Matrix4 m;
        m.translate(x, y, 0.0f);
        render()->loadMatrix(m);
    }
};
} // namespace

TEST_F(RE_ArrayReplay, ObjectsShareBuffersAndDrawUnderTheirOwnStateWhateverCameBetween)
{
    RE_Render *r = render();
    const int buffersBefore = r->getNumLiveArrayBuffers();
    const int a = defineRedSquare();
    const int b = defineRedSquare();
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    EXPECT_EQ(r->getNumLiveArrayBuffers(), buffersBefore + 1);

    r->setColor(0, 0, 1);
    moveTo(0, 0);
    r->drawObject(a);
    // Blue goes to GL between two replays under the same recorded state.
    moveTo(30, 0);
    drawSquare();
    moveTo(60, 0);
    r->drawObject(b);
    moveTo(90, 0);
    drawSquare();
    EXPECT_TRUE(isNear(pixel(10, 10), 255, 0, 0));
    EXPECT_TRUE(isNear(pixel(40, 10), 0, 0, 255));
    EXPECT_TRUE(isNear(pixel(70, 10), 255, 0, 0));
    EXPECT_TRUE(isNear(pixel(100, 10), 0, 0, 255));

    // Whoever calls GL next finds the record, and arrays given by pointer
    // read from memory again.
    r->drawObject(a);
    r->sendPendingState();
    std::vector<float> color(4);
    glGetFloatv(GL_CURRENT_COLOR, color.data());
    EXPECT_EQ(color, std::vector<float>({0, 0, 1, 1}));
    GLint bound = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(glIsEnabled(GL_VERTEX_ARRAY), GL_FALSE);

    // The buffers go with the last object that uses them.
    r->deleteObject(a);
    EXPECT_EQ(r->getNumLiveArrayBuffers(), buffersBefore + 1);
    r->deleteObject(b);
    EXPECT_EQ(r->getNumLiveArrayBuffers(), buffersBefore);
    EXPECT_EQ(r->drainGLErrors(), 0);
}

TEST_F(RE_ArrayReplay, DefinitionsDoingMoreThanArraysReplayTheirDisplayList)
{
    RE_Render *r = render();
    const int buffersBefore = r->getNumLiveArrayBuffers();
    // Two squares, the second moved by the definition itself, then a line.
    const int id = r->startObjectDefine();
    r->setColor(0, 1, 0);
    drawSquare();
    UT_Matrix4 step;
    step.translate(40, 0, 0);
    r->multiplyMatrix(step);
    drawSquare();
    r->endObjectDefine();
    EXPECT_EQ(r->getNumLiveArrayBuffers(), buffersBefore);

    moveTo(0, 50);
    r->setColor(0, 0, 0);
    r->drawObject(id);
    EXPECT_TRUE(isNear(pixel(10, 60), 0, 255, 0));
    EXPECT_TRUE(isNear(pixel(50, 60), 0, 255, 0));
    r->deleteObject(id);
    EXPECT_EQ(r->drainGLErrors(), 0);
}

TEST_F(RE_ArrayReplay, ArraysAreHeldOnceAndReplayedInsideOtherDefinitions)
{
    RE_Render *r = render();
    const long listBefore = r->getListArrayBytes();
    const long buffersBefore = r->getArrayBufferBytes();
    // Four positions and six indices in the buffers, nothing in any list.
    const int square = defineRedSquare();
    EXPECT_EQ(r->getArrayBufferBytes() - buffersBefore, long(sizeof(theSquare)) + 6 * 4);
    EXPECT_EQ(r->getListArrayBytes(), listBefore);

    // Inside a definition that is arrays only, the replay shares the buffers.
    const int wrapper = r->startObjectDefine();
    r->setColor(0, 1, 0);
    r->drawObject(square);
    r->endObjectDefine();
    EXPECT_EQ(r->getListArrayBytes(), listBefore);
    EXPECT_EQ(r->getArrayBufferBytes() - buffersBefore, long(sizeof(theSquare)) + 6 * 4);

    // Inside a list, the arrays go into that list, under their own state;
    // so do the squares drawn before the definition turned into a list.
    const int moved = r->startObjectDefine();
    drawSquare();
    UT_Matrix4 step;
    step.translate(40, 0, 0);
    r->multiplyMatrix(step);
    r->drawObject(square);
    // GL is back at the record after the replay: the next square is green.
    r->multiplyMatrix(step);
    drawSquare();
    r->endObjectDefine();
    EXPECT_EQ(r->getListArrayBytes() - listBefore, 3 * (long(sizeof(theSquare)) + 6 * 4));

    r->setColor(0, 0, 1);
    moveTo(0, 0);
    r->drawObject(wrapper);
    moveTo(0, 30);
    r->drawObject(moved);
    // The square drawn last in a non-square window, off the origin.
    moveTo(100, 70);
    r->deleteObject(square);
    r->drawObject(wrapper);
    moveTo(0, 100);
    drawSquare();
    EXPECT_TRUE(isNear(pixel(10, 10), 255, 0, 0));
    EXPECT_TRUE(isNear(pixel(10, 40), 0, 255, 0));
    EXPECT_TRUE(isNear(pixel(50, 40), 255, 0, 0));
    EXPECT_TRUE(isNear(pixel(90, 40), 0, 255, 0));
    EXPECT_TRUE(isNear(pixel(110, 80), 255, 0, 0));
    EXPECT_TRUE(isNear(pixel(10, 110), 0, 0, 255));

    r->deleteObject(wrapper);
    r->deleteObject(moved);
    EXPECT_EQ(r->getListArrayBytes(), listBefore);
    EXPECT_EQ(r->getArrayBufferBytes(), buffersBefore);
    EXPECT_EQ(r->drainGLErrors(), 0);
}
