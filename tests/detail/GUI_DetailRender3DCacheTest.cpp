// The 3D renderer's draw caching, watched on the render context's journal.
#include "Render3DTestSupport.h"

#include "host/GR/GR_Detail.h"
#include "host/OP/OP_Node.h"
#include "host/RE/RE_Material.h"
#include "host/TIL/TIL_TextureCache.h"
#include "host/UT/UT_Performance.h"
#include "tests/support/VantrelTestContext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>

using namespace vantrel_test;

namespace
{
class Render3DCacheTest : public DetailPixelTest
{
protected:
    void setUpScene() override
    {
        setThreeQuarterCamera(render());
        threshold = GUI_DetailRender3D::getDisplayListThreshold();
    }

    // Draws frames until the look's first handle is recorded; the id.
    int warmUp(GUI_DetailLook &drawn)
    {
        for (int f = 0; f <= threshold + 1; ++f)
        {
            journalFrame(render(), drawn);
            if (journalCount(*render(), "startSmartObjectDefine"))
                return lastReplay();
        }
        return -1;
    }
    int lastReplay() const
    {
        int id = -1;
        for (const std::string &call : cacheCalls(*render()))
            if (call.compare(0, 11, "drawObject ") == 0)
                id = std::atoi(call.c_str() + 11);
        return id;
    }

    int threshold = 0;
    // Most tests draw a unit box at the origin.
    GU_DetailHandle handle{makeBox()};
    GUI_DetailLook look{&handle};
};
} // namespace

TEST_F(Render3DCacheTest, UnchangedGeometryIsDrawnThenRecordedThenReplayed)
{
    RE_Render *r = render();
    ASSERT_FALSE(GUI_DetailRender3D::isCachingDisabled());

    for (int f = 0; f < threshold; ++f)
    {
        journalFrame(r, look);
        EXPECT_TRUE(cacheCalls(*r).empty()) << "frame " << f;
    }
    journalFrame(r, look);
    const int id = lastReplay();
    EXPECT_GT(id, 0);
    EXPECT_EQ(cacheCalls(*r), (std::vector<std::string>{"startSmartObjectDefine", "endSmartObjectDefine",
                                                        "drawObject " + std::to_string(id)}));

    for (int f = 0; f < 3; ++f)
    {
        journalFrame(r, look);
        EXPECT_EQ(cacheCalls(*r), std::vector<std::string>{"drawObject " + std::to_string(id)});
    }

    // An edit sends the object back to direct drawing, and it is recorded
    // again only after the threshold of unchanged draws.
    GU_Detail *gdp = handle.writeLock();
    gdp->bumpChangeCount();
    handle.unlock(gdp);
    journalFrame(r, look);
    EXPECT_EQ(cacheCalls(*r), std::vector<std::string>{"deleteSmartObject " + std::to_string(id)});
    for (int f = 1; f < threshold; ++f)
    {
        journalFrame(r, look);
        EXPECT_TRUE(cacheCalls(*r).empty());
    }
    journalFrame(r, look);
    EXPECT_EQ(journalCount(*r, "startSmartObjectDefine"), 1);

    // Geometry that says it must not be cached is always drawn directly.
    gdp = handle.writeLock();
    gdp->setCacheable(0);
    handle.unlock(gdp);
    for (int f = 0; f < threshold + 2; ++f)
    {
        journalFrame(r, look);
        EXPECT_EQ(journalCount(*r, "startSmartObjectDefine"), 0);
        EXPECT_EQ(journalCount(*r, "drawObject"), 0);
    }
}

