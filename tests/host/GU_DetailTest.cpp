// Identity, change counting, locking, selections and attributes of the
// geometry store.
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_DetailHandle.h"
#include "host/UT/UT_BoundingBox.h"

#include <gtest/gtest.h>

TEST(GU_Detail, HandlesShareOneGeometryAndCompareByIt)
{
    GU_DetailHandle empty, alsoEmpty;
    EXPECT_TRUE(empty.isNull());
    EXPECT_FALSE(empty != alsoEmpty);
    EXPECT_EQ(empty.readLock(), nullptr);
    EXPECT_EQ(empty.writeLock(), nullptr);
    empty.unlock(nullptr);

    GU_DetailHandle a(new GU_Detail);
    GU_DetailHandle copy = a;
    GU_DetailHandle b(new GU_Detail);
    EXPECT_FALSE(a != copy);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a != empty);
    a = GU_DetailHandle();  // the copy keeps the geometry alive
    ASSERT_NE(copy.readLock(), nullptr);
    copy.unlock(copy.readLock());
}

TEST(GU_Detail, SelectionListsAndTextureLayers)
{
    GU_Detail gdp;
    EXPECT_EQ(gdp.getSelection(), nullptr);
    EXPECT_EQ(gdp.getSelectionList(3).entries(), 0);
    EXPECT_EQ(gdp.getSelectionList(-1).entries(), 0);
    EXPECT_EQ(gdp.editSelectionList(-1), nullptr);
    GU_SelectionList *list = gdp.editSelectionList(2);
    list->append(nullptr);
    list->append(std::make_unique<GU_Selection>(GU_SELECT_POINTS));
    EXPECT_EQ(gdp.getSelectionList(2).entries(), 2);
    EXPECT_EQ(gdp.getSelectionList(2)(0), nullptr);
    EXPECT_NE(gdp.getSelectionList(2)(1), nullptr);
    EXPECT_EQ(gdp.getSelectionList(2)(7), nullptr);

    // The torus has vertex uvs on layer 1; layer 2 reads "uv2".
    gdp.buildTorus(2, 0.5f, 8, 8);
    EXPECT_EQ(gdp.getNumLayers(), 1);
    int uv = gdp.findTextureAttribute(GB_ATTRIB_VERTEX);
    ASSERT_GE(uv, 0);
    EXPECT_STREQ(gdp.vertexAttribs().get(uv)->getName(), "uv");
    gdp.setNumLayers(2);
    gdp.setCurrentLayer(5);
    EXPECT_EQ(gdp.getCurrentLayer(), 2);
    int clear, mask, src, dst;
    gdp.getLayerMerge(clear, mask, src, dst);
    EXPECT_EQ(src * 10 + dst, 34);  // an added layer blends over by alpha
    EXPECT_LT(gdp.findTextureAttribute(GB_ATTRIB_VERTEX), 0);
    gdp.addFloatAttrib(GB_ATTRIB_VERTEX, "uv2", 1);  // too short for coordinates
    EXPECT_LT(gdp.findTextureAttribute(GB_ATTRIB_VERTEX), 0);
    gdp.addFloatAttrib(GB_ATTRIB_VERTEX, "uv2", 2);
    EXPECT_GE(gdp.findTextureAttribute(GB_ATTRIB_VERTEX), 0);

    // Vertex uv bounds of the whole torus and of one primitive.
    UT_BoundingBox box;
    gdp.setCurrentLayer(1);
    ASSERT_EQ(gdp.getVertexAttribBBox("uv", &box), 1);
    EXPECT_FLOAT_EQ(box.xmax(), 1.0f);
    EXPECT_FLOAT_EQ(box.ymin(), 0.0f);
    GB_PrimitiveGroup first;
    first.add(0);
    ASSERT_EQ(gdp.getVertexAttribBBox("uv", &box, first), 1);
    EXPECT_FLOAT_EQ(box.xmax(), 1.0f / 8.0f);
    EXPECT_EQ(gdp.getVertexAttribBBox("missing", &box), 0);
    EXPECT_EQ(gdp.getPointAttribBBox("uv", &box), 0);
}

TEST(GU_Detail, StringAttributesKeepADistinctStringTable)
{
    GU_Detail gdp;
    GB_Attribute *names = gdp.addStringAttrib(GB_ATTRIB_PRIMITIVE, "dopobject");
    gdp.buildBox(UT_Vector3(1, 1, 1));
    EXPECT_EQ(names->getNumElements(), 6);
    EXPECT_EQ(names->getString(0), nullptr);
    names->setString(0, "/obj/dopnet1:box");
    names->setString(5, "/obj/dopnet1:box");
    names->setString(3, "/obj/other");
    names->setString(99, "ignored");
    EXPECT_EQ(names->getNumStrings(), 2);
    EXPECT_STREQ(names->getTableString(0), "/obj/dopnet1:box");
    EXPECT_STREQ(names->getString(3), "/obj/other");
    EXPECT_EQ(gdp.primitiveAttribs().find("dopobject", GB_ATTRIB_STRING), names);
    EXPECT_EQ(gdp.primitiveAttribs().find("dopobject", GB_ATTRIB_FLOAT), nullptr);
}
