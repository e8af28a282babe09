#ifndef Render3DTestSupport_h
#define Render3DTestSupport_h

// Scenes for the renderers' tests: looks over builder geometry, a camera
// that is not symmetric to the axes, journal filters, and the pixel fixture
// the 3D and 2D renderer tests share.
#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailRender3D.h"
#include "display/GUI_DisplayOption.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Render.h"
#include "tests/support/VantrelTestContext.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vantrel_test
{
// A pixel test of a renderer: each test starts with the library-wide
// display options at their defaults on a black background and ends with
// the defaults back.
class DetailPixelTest : public PixelTest
{
protected:
    void SetUp() override
    {
        GUI_DetailLook::setGlobalDispOption(GUI_DisplayOption());
        global().common().backgroundColor().setRGB(0.0f, 0.0f, 0.0f);
        PixelTest::SetUp();
    }
    void TearDown() override
    {
        PixelTest::TearDown();
        GUI_DetailLook::setGlobalDispOption(GUI_DisplayOption());
    }

    GUI_DisplayOption &global() { return GUI_DetailLook::globalDispOption(); }
    // Draws every kind of object in one shading mode.
    void shading(GR_ShadingMode mode)
    {
        for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
            global()[GUI_DetailType(k)].shadingMode(mode);
    }
    // The window pixel a world point lands on, and the sum of its channels.
    std::vector<int> worldPixel(const UT_Vector3 &p)
    {
        float sx = 0, sy = 0;
        windowPoint(p, sx, sy);
        return pixel(int(sx), int(sy));
    }
    int brightnessAt(const UT_Vector3 &p)
    {
        const std::vector<int> px = worldPixel(p);
        return px[0] + px[1] + px[2];
    }
};

// The state of the context and of the library-wide options that drawing an
// object must leave as it found it.
struct RecordState
{
    explicit RecordState(const RE_Render &r)
    {
        r.getColor(color);
        width = r.getLineWidth();
        style = r.getLineStyle();
        lighting = r.isLighting();
        fog = r.isFogOn();
        fogCoord = r.isFogCoordOn();
        winding = r.getReverseWinding();
        specular = r.isSpecular();
        headlight = r.isLightOn(GUI_DetailRender3D::getHeadlight());
        depth = r.getMatrixDepth();
        const GUI_DisplayOption &g = GUI_DetailLook::globalDispOption();
        for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
        {
            modes[k] = g[GUI_DetailType(k)].shadingMode();
            flags[k] = g[GUI_DetailType(k)].getFlags();
        }
        wire = g.common().wireColor();
        wireWidth = g.common().getWireWidth();
        drawState = g.common().getDrawState();
    }
    void expectSame(const RecordState &o) const
    {
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(color[c], o.color[c]);
        EXPECT_EQ(width, o.width);
        EXPECT_EQ(style, o.style);
        EXPECT_EQ(lighting, o.lighting);
        EXPECT_EQ(fog, o.fog);
        EXPECT_EQ(fogCoord, o.fogCoord);
        EXPECT_EQ(winding, o.winding);
        EXPECT_EQ(specular, o.specular);
        EXPECT_EQ(headlight, o.headlight);
        EXPECT_EQ(depth, o.depth);
        for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
        {
            EXPECT_EQ(modes[k], o.modes[k]) << "kind " << k;
            EXPECT_EQ(flags[k], o.flags[k]) << "kind " << k;
        }
        EXPECT_EQ(wire, o.wire);
        EXPECT_EQ(wireWidth, o.wireWidth);
        EXPECT_EQ(drawState, o.drawState);
    }
    float color[4];
    float width;
    int style;
    bool lighting, fog, fogCoord, winding, specular, headlight;
    int depth;
    GR_ShadingMode modes[GUI_NUM_DETAIL_TYPES];
    unsigned flags[GUI_NUM_DETAIL_TYPES];
    UT_Color wire;
    float wireWidth;
    unsigned drawState;
};

// A look with any number of handles, each under its own transform.
class MultiLook : public GUI_DetailLook
{
public:
    int getNumDetailHandles() const override { return int(handles.size()); }
    GU_DetailHandle getDetailHandle(int i) override
    {
        return i >= 0 && i < int(handles.size()) ? handles[i] : GU_DetailHandle();
    }
    const UT_Matrix4 &getDetailXform(int i) const override
    {
        return i >= 0 && i < int(xforms.size()) ? xforms[i]
                                                 : UT_Matrix4::getIdentityMatrix();
    }
    int isGuide() const override { return guide ? 1 : 0; }

    void add(GU_Detail *gdp, const UT_Matrix4 &xform = UT_Matrix4())
    {
        handles.emplace_back(gdp);
        xforms.push_back(xform);
    }

    std::vector<GU_DetailHandle> handles;
    std::vector<UT_Matrix4> xforms;
    bool guide = false;
};

// Calls probe whenever the renderer asks for a handle's transform: before
// the object transform is pushed, and again from inside a shaded draw.
class ProbeLook : public MultiLook
{
public:
    const UT_Matrix4 &getDetailXform(int i) const override
    {
        if (probe)
            probe();
        return MultiLook::getDetailXform(i);
    }
    bool getIsDetailTempSelected(int) const override { return tempSelected; }

    std::function<void()> probe;
    bool tempSelected = false;
};

inline UT_Matrix4
placed(float x, float y, float z)
{
    UT_Matrix4 m;
    m.translate(x, y, z);
    return m;
}

inline GU_Detail *
makeBox(float size = 1.0f)
{
    GU_Detail *gdp = new GU_Detail;
    gdp->buildBox(UT_Vector3(size, size, size));
    return gdp;
}

inline GU_Detail *
makeSphere(float radius, int rows, int cols)
{
    GU_Detail *gdp = new GU_Detail;
    gdp->buildSphere(radius, rows, cols);
    return gdp;
}

// An orthographic camera half-width units wide looking at the origin from
// above, in front and to the right, so the +x, +y and +z faces of a box
// show, each at its own angle to the viewer.
inline void
setThreeQuarterCamera(RE_Render *r, float halfWidth = 2.0f)
{
    r->ortho3DW(-halfWidth, halfWidth, -halfWidth, halfWidth, 0.1f, 100.0f);
    UT_Matrix4 view;
    view.rotate(UT_Axis3::YAXIS, -0.6f);
    view.rotate(UT_Axis3::XAXIS, 0.45f);
    view.translate(0.0f, 0.0f, -20.0f);
    r->matrixMode(RE_MATRIX_VIEWING);
    r->loadMatrix(view);
}

// The same from straight in front (+z).
inline void
setFrontCamera(RE_Render *r, float halfWidth = 2.0f)
{
    r->ortho3DW(-halfWidth, halfWidth, -halfWidth, halfWidth, 0.1f, 100.0f);
    UT_Matrix4 view;
    view.translate(0.0f, 0.0f, -20.0f);
    r->matrixMode(RE_MATRIX_VIEWING);
    r->loadMatrix(view);
}

// What one object's draw does to the render context: a front view in a
// viewport that is neither square nor at the window's corner, with the
// library-wide high-quality pass settings put back after each test.
class DrawProbeTest : public DetailPixelTest
{
protected:
    void setUpScene() override
    {
        render()->enableZbuffer(1, 1);
        render()->viewport2DS(6, 117, 30, 91);
        setFrontCamera(render());
    }
    void tearDownScene() override
    {
        GUI_DetailRender3D::setGlobalHighQualityPass(GR_HQ_NONE);
        GUI_DetailRender3D::setGlobalHighQualityDepthInit(false);
        GUI_DetailRender3D::clearGlobalHighQualityLights();
        GUI_DetailRender3D::setGlobalLightXform(UT_Matrix4());
    }
};

// The journal lines of the cache operations, in order.
inline std::vector<std::string>
cacheCalls(const RE_Render &r)
{
    return journalLines(r, {"startSmartObjectDefine", "endSmartObjectDefine", "drawObject",
                            "deleteSmartObject"});
}

// Draws one frame of the look with the journal on, from a fresh journal.
inline void
journalFrame(RE_Render *r, GUI_DetailLook &look)
{
    r->clearJournal();
    r->setJournal(true);
    look.render(r, 0, 0, 0, 0, nullptr);
    r->setJournal(false);
}
} // namespace vantrel_test

#endif