TEST_F(Render3DCacheTest, OptionChangesDropEveryHandlesObjects)
{
    RE_Render *r = render();
    MultiLook boxes;
    boxes.add(makeBox());
    boxes.add(makeBox(0.5f), placed(1.5f, 0.0f, 0.0f));

    for (int f = 0; f <= threshold; ++f)
        journalFrame(r, boxes);
    EXPECT_EQ(journalCount(*r, "startSmartObjectDefine"), 2);
    journalFrame(r, boxes);
    EXPECT_EQ(journalCount(*r, "drawObject"), 2);

    // A new material drops them at once; the same one again keeps them.
    RE_Material *steel = new RE_Material("steel");
    steel->upRef();
    for (int pass = 0; pass < 2; ++pass)
    {
        SCOPED_TRACE(pass);
        for (int f = 0; f <= threshold + 1; ++f)
            journalFrame(r, boxes);
        r->clearJournal();
        r->setJournal(true);
        boxes.getRender3D()->setREMaterial(r, steel);
        r->setJournal(false);
        EXPECT_EQ(journalCount(*r, "deleteSmartObject"), pass == 0 ? 2 : 0);
        journalFrame(r, boxes);
        EXPECT_EQ(journalCount(*r, "drawObject"), pass == 0 ? 0 : 2);
    }
    boxes.getRender3D()->setREMaterial(r, nullptr);
    steel->downRef();

    // A colour the drawing uses or a newer texture drops both handles; a
    // viewport flag the drawing does not see keeps them.
    const std::pair<std::function<void()>, bool> changes[] = {
        {[&] { global().common().defaultWireColor().setRGB(0.1f, 0.9f, 0.2f); }, true},
        {[] { TIL_TextureCache::bumpVersion(); }, true},
        {[&] { global().drawOrigin(!global().drawOrigin()); }, false},
    };
    for (const auto &[change, drops] : changes)
    {
        for (int f = 0; f <= threshold + 1; ++f)
            journalFrame(r, boxes);
        change();
        journalFrame(r, boxes);
        EXPECT_EQ(journalCount(*r, "deleteSmartObject"), drops ? 2 : 0);
        EXPECT_EQ(journalCount(*r, "drawObject"), drops ? 0 : 2);
    }

    // A third handle: everything is dropped before drawing.
    boxes.add(makeBox(0.25f));
    journalFrame(r, boxes);
    EXPECT_EQ(journalCount(*r, "deleteSmartObject"), 2);
    EXPECT_EQ(journalCount(*r, "drawObject"), 0);
}

// Looks recorded under the same options share what they were recorded
// under; one boxes recording under new options must not make another boxes's
// older objects pass for current, and going back must drop the newer ones.
TEST_F(Render3DCacheTest, LooksRecordedUnderDifferentOptionsEachSeeTheirOwn)
{
    RE_Render *r = render();
    GU_DetailHandle first(makeBox());
    GU_DetailHandle second(makeBox(0.5f));
    GU_DetailHandle third(makeBox(0.25f));
    GUI_DetailLook a(&first), b(&second), c(&third);

    ASSERT_GE(warmUp(a), 0);
    ASSERT_GE(warmUp(c), 0);
    const UT_Color before = global().common().defaultWireColor();
    global().common().defaultWireColor().setRGB(0.1f, 0.9f, 0.2f);
    ASSERT_GE(warmUp(b), 0);
    journalFrame(r, b);
    EXPECT_EQ(journalCount(*r, "drawObject"), 1);

    // a was recorded under the old colour: dropped, drawn directly.
    journalFrame(r, a);
    EXPECT_EQ(journalCount(*r, "deleteSmartObject"), 1);
    EXPECT_EQ(journalCount(*r, "drawObject"), 0);

    // Back to the old colour: b's object is stale now, c's is current.
    global().common().defaultWireColor() = before;
    journalFrame(r, b);
    EXPECT_EQ(journalCount(*r, "deleteSmartObject"), 1);
    EXPECT_EQ(journalCount(*r, "drawObject"), 0);
    journalFrame(r, c);
    EXPECT_EQ(journalCount(*r, "deleteSmartObject"), 0);
    EXPECT_EQ(journalCount(*r, "drawObject"), 1);
}

TEST_F(Render3DCacheTest, SwitchingKindsUsesOtherSlotsAndSwitchingBackReplays)
{
    RE_Render *r = render();
    // The first visit to a kind may find options it never drew with and
    // drop everything; once each kind has drawn, switching replays.
    shading(GR_SHADE_WIRE);
    ASSERT_GT(warmUp(look), 0);
    shading(GR_SHADE_SMOOTH);
    const int shaded = warmUp(look);
    ASSERT_GT(shaded, 0);
    shading(GR_SHADE_WIRE);
    journalFrame(r, look);
    EXPECT_EQ(journalCount(*r, "deleteSmartObject"), 0);
    const int wire = lastReplay();
    ASSERT_GT(wire, 0);
    EXPECT_NE(wire, shaded);
    for (int round = 0; round < 2; ++round)
    {
        shading(GR_SHADE_SMOOTH);
        journalFrame(r, look);
        EXPECT_EQ(cacheCalls(*r), std::vector<std::string>{"drawObject " + std::to_string(shaded)});
        shading(GR_SHADE_WIRE);
        journalFrame(r, look);
        EXPECT_EQ(cacheCalls(*r), std::vector<std::string>{"drawObject " + std::to_string(wire)});
    }

    // The x-ray pass has a slot of its own beside them.
    global().setXrayPass(true);
    const int xray = warmUp(look);
    ASSERT_GT(xray, 0);
    global().setXrayPass(false);
    journalFrame(r, look);
    EXPECT_EQ(journalCount(*r, "deleteSmartObject"), 0);
    const int normal = lastReplay();
    global().setXrayPass(true);
    journalFrame(r, look);
    EXPECT_EQ(cacheCalls(*r), std::vector<std::string>{"drawObject " + std::to_string(xray)});
    global().setXrayPass(false);
    journalFrame(r, look);
    EXPECT_EQ(cacheCalls(*r), std::vector<std::string>{"drawObject " + std::to_string(normal)});
}

