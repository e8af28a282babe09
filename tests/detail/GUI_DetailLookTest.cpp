// Detail looks: option choice, visibility, cache drops, handles, paths,
// copies and library-wide state.
#include "GUI_DetailTestLooks.h"

#include "display/GUI_DisplayOption.h"
#include "host/GU/GU_Detail.h"
#include "host/OP/OP_Node.h"
#include "host/RE/RE_Render.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <utility>

namespace
{
enum Kind { ORDINARY, TEMPLATE, FOOTPRINT, FOOT_TEMPLATE, CURRENT, CURRENT_ALL };
constexpr int NONE = -1;

struct OptionCase
{
    Kind kind;
    bool clipOut, ignoreSel, alwaysShow, showSel, showNonsel;
    int primary, selection;  // GUI_DetailType or NONE
    bool noSelection;
};

GR_DisplayOption *
recordOrNull(int type)
{
    return type == NONE ? nullptr
                        : &GUI_DetailLook::globalDispOption()[GUI_DetailType(type)];
}
}

TEST(GUI_DetailLook, DisplayOptionChoice)
{
    const OptionCase cases[] = {
        // kind   clip   ignore S      sel    nonsel  primary                   selection              noSel
        {ORDINARY, false, false, false, true, true, GUI_NON_SELECTED, GUI_SELECTED, false},
        {ORDINARY, true, false, false, true, true, GUI_TEMPLATE, GUI_SELECTED, false},
        {ORDINARY, false, true, false, true, true, GUI_NON_SELECTED, NONE, true},
        {ORDINARY, false, true, true, true, true, GUI_NON_SELECTED, GUI_SELECTED, false},
        {ORDINARY, false, false, false, false, true, GUI_NON_SELECTED, NONE, false},
        {ORDINARY, false, false, false, true, false, NONE, GUI_SELECTED, false},
        {TEMPLATE, false, false, false, true, true, GUI_TEMPLATE, NONE, true},
        {TEMPLATE, true, false, true, true, true, GUI_TEMPLATE, NONE, true},
        {TEMPLATE, false, false, false, true, false, NONE, NONE, true},
        {FOOTPRINT, false, false, false, true, true, GUI_NON_SELECTED, NONE, true},
        {FOOTPRINT, true, false, true, true, true, GUI_NON_SELECTED, GUI_SELECTED, false},
        {FOOTPRINT, false, true, true, true, true, GUI_NON_SELECTED, NONE, true},
        {FOOT_TEMPLATE, false, false, true, true, true, GUI_NON_SELECTED, GUI_SELECTED, false},
        {CURRENT, false, false, false, true, true, GUI_CURRENT_NON_SELECTED, GUI_CURRENT_SELECTED, false},
        {CURRENT, true, false, false, true, true, GUI_TEMPLATE, GUI_CURRENT_SELECTED, false},
        {CURRENT, false, true, false, true, true, GUI_CURRENT_NON_SELECTED, NONE, true},
        {CURRENT, false, true, true, true, true, GUI_CURRENT_NON_SELECTED, GUI_CURRENT_SELECTED, false},
        {CURRENT, false, false, false, false, false, NONE, NONE, false},
        {CURRENT_ALL, false, false, false, true, true, GUI_CURRENT_NON_SELECTED, GUI_CURRENT_SELECTED, false},
        {CURRENT_ALL, true, false, false, true, true, GUI_TEMPLATE, GUI_CURRENT_SELECTED, false},
    };
    int row = 0;
    for (const OptionCase &c : cases)
    {
        GUI_DetailLook::setGlobalDispOption(GUI_DisplayOption());
        GUI_DisplayOption &global = GUI_DetailLook::globalDispOption();
        global.setClipOutPass(c.clipOut);
        global.showSelected(c.showSel);
        global.showNonSelected(c.showNonsel);
        global.common().setOption(GR_COMMON_ALWAYS_SHOW_SELECTION, c.alwaysShow);

        GUI_DetailLook look;
        look.setTemplate(c.kind == TEMPLATE || c.kind == FOOT_TEMPLATE || c.kind == CURRENT_ALL);
        look.setFootprint(c.kind == FOOTPRINT || c.kind == FOOT_TEMPLATE || c.kind == CURRENT_ALL);
        look.setCurrentOutput(c.kind == CURRENT || c.kind == CURRENT_ALL);
        look.setIgnoreSelection(c.ignoreSel);

        GR_DisplayOption *primary = nullptr, *selection = nullptr;
        bool no_selection = !c.noSelection;
        look.getDisplayOptions(primary, selection, no_selection);
        EXPECT_EQ(primary, recordOrNull(c.primary)) << "row " << row;
        EXPECT_EQ(selection, recordOrNull(c.selection)) << "row " << row;
        EXPECT_EQ(no_selection, c.noSelection) << "row " << row;
        ++row;
    }
    GUI_DetailLook::setGlobalDispOption(GUI_DisplayOption());
}

