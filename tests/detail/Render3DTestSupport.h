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

#include <cstring>
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

// The journal lines of the cache operations, in order.
inline std::vector<std::string>
cacheCalls(const RE_Render &r)
{
    static const char *const theOps[] = {"startSmartObjectDefine", "endSmartObjectDefine",
                                         "drawObject", "deleteSmartObject"};
    std::vector<std::string> calls;
    for (const std::string &line : r.getJournal())
        for (const char *op : theOps)
            if (line.compare(0, std::strlen(op), op) == 0 &&
                (line.size() == std::strlen(op) || line[std::strlen(op)] == ' '))
                calls.push_back(line);
    return calls;
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