TEST_F(Render3DCacheTest, MoveModeDrawsSlowObjectsInItsOwnShadingAndSlot)
{
    RE_Render *r = render();
    global()[GUI_NON_SELECTED].shadingMode(GR_SHADE_SMOOTH);
    global().moveModeOn(true);
    global().moveMode(GR_SHADE_BOX_WIRE);
    global().moveThreshold(0);
    GR_ShadingMode before[GUI_NUM_DETAIL_TYPES];
    for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
        before[k] = global()[GUI_DetailType(k)].shadingMode();
    ASSERT_GT(warmUp(look), 0);

    global().currentlyMoving(true);
    const int moving = warmUp(look);
    ASSERT_GT(moving, 0);
    // The user's shading is back after each moving draw.
    for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
        EXPECT_EQ(global()[GUI_DetailType(k)].shadingMode(), before[k]) << "kind " << k;

    global().currentlyMoving(false);
    journalFrame(r, look);
    EXPECT_EQ(journalCount(*r, "deleteSmartObject"), 0);
    const int still = lastReplay();
    EXPECT_NE(still, moving);
    global().currentlyMoving(true);
    journalFrame(r, look);
    EXPECT_EQ(cacheCalls(*r), std::vector<std::string>{"drawObject " + std::to_string(moving)});

    // A fast object (last draw under the threshold) keeps its shading.
    global().moveThreshold(1000000);
    journalFrame(r, look);
    EXPECT_EQ(cacheCalls(*r), std::vector<std::string>{"drawObject " + std::to_string(still)});
    global().currentlyMoving(false);
    global().moveModeOn(false);
}

TEST_F(Render3DCacheTest, PickingReplaysButNeverRecords)
{
    RE_Render *r = render();
    GU_DetailHandle cachedHandle(makeBox());
    GUI_DetailLook cached(&cachedHandle);
    const int id = warmUp(cached);
    ASSERT_GT(id, 0);

    // Another object that has reached the threshold but is not recorded
    // yet: picking draws it directly.
    GU_DetailHandle freshHandle(makeBox(0.5f));
    GUI_DetailLook fresh(&freshHandle);
    for (int f = 0; f < threshold; ++f)
        journalFrame(r, fresh);

    unsigned int buffer[256];
    GUI_DetailLook::setPickDisplayListUsedFlag(false);
    r->beginPicking(buffer, 256, 60, 60, 8, 8);
    r->clearJournal();
    r->setJournal(true);
    cached.pickRenderSimple(r, 0, 0, 0, 0, nullptr);
    fresh.pickRenderSimple(r, 0, 0, 0, 0, nullptr);
    r->setJournal(false);
    r->endPicking(buffer);
    EXPECT_EQ(cacheCalls(*r), std::vector<std::string>{"drawObject " + std::to_string(id)});
    EXPECT_TRUE(GUI_DetailLook::getPickDisplayListUsedFlag());
    // One pick id per handle around each draw.
    EXPECT_EQ(journalCount(*r, "pushPickId"), 2);
    EXPECT_EQ(journalCount(*r, "popPickId"), 2);
    GUI_DetailLook::setPickDisplayListUsedFlag(false);

    // Out of picking, the fresh object is recorded on its next draw.
    journalFrame(r, fresh);
    EXPECT_EQ(journalCount(*r, "startSmartObjectDefine"), 1);
}