TEST(GUI_DetailLook, VisibilityAndPickability)
{
    GUI_DisplayOption options;
    GUI_DetailLook look;
    EXPECT_EQ(look.getFlags().getWord(), 0x0010240Eu);
    EXPECT_EQ(look.getViewportMask(), 0xFFFFFFFFu);
    EXPECT_EQ(look.getNumDetailHandles(), 0);

    // Each change in turn, then whether the look is visible. Ordinary objects
    // need a displayed or object-level pass and either kind of object shown;
    // of the special kinds the first that applies decides: current output,
    // then footprint, then template.
    struct Step
    {
        std::function<void()> change;
        bool visible;
        int pickable;  // -1: not checked
    };
    const Step steps[] = {
        {[] {}, true, 1},
        {[&] { options.showDisplay(false); }, false, -1},
        {[&] { options.isObjectLevel(true); }, true, -1},
        {[&] { options.showSelected(false); }, true, -1},
        {[&] { options.showSelected(true); options.showNonSelected(false); }, true, -1},
        {[&] { options.showSelected(false); }, false, -1},
        {[&] { look.setTemplate(1); options.showTemplates(false); }, false, 0},
        {[&] { options.showTemplates(true); }, true, -1},
        {[&] { look.setFootprint(1); options.showFootprints(false); }, false, 1},
        {[&] { look.setCurrentOutput(1); }, true, -1},
        {[&] { options.showCurrentOutput(false); }, false, -1},
        {[&] { options.showCurrentOutput(true); look.setDisplay(0); }, false, -1},
    };
    for (size_t i = 0; i < std::size(steps); ++i)
    {
        steps[i].change();
        EXPECT_EQ(look.isVisible(options), steps[i].visible) << "step " << i;
        EXPECT_TRUE(steps[i].pickable < 0 || look.isPickable() == bool(steps[i].pickable)) << "step " << i;
    }
    look.setDisplay(1);
    look.setPicking(0);
    EXPECT_FALSE(look.isPickable());

    // The display flag can be switched off for a while and put back.
    for (int start : {0, 1})
    {
        look.setDisplay(start);
        look.setDisplaySavingPrevValue(0);
        EXPECT_EQ(look.isDisplayOn(), 0);
        look.resetDisplayUsingSavedValue();
        EXPECT_EQ(look.isDisplayOn(), start);
    }
}

TEST(GUI_DetailLook, DrawingSettersDropTheRenderersCaches)
{
    TestLook look;
    RE_Render *main = RE_Render::getMainRender();
    struct Step
    {
        const char *what;
        std::function<void()> change;
        int drops2d, drops3d;
        bool mainFor3d;
    };
    UT_Color red(UT_RGB, 1, 0, 0);
    const Step steps[] = {
        {"same wire colour", [&] { look.setWireColor(look.getWireColor()); }, 0, 0, false},
        {"colour, no invalidate", [&] { look.setWireColor(red, false); }, 0, 0, false},
        {"new wire colour", [&] { look.setWireColor(UT_Color(UT_RGB, 0, 1, 0)); }, 1, 1, false},
        {"use wire colour", [&] { look.setUseWireColor(1); }, 1, 1, false},
        {"use wire colour again", [&] { look.setUseWireColor(1); }, 0, 0, false},
        {"use wire colour quietly", [&] { look.setUseWireColor(0, false); }, 0, 0, false},
        {"current output", [&] { look.setCurrentOutput(1); }, 1, 1, true},
        {"ignore selection", [&] { look.setIgnoreSelection(1); }, 1, 1, true},
        {"ignore selection quietly", [&] { look.setIgnoreSelection(0, false); }, 0, 0, false},
        {"secondary selection", [&] { look.setSecondarySelection(1); }, 0, 1, true},
        {"selected", [&] { look.setObjSelection(1); }, 0, 1, true},
        {"selected again", [&] { look.setObjSelection(1); }, 0, 0, false},
        {"current", [&] { look.setObjCurrent(1); }, 0, 1, true},
        {"hint", [&] { look.setObjSelectionHint(1); }, 0, 1, true},
        {"ghost", [&] { look.setObjGhost(1); }, 0, 1, true},
        {"ghost off", [&] { look.setObjGhost(0); }, 0, 1, true},
        {"subdivision", [&] { look.setDisplayAsSubdiv(true); }, 0, 1, true},
        {"subdivision again", [&] { look.setDisplayAsSubdiv(true); }, 0, 0, false},
        {"plain flags", [&] { look.setTemplate(1); look.setXray(1); look.setDrawLit(0); look.setWireframeOnly(1); }, 0, 0, false},
    };
    for (const Step &step : steps)
    {
        int before2d = look.r2d().drops, before3d = look.r3d().drops;
        look.r3d().lastRender = reinterpret_cast<RE_Render *>(&look);  // sentinel
        step.change();
        EXPECT_EQ(look.r2d().drops - before2d, step.drops2d) << step.what;
        EXPECT_EQ(look.r3d().drops - before3d, step.drops3d) << step.what;
        if (step.drops2d)
        {
            EXPECT_EQ(look.r2d().lastRender, nullptr) << step.what;
        }
        if (step.drops3d)
        {
            EXPECT_EQ(look.r3d().lastRender, step.mainFor3d ? main : nullptr) << step.what;
            EXPECT_EQ(look.r3d().lastIndex, -1) << step.what;
        }
    }
    // The quiet setters store their value without dropping anything.
    EXPECT_EQ(look.useWireColor(), 0);
    EXPECT_EQ(look.ignoreSelection(), 0);
}

