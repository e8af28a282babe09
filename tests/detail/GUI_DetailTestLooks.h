#ifndef GUI_DetailTestLooks_h
#define GUI_DetailTestLooks_h

// Renderers that count what the look asks of them, and a derived look
// built on them through the protected constructor.
#include "detail/GUI_DetailLook.h"
#include "detail/GUI_DetailRender2D.h"
#include "detail/GUI_DetailRender3D.h"

struct CountingRender3D : GUI_DetailRender3D
{
    void deleteObjectCache(RE_Render *r, int index) override
    {
        ++drops;
        lastRender = r;
        lastIndex = index;
        GUI_DetailRender3D::deleteObjectCache(r, index);
    }
    void render(RE_Render *, short, short, short, short, void *) override { ++renders; }
    int drops = 0, renders = 0, lastIndex = 0;
    RE_Render *lastRender = nullptr;
};

struct CountingRender2D : GUI_DetailRender2D
{
    void deleteObjectCache(RE_Render *r) override
    {
        ++drops;
        lastRender = r;
        GUI_DetailRender2D::deleteObjectCache(r);
    }
    void render(RE_Render *, short, short, short, short, void *) override { ++renders; }
    int drops = 0, renders = 0;
    RE_Render *lastRender = nullptr;
};

// A look whose visibility is forced and whose descriptive paths carry a
// suffix, to show that overrides reach the renderers.
class TestLook : public GUI_DetailLook
{
public:
    explicit TestLook(GU_DetailHandle *handle = nullptr)
        : GUI_DetailLook(new CountingRender3D, new CountingRender2D, handle) {}

    bool isVisible(const GUI_DisplayOption &o) const override
    {
        return forceVisible >= 0 ? forceVisible != 0 : GUI_DetailLook::isVisible(o);
    }
    void appendDOPDataName(UT_String &path, int, bool descriptive) const override
    {
        if (descriptive)
            path += ":desc";
    }
    CountingRender3D &r3d() const { return *static_cast<CountingRender3D *>(getRender3D()); }
    CountingRender2D &r2d() const { return *static_cast<CountingRender2D *>(getRender2D()); }

    int forceVisible = -1;
};

#endif
