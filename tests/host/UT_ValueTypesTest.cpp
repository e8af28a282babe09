#include "host/UT/UT_Color.h"
#include "host/UT/UT_IntArray.h"
#include "host/UT/UT_Pointers.h"
#include "host/UT/UT_Rect.h"
#include "host/UT/UT_RefCount.h"
#include "host/UT/UT_String.h"
#include "host/UT/UT_StringArray.h"
#include "host/UT/UT_SymbolTable.h"
#include "host/UT/UT_Thread.h"

#include <gtest/gtest.h>

#include <thread>

TEST(UT_ColorTest, ModelsConvertAndGhostBlends)
{
    // Pure hues at the sector boundaries, both ways.
    const float hues[6][4] = {{0, 1, 0, 0}, {60, 1, 1, 0}, {120, 0, 1, 0},
                              {180, 0, 1, 1}, {240, 0, 0, 1}, {300, 1, 0, 1}};
    for (const auto &h : hues)
    {
        UT_Color c(UT_HSV, h[0], 1, 1);
        float r, g, b;
        c.getRGB(&r, &g, &b);
        EXPECT_FLOAT_EQ(r, h[1]);
        EXPECT_FLOAT_EQ(g, h[2]);
        EXPECT_FLOAT_EQ(b, h[3]);
        UT_Color rgb(UT_RGB, h[1], h[2], h[3]);
        rgb.setType(UT_HSV);
        float hh, s, v;
        rgb.getValue(hh, s, v);
        EXPECT_NEAR(hh, h[0], 1e-4f);
    }
    UT_Color odd(UT_RGB, 0.3f, 0.6f, 0.2f);
    UT_Color hsl = odd;
    hsl.setType(UT_HSL);
    EXPECT_NE(hsl, odd);
    EXPECT_TRUE(hsl.isEqualRGB(odd, 1e-5f));

    // Ghosting keeps the model, moves toward the target and clamps.
    UT_Color c(UT_RGB, 1, 0, 0);
    c.ghost(0.0f);
    EXPECT_EQ(c, UT_Color(UT_RGB, 1, 0, 0));
    c.ghost(0.5f, UT_Color(UT_RGB, 0, 0, 1));
    EXPECT_TRUE(c.isEqualRGB(UT_Color(UT_RGB, 0.5f, 0, 0.5f)));
    c.ghost(7.0f, UT_Color(UT_RGB, 0, 1, 0));
    EXPECT_TRUE(c.isEqualRGB(UT_Color(UT_RGB, 0, 1, 0)));
    UT_Color h(UT_HSV, 0, 1, 1);
    h.ghost(0.5f);
    EXPECT_EQ(h.getType(), UT_HSV);

    EXPECT_EQ(UT_Color::getConstantColor(7), UT_Color(UT_RGB, 1, 1, 1));
    EXPECT_EQ(UT_Color::getConstantColor(-1), UT_Color::getConstantColor(7));
}

TEST(UT_StringTest, NullEmptyAndAliasing)
{
    UT_String s;
    EXPECT_TRUE(s.isNull());
    EXPECT_FALSE(s.isstring());
    EXPECT_STREQ(s.c_str(), "");
    EXPECT_EQ(s, "");
    EXPECT_EQ(s.nonNullOrNull(), nullptr);
    s = "abcdef";
    s = s.c_str() + 2; // assigning from our own buffer
    EXPECT_EQ(s, "cdef");
    s = static_cast<const char *>(nullptr);
    EXPECT_TRUE(s.isNull());
    s.sprintf("%s-%d", "x", 42);
    EXPECT_EQ(s, "x-42");
    EXPECT_EQ(s(10), '\0');

    UT_StringArray a;
    a.append("one");
    a.append(nullptr);
    EXPECT_EQ(a.find(""), 1);
    EXPECT_EQ(a(5), "");
}

TEST(UT_ArrayTest, OutOfRangeIsSafeAndRectsConvert)
{
    UT_IntArray ia;
    EXPECT_EQ(ia(3), 0);
    ia.setSize(3, -1);
    ia(2) = 5;
    ia(-1) = 9; // goes nowhere
    ia(3) = 9;
    EXPECT_EQ(ia.entries(), 3);
    EXPECT_EQ(ia(0), -1);
    EXPECT_EQ(ia(2), 5);
    EXPECT_FALSE(ia.removeIndex(7));

    int x = 1, y = 2;
    UT_Pointers p;
    EXPECT_EQ(p.addMember(&x), 0);
    EXPECT_EQ(p.addMember(&y), 1);
    EXPECT_EQ(p.addMember(&x), 0);
    EXPECT_EQ(p.removeMember(&x), 0);
    EXPECT_EQ(p.removeMember(&x), -1);
    EXPECT_EQ(p(0), &y);

    UT_Rect<UT_InclusiveRectImpl> r = UT_Rect<UT_InclusiveRectImpl>::fromXYWH(10, 20, 100, 50);
    EXPECT_EQ(r.x2(), 109);
    EXPECT_EQ(r.y2(), 69);
    EXPECT_TRUE(r.contains(109, 69));
    EXPECT_FALSE(r.contains(110, 69));
    UT_ExclusiveRect e = UT_ExclusiveRect::fromXYWH(10, 20, 100, 50);
    EXPECT_EQ(e.width(), 100);
    EXPECT_FALSE(e.contains(110, 20));
}

namespace
{
struct Counted : public UT_RefCount
{
    explicit Counted(int *deaths) : myDeaths(deaths) {}
    ~Counted() override { ++*myDeaths; }
    int *myDeaths;
};
} // namespace

TEST(UT_SharedTest, RefCountsThreadIndicesAndSymbols)
{
    int deaths = 0;
    Counted *c = new Counted(&deaths);
    c->upRef();
    c->upRef();
    EXPECT_EQ(c->downRef(), 1);
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(c->downRef(), 0);
    EXPECT_EQ(deaths, 1);

    Counted *unowned = new Counted(&deaths);
    EXPECT_EQ(unowned->downRef(), 0); // no reference held: nothing happens
    EXPECT_EQ(deaths, 1);
    unowned->upRef();
    Counted copy(*unowned);
    EXPECT_EQ(copy.getRefCount(), 0); // copies start unshared
    EXPECT_EQ(unowned->downRef(), 0);
    EXPECT_EQ(deaths, 2);

    int mine = UT_Thread::getMySequentialThreadIndex();
    EXPECT_EQ(UT_Thread::getMySequentialThreadIndex(), mine);
    int other = mine;
    std::thread([&] { other = UT_Thread::getMySequentialThreadIndex(); }).join();
    EXPECT_NE(other, mine);

    UT_SymbolTable table;
    int row = 3;
    table.addSymbol("drawsafearea", UT_Thing(&row));
    UT_Thing found;
    EXPECT_EQ(table.findSymbol("drawsafearea", &found), 1);
    EXPECT_EQ(found.asPointer<int>(), &row);
    EXPECT_EQ(table.findSymbol("drawSafeArea", &found), 0);
    EXPECT_EQ(table.findSymbol(nullptr, &found), 0);
}