TEST_F(Render3DCacheTest, TimingEventsNameCachedAndDirectDraws)
{
    RE_Render *r = render();
    UT_Performance *perf = UTgetPerformance();
    perf->clearEvents();
    perf->setRecordObjectDrawEvents(true);
    for (int f = 0; f < threshold + 3; ++f)
        look.render(r, 0, 0, 0, 0, nullptr);
    global().setXrayPass(true);
    look.render(r, 0, 0, 0, 0, nullptr);
    global().setXrayPass(false);
    perf->setRecordObjectDrawEvents(false);
    EXPECT_EQ(perf->getEventCount("draw    "), threshold);
    EXPECT_EQ(perf->getEventCount("drawlist"), 3);
    EXPECT_EQ(perf->getEventCount("xray drawlist"), 1);
    perf->clearEvents();
}

TEST_F(Render3DCacheTest, HiddenAndSkippedObjectsDrawNothing)
{
    RE_Render *r = render();

    // Simulation geometry of the chosen network is left to that network.
    OP_Node net("dopnet1");
    GU_Detail *gdp = handle.writeLock();
    gdp->addStringAttrib(GB_ATTRIB_PRIMITIVE, "dopobject")->setString(0, "/dopnet1:box");
    handle.unlock(gdp);
    GUI_DetailLook::setGlobalChosenDopnet(&net);
    journalFrame(r, look);
    EXPECT_EQ(journalCount(*r, "multiplyMatrix"), 0);
    GUI_DetailLook::setGlobalChosenDopnet(nullptr);
    journalFrame(r, look);
    EXPECT_GT(journalCount(*r, "multiplyMatrix"), 0);

    // A path that only begins like the network's is somebody else's.
    OP_Node other("dopnet");
    GUI_DetailLook::setGlobalChosenDopnet(&other);
    journalFrame(r, look);
    EXPECT_GT(journalCount(*r, "multiplyMatrix"), 0);
    GUI_DetailLook::setGlobalChosenDopnet(nullptr);

    // An invisible look and a zero transform are skipped.
    look.setDisplay(0);
    journalFrame(r, look);
    EXPECT_EQ(journalCount(*r, "multiplyMatrix"), 0);
    look.setDisplay(1);
    setenv("VANTREL_CHECK_XFORM", "0.001", 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(look.setXform(UT_Matrix4(0.0f)));
    journalFrame(r, look);
    EXPECT_EQ(journalCount(*r, "multiplyMatrix"), 0);
    unsetenv("VANTREL_CHECK_XFORM");
    EXPECT_TRUE(look.setXform(UT_Matrix4()));
    testing::internal::GetCapturedStderr();
}

// A cached object holds its mesh once: in the context's buffers, not in its
// display list, and not as the drawer's arrays either. Dropped by an option
// change, it draws uncached from arrays built again, the same pixels.
TEST_F(Render3DCacheTest, CachedMeshIsHeldOnceAndDrawsTheSameWhenUncachedAgain)
{
    RE_Render *r = render();
    shading(GR_SHADE_SMOOTH);
    GU_DetailHandle sphere(makeSphere(0.4f, 10, 14));
    GUI_DetailLook ball(&sphere);
    UT_Matrix4 offCentre;
    offCentre.translate(0.3f, -0.2f, 0.1f);
    ball.setXform(offCentre);
    const long listBefore = r->getListArrayBytes();
    r->enableZbuffer(1, 1);
    auto frame = [&](GUI_DetailLook &drawn) {
        r->clear();
        drawn.render(r, 0, 0, 0, 0, nullptr);
        return context()->readPixels();
    };

    const std::vector<uint8_t> uncached = frame(ball);
    const GU_Detail *gdp = sphere.readLock();
    EXPECT_GT(GR_Detail::drawDataBytes(*gdp), 0u);
    sphere.unlock(gdp);
    std::vector<uint8_t> cached;
    for (int f = 0; f <= threshold + 1; ++f)
        cached = frame(ball);
    journalFrame(r, ball);
    ASSERT_EQ(journalCount(*r, "drawObject"), 1);
    EXPECT_EQ(r->getListArrayBytes(), listBefore);
    gdp = sphere.readLock();
    EXPECT_EQ(GR_Detail::drawDataBytes(*gdp), 0u);
    sphere.unlock(gdp);
    EXPECT_EQ(countDifferent(uncached, cached, 2), 0);
    EXPECT_GT(countNotColor(cached, 0, 0, 0), 100);

    // A wire colour the smooth drawing does not show drops the object.
    global().common().defaultWireColor().setRGB(0.2f, 0.7f, 0.1f);
    r->clearJournal();
    r->setJournal(true);
    const std::vector<uint8_t> again = frame(ball);
    r->setJournal(false);
    EXPECT_EQ(journalCount(*r, "drawObject"), 0);
    EXPECT_EQ(countDifferent(uncached, again, 2), 0);
}
