// The render context sends a change only when GL lacks it, and sends
// matrices and light placements just before drawing: GL must still agree
// with the record whenever something is drawn, also after display objects
// that changed state, and after code that changed GL behind the context.

#include "tests/support/VantrelTestContext.h"

#include "host/RE/RE_Light.h"

#include <GL/gl.h>

using vantrel_test::isNear;

namespace
{
const int S = vantrel_test::theContextSize;

class RE_StateSend : public vantrel_test::WindowPixelTest
{
protected:
    static std::vector<float> glFloats(GLenum what, int count)
    {
        std::vector<float> v(count);
        glGetFloatv(what, v.data());
        return v;
    }

    static std::vector<float> recordColor(const RE_Render &r)
    {
        std::vector<float> c(4);
        r.getColor(c.data());
        return c;
    }

    static UT_Matrix4 translation(float x, float y)
    {
        UT_Matrix4 m;
        m.translate(x, y, 0.0f);
        return m;
    }
};
} // namespace

TEST_F(RE_StateSend, ReplayedObjectsLeaveGLAgreeingWithTheRecord)
{
    RE_Render *r = render();
    // The object sets red, a wide line, lighting and smooth shading, and
    // moves its own drawing without a push around it.
    const int id = r->startObjectDefine();
    ASSERT_GT(id, 0);
    r->setColor(1, 0, 0);
    r->pushLineWidth(5.0f);
    r->toggleLighting(1);
    r->interpMode(1);
    r->toggleLighting(0);
    r->multiplyMatrix(translation(0, 40));
    square(0, 0, 20);
    r->endObjectDefine();
    // The record followed the definition; take it somewhere else.
    r->loadIdentityMatrix();
    r->setColor(0, 1, 0);
    r->popLineWidth();
    r->interpMode(0);

    r->drawObject(id);     // red at (0, 40)
    square(30, 0, 20);     // green, at the record's matrix
    r->drawObject(id);     // red again at (0, 40): it starts from the record
    square(60, 0, 20);

    EXPECT_TRUE(isNear(pixel(10, 50), 255, 0, 0));
    EXPECT_TRUE(isNear(pixel(40, 10), 0, 255, 0));
    EXPECT_TRUE(isNear(pixel(70, 10), 0, 255, 0));
    EXPECT_TRUE(isNear(pixel(10, 90), 0, 0, 0)); // never drawn twice over

    r->sendPendingState();
    EXPECT_EQ(glFloats(GL_CURRENT_COLOR, 4), recordColor(*r));
    EXPECT_EQ(glFloats(GL_LINE_WIDTH, 1)[0], r->getLineWidth());
    GLint shade = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    EXPECT_EQ(shade, GL_FLAT);
    EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_FALSE);
    const std::vector<float> modelview = glFloats(GL_MODELVIEW_MATRIX, 16);
    const UT_Matrix4 viewing = r->getAMatrix(RE_MATRIX_VIEWING);
    EXPECT_EQ(modelview, std::vector<float>(viewing.data(), viewing.data() + 16));
    r->deleteObject(id);
    EXPECT_EQ(r->drainGLErrors(), 0);
}

TEST_F(RE_StateSend, ChangesGLHoldsAreNotSentUntilTheContextForgetsGL)
{
    RE_Render *r = render();
    r->setColor(1, 0, 0);
    r->pushLineWidth(3.0f);
    // Changed behind the context: the context still believes GL holds red
    // and width 3, so setting them again sends nothing.
    glColor4f(0, 0, 1, 1);
    glLineWidth(1.0f);
    r->setColor(1, 0, 0);
    r->pushLineWidth(3.0f);
    square(0, 0, 20);
    EXPECT_TRUE(isNear(pixel(10, 10), 0, 0, 255));
    EXPECT_EQ(glFloats(GL_LINE_WIDTH, 1)[0], 1.0f);

    // Told that GL changed, it sends the whole record with the next change.
    r->forgetGLState();
    square(30, 0, 20);
    EXPECT_TRUE(isNear(pixel(40, 10), 255, 0, 0));
    EXPECT_EQ(glFloats(GL_LINE_WIDTH, 1)[0], 3.0f);
    // A real change goes out at once.
    r->setColor(0, 1, 0);
    EXPECT_EQ(glFloats(GL_CURRENT_COLOR, 4), std::vector<float>({0, 1, 0, 1}));
    r->popLineWidth();
    r->popLineWidth();
}

TEST_F(RE_StateSend, MatricesAndLightsReachGLOnlyWhenSomethingIsDrawn)
{
    RE_Render *r = render();
    RE_Light light("key");
    light.setFlag(RE_Light::RE_LIGHT_INFINITE, true);
    light.setDirection(UT_Vector3(0, 0, -1));
    ASSERT_TRUE(r->defineLight(&light));
    r->toggleLighting(1);
    r->setColor(0.5f, 0.5f, 0.5f);

    // Placed facing the square, then moved away and switched off and on
    // many times between draws, as a renderer does around each object.
    r->setLightState(&light, true);
    for (int i = 0; i < 3; ++i)
    {
        const std::vector<float> before = glFloats(GL_MODELVIEW_MATRIX, 16);
        r->pushMatrix();
        r->multiplyMatrix(translation(30.0f * float(i), 0));
        EXPECT_EQ(glFloats(GL_MODELVIEW_MATRIX, 16), before); // nothing drawn yet
        square(0, 0, 20);
        r->popMatrix();
        r->setLightState(&light, false);
        r->setLightState(&light, true);
    }
    // Placed turned round: it lights the back, and the square stays dark.
    r->pushMatrix();
    r->rotate(180, 'y');
    r->setLightState(&light, true);
    r->popMatrix();
    square(90, 0, 20);
    r->setLightState(&light, false);
    r->toggleLighting(0);

    const std::vector<int> lit = pixel(10, 10);
    EXPECT_GT(lit[0], 100);
    EXPECT_EQ(pixel(40, 10), lit);
    EXPECT_EQ(pixel(70, 10), lit);
    EXPECT_LT(pixel(100, 10)[0], lit[0] - 50);
    r->sendPendingState();
    for (int slot = 0; slot < 8; ++slot)
        EXPECT_EQ(glIsEnabled(GL_LIGHT0 + slot), GL_FALSE) << slot;
    r->undefineLight(&light);
    EXPECT_EQ(r->drainGLErrors(), 0);
}
