#ifndef Render3DProbe_h
#define Render3DProbe_h

// What one object's draw does to the render context: a look that reports
// the context from inside the draw, a journal filter, and a fixture with a
// viewport that is neither square nor at the window's corner.
#include "Render3DTestSupport.h"

#include <algorithm>
#include <functional>
#include <initializer_list>

namespace vantrel_test
{
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

// The journal lines of the given operations, in order.
inline std::vector<std::string>
callsOf(const RE_Render &r, std::initializer_list<std::string> ops)
{
    std::vector<std::string> calls;
    for (const std::string &line : r.getJournal())
        for (const std::string &op : ops)
            if (line.compare(0, op.size() + 1, op + " ") == 0)
                calls.push_back(line);
    return calls;
}

inline bool
journalHas(const RE_Render &r, const std::string &line)
{
    const std::vector<std::string> &j = r.getJournal();
    return std::find(j.begin(), j.end(), line) != j.end();
}

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
    void shading(GR_ShadingMode mode)
    {
        for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
            global()[GUI_DetailType(k)].shadingMode(mode);
    }
    std::vector<unsigned> recordFlags()
    {
        std::vector<unsigned> flags;
        for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
            flags.push_back(global()[GUI_DetailType(k)].getFlags());
        return flags;
    }
    int brightnessAt(const UT_Vector3 &p)
    {
        float sx = 0, sy = 0;
        windowPoint(p, sx, sy);
        const std::vector<int> px = pixel(int(sx), int(sy));
        return px[0] + px[1] + px[2];
    }
};
} // namespace vantrel_test

#endif
