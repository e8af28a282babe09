// Node hierarchy, output references and the scene-wide time settings.
#include "host/OP/OP_Director.h"
#include "host/OP/OP_Node.h"

#include <gtest/gtest.h>

#include <memory>

TEST(OP_Node, ReferencesAndHierarchySurviveNodesGoingAway)
{
    OP_Node obj("obj");
    auto geo = std::make_unique<OP_Node>("geo1", &obj);
    auto box = std::make_unique<OP_Node>("box1", geo.get());
    auto reader = std::make_unique<OP_Node>("merge1", &obj);
    EXPECT_EQ(box->getFullPath(), "/obj/geo1/box1");
    EXPECT_EQ(box->getCreator(), geo.get());

    box->addRefOutput(reader.get());
    box->addRefOutput(reader.get());  // counted once
    EXPECT_TRUE(box->hasRefOutputs(false));
    EXPECT_FALSE(geo->hasRefOutputs(false));
    EXPECT_TRUE(geo->hasRefOutputs(true));

    reader.reset();  // the reference goes with the reader
    EXPECT_FALSE(box->hasRefOutputs(true));

    geo.reset();  // the child is left at the top of the hierarchy
    EXPECT_EQ(box->getCreator(), nullptr);
    EXPECT_EQ(box->getFullPath(), "/box1");
    EXPECT_EQ(obj.getNumChildren(), 0);
}

TEST(OP_Director, AZeroFrameRateIsRefused)
{
    OP_Director *director = OPgetDirector();
    director->setFrameRate(30.0);
    director->setFrameRate(0.0);
    EXPECT_DOUBLE_EQ(director->getFrameRate(), 30.0);
    director->setFrameRate(24.0);
}
