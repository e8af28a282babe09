// Renderer base, detail feel, scoped locks and the 3D renderer's state.
#include "GUI_DetailTestLooks.h"

#include "detail/GUI_DetailFeel.h"
#include "detail/GUI_DetailReadLock.h"
#include "detail/GUI_DetailWriteLock.h"
#include "display/GUI_DisplayOption.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Displace.h"
#include "host/RE/RE_Material.h"
#include "host/UT/UT_EnvControl.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(GUI_DetailRender, RenderersAnswerWithTheLooksOverrides)
{
    GU_DetailHandle handle(new GU_Detail);
    TestLook look(&handle);
    GUI_DisplayOption options;
    GUI_DetailRender *renderers[] = {look.getRender3D(), look.getRender2D()};
    for (GUI_DetailRender *r : renderers)
    {
        EXPECT_EQ(r->getDetailLook(), &look);
        look.forceVisible = 0;
        EXPECT_FALSE(r->isVisible(options));
        look.forceVisible = 1;
        options.showNonSelected(false);
        options.showSelected(false);
        EXPECT_TRUE(r->isVisible(options));
        EXPECT_FALSE(r->getDetailHandle(0) != handle);
        EXPECT_TRUE(r->getDetailHandle(1).isNull());
        look.setTemplate(1);
        EXPECT_EQ(r->isTemplated(), 1);
        look.setTemplate(0);
    }
}

TEST(GUI_DetailRender, DetailFeelSwitchesBetweenRenderers)
{
    TestLook look;
    GUI_DetailFeel feel(&look);
    EXPECT_EQ(feel.getCurrentRender(), look.getRender3D());
    feel.render(nullptr, 0, 0, 8, 8);
    feel.setCurrent2D();
    EXPECT_EQ(feel.getCurrentRender(), look.getRender2D());
    feel.render(nullptr, 0, 0, 8, 8);
    feel.render(nullptr, 0, 0, 8, 8);
    feel.setCurrent3D();
    feel.render(nullptr, 0, 0, 8, 8);
    EXPECT_EQ(look.r3d().renders, 2);
    EXPECT_EQ(look.r2d().renders, 2);

    GUI_DetailFeel copy(nullptr);
    EXPECT_EQ(copy.getCurrentRender(), nullptr);
    copy.render(nullptr, 0, 0, 8, 8);  // nothing to draw with
    copy = feel;
    EXPECT_EQ(copy.getDetailLook(), &look);
}

TEST(GUI_DetailRender, SelectionToDrawFollowsTheAlwaysShowOption)
{
    GUI_DetailLook look;
    GUI_DetailRender *render = look.getRender3D();
    GUI_DisplayOption options;
    GR_DisplayOption &opt = options[GUI_SELECTED];
    GR_CommonDispOption &common = options.common();

    GU_Detail gdp;
    gdp.buildBox(UT_Vector3(1, 1, 1));
    common.setSelectionInstance(1);
    gdp.editSelectionList(1)->append(nullptr);
    gdp.editSelectionList(1)->append(nullptr);

    // Off: only the geometry's own selection counts.
    common.setOption(GR_COMMON_ALWAYS_SHOW_SELECTION, false);
    EXPECT_FALSE(render->haveSelectionToDraw(gdp, opt));
    gdp.newSelection(GU_SELECT_PRIMITIVES)->add(0);
    EXPECT_TRUE(render->haveSelectionToDraw(gdp, opt));

    // On: only the numbered list counts, and empty entries do not.
    common.setOption(GR_COMMON_ALWAYS_SHOW_SELECTION, true);
    EXPECT_FALSE(render->haveSelectionToDraw(gdp, opt));
    gdp.editSelectionList(1)->append(std::make_unique<GU_Selection>());
    EXPECT_TRUE(render->haveSelectionToDraw(gdp, opt));
    common.setSelectionInstance(-1);
    EXPECT_FALSE(render->haveSelectionToDraw(gdp, opt));
    gdp.clearSelection();
    common.setOption(GR_COMMON_ALWAYS_SHOW_SELECTION, false);
    EXPECT_FALSE(render->haveSelectionToDraw(gdp, opt));
}