TEST(GUI_DetailLook, HandlesTransformsNodesAndPaths)
{
    GU_DetailHandle handle(new GU_Detail);
    GUI_DetailLook look(&handle);
    EXPECT_EQ(look.getNumDetailHandles(), 1);
    EXPECT_EQ(look.setDetailHandle(handle), 0);
    EXPECT_EQ(look.setDetailHandle(GU_DetailHandle(new GU_Detail)), 1);
    EXPECT_TRUE(look.getDetailHandle(0) != handle);
    EXPECT_EQ(look.setDetailHandle(handle), 1);
    EXPECT_FALSE(look.getDetailHandle(0) != handle);
    EXPECT_TRUE(look.getDetailHandle(1).isNull());
    EXPECT_TRUE(look.getDetailHandle(-1).isNull());

    EXPECT_TRUE(look.getDetailXform(1).isIdentity());
    EXPECT_TRUE(look.getDetailXform(-3).isIdentity());

    // Paths are written over whatever the string held before.
    auto pathOf = [](auto &l, int i, bool descriptive) {
        UT_String path("stale");
        descriptive ? l.getDetailDescriptivePath(path, i) : l.getDetailPath(path, i);
        return std::string(path.c_str());
    };
    EXPECT_EQ(pathOf(look, 0, false), "");  // no node yet

    OP_Node obj("obj"), geo("geo1", &obj), sop("box1", &geo);
    EXPECT_EQ(look.getShopsRelativeTo(), nullptr);
    look.setSop(&sop);
    EXPECT_EQ(look.getShopsRelativeTo(), &geo);
    EXPECT_EQ(pathOf(look, 0, false), "/obj/geo1/box1");
    EXPECT_EQ(pathOf(look, 1, false), "");
    look.setObject(&geo);
    EXPECT_EQ(look.getShopsRelativeTo(), &geo);
    look.setSop(nullptr);
    EXPECT_EQ(pathOf(look, 0, true), "/obj/geo1");

    // A derived look's name for the simulation data goes on the
    // descriptive path only.
    TestLook derived(&handle);
    derived.setObject(&geo);
    EXPECT_EQ(pathOf(derived, 0, true), "/obj/geo1:desc");
    EXPECT_EQ(pathOf(derived, 0, false), "/obj/geo1");

    int events = 0;
    sop.setEventHook([&](OP_Node &node, int code, void *data) {
        EXPECT_EQ(&node, &sop);
        EXPECT_EQ(code, 31);
        EXPECT_EQ(data, nullptr);
        ++events;
    });
    look.signalNodeSelectionChanged();
    EXPECT_EQ(events, 0);
    look.setSop(&sop);
    look.signalNodeSelectionChanged(7);
    EXPECT_EQ(events, 1);
}

TEST(GUI_DetailLook, CopiesShareRenderersThatOutliveTheSource)
{
    GU_DetailHandle handle(new GU_Detail);
    auto *source = new TestLook(&handle);
    source->setObjSelection(1);
    source->selectionListInstance(2) = 4;
    source->setViewportMask(0x5);

    GUI_DetailLook copy(*source);
    EXPECT_EQ(copy.getRender3D(), source->getRender3D());
    EXPECT_EQ(copy.getRender2D(), source->getRender2D());
    EXPECT_EQ(copy.getRender3D()->getDetailLook(), source);
    EXPECT_EQ(copy.isObjSelection(), 1);
    EXPECT_EQ(copy.selectionListInstance(2), 4);
    EXPECT_EQ(copy.getViewportMask(), 0x5u);
    EXPECT_FALSE(copy.getDetailHandle(0) != handle);

    GUI_DetailLook assigned;
    assigned = copy;  // its own renderers go, the shared ones come
    assigned = assigned;
    EXPECT_EQ(assigned.getRender3D(), source->getRender3D());

    // With the source gone the renderers answer for a look that remains.
    GUI_DetailRender3D *shared = copy.getRender3D();
    delete source;
    GUI_DetailLook *owner = shared->getDetailLook();
    EXPECT_TRUE(owner == &copy || owner == &assigned);
    EXPECT_EQ(shared->isPickingOn(), 1);
    copy.render(nullptr, 0, 0, 10, 10, nullptr);
    copy.pickRenderSimple(nullptr, 0, 0, 10, 10, nullptr);
}