TEST(GUI_DetailRender, ScopedLocksHoldTheGeometryForTheirLifetime)
{
    GU_Detail *gdp = new GU_Detail;
    GU_DetailHandle handle(gdp);
    int changes = gdp->getChangeCount();
    {
        GUI_DetailWriteLock write(handle);
        GUI_DetailReadLock read(handle);
        EXPECT_EQ(write.getGdp(), gdp);
        EXPECT_EQ(read.getGdp(), gdp);
        EXPECT_EQ(handle.getWriteLockCount(), 1);
        EXPECT_EQ(handle.getReadLockCount(), 1);
    }
    EXPECT_EQ(handle.getWriteLockCount() + handle.getReadLockCount(), 0);
    EXPECT_EQ(gdp->getChangeCount(), changes);

    GUI_DetailReadLock none(GU_DetailHandle{});
    EXPECT_FALSE(none.isValid());
}

TEST(GUI_DetailRender3D, ReferencesLightsAndCopies)
{
    auto *material = new RE_Material("steel");
    auto *displace = new RE_Displace(0.5f);
    RE_Light *lights[2] = {nullptr, nullptr};
    {
        GUI_DetailRender3D render;
        render.setREMaterial(nullptr, material);
        render.setREDisplace(displace);
        render.setREMaterial(nullptr, material);
        EXPECT_EQ(material->getRefCount(), 1);
        EXPECT_EQ(displace->getRefCount(), 1);
        render.setLightArray(lights, 2);
        EXPECT_EQ(render.getNumLights(), 2);

        GUI_DetailRender3D copy(render);
        EXPECT_EQ(material->getRefCount(), 2);
        EXPECT_EQ(displace->getRefCount(), 2);
        EXPECT_EQ(copy.getLightArray(), lights);
        GUI_DetailRender3D assigned;
        assigned = copy;
        EXPECT_EQ(material->getRefCount(), 3);
        assigned.setREMaterial(nullptr, nullptr);
        assigned.setLightArray(lights, 0);
        EXPECT_EQ(assigned.getLightArray(), nullptr);
        EXPECT_EQ(assigned.getNumLights(), 0);
        EXPECT_EQ(material->getRefCount(), 2);
        displace->bumpRefCount(1);  // keep it alive past the renderers
    }
    EXPECT_EQ(displace->getRefCount(), 1);
    displace->bumpRefCount(-1);  // the last release deletes it
}

TEST(GUI_DetailRender3D, ZeroTransformsAreRefusedOnlyWhenChecked)
{
    GUI_DetailRender3D render;
    UT_Matrix4 zero(0.0f);
    zero(3, 3) = 1.0f;
    zero(3, 0) = 5.0f;  // a translation alone does not make it drawable

    unsetenv("VANTREL_CHECK_XFORM");
    UT_EnvControl::refresh();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(render.setXform(zero));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    setenv("VANTREL_CHECK_XFORM", "0.001", 1);
    UT_EnvControl::refresh();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(render.setXform(zero));
    UT_Matrix4 edge(0.001f);
    edge(1, 2) = -0.001f;
    edge(3, 3) = 1.0f;
    EXPECT_FALSE(render.setXform(edge));
    edge(0, 0) = 0.0011f;
    EXPECT_TRUE(render.setXform(edge));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "checking zero xforms 0.001. (setenv VANTREL_CHECK_XFORM)\n");

    setenv("VANTREL_CHECK_XFORM", "0", 1);
    UT_EnvControl::refresh();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(render.setXform(zero));
    EXPECT_TRUE(render.setXform(zero));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "disabling checking zero xforms. (setenv VANTREL_CHECK_XFORM)\n");

    // NaN is neither above 0 nor at or below it: nothing is checked and the
    // state (checking, from 0.01) is kept, so going back to 0.01 is silent.
    setenv("VANTREL_CHECK_XFORM", "0.01", 1);
    UT_EnvControl::refresh();
    EXPECT_FALSE(render.setXform(zero));
    testing::internal::CaptureStderr();
    setenv("VANTREL_CHECK_XFORM", "nan", 1);
    UT_EnvControl::refresh();
    EXPECT_TRUE(render.setXform(zero));
    setenv("VANTREL_CHECK_XFORM", "0.01", 1);
    UT_EnvControl::refresh();
    EXPECT_FALSE(render.setXform(zero));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    unsetenv("VANTREL_CHECK_XFORM");
    UT_EnvControl::refresh();
}
