// The facade's own logic: checks that refuse a bad mesh before anything is
// built, and pick regions counted from the top left of the frame.
#include "facade/FileError.h"
#include "facade/Viewport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace
{
const double theTriangle[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};

std::string
refusal(vantrel::Viewport &view, const vantrel::MeshArrays &mesh)
{
    try
    {
        view.addMesh(mesh, "bad");
    }
    catch (const std::invalid_argument &e)
    {
        return e.what();
    }
    return "";
}

TEST(FacadeViewport, BadMeshesAreRefusedByArgumentAndAddNothing)
{
    vantrel::Viewport view(32, 32);
    const int64_t outside[] = {0, 1, 3};
    const int64_t good[] = {0, 1, 2};
    const int64_t shortCount[] = {2};
    const int64_t longCount[] = {4};
    const double notFinite[] = {0, 0, 0, 1, 0, 0, 0, 1e300, 0};

    vantrel::MeshArrays mesh;
    mesh.points = theTriangle;
    mesh.pointCount = 3;
    mesh.indices = outside;
    mesh.indexCount = 3;
    EXPECT_EQ(refusal(view, mesh).rfind("polygons: corner 2 names point 3", 0), 0u);

    mesh.indices = good;
    mesh.points = notFinite;
    EXPECT_EQ(refusal(view, mesh).rfind("points: row 2", 0), 0u);
    mesh.points = theTriangle;

    mesh.fixedCount = 0;
    mesh.counts = shortCount;
    mesh.polygonCount = 1;
    EXPECT_EQ(refusal(view, mesh).rfind("counts: polygon 0 has 2", 0), 0u);
    mesh.counts = longCount;
    EXPECT_EQ(refusal(view, mesh).rfind("counts: they add up to 4", 0), 0u);

    mesh.fixedCount = 4;
    EXPECT_EQ(refusal(view, mesh).rfind("polygons: 3 corners", 0), 0u);

    mesh.fixedCount = 3;
    const double uvs[] = {0, 0, 1, 1};
    mesh.uvs = uvs;
    mesh.uvRows = 2;
    EXPECT_EQ(refusal(view, mesh).rfind("uvs: 2 rows", 0), 0u);
    EXPECT_TRUE(view.objects().empty());

    mesh.uvs = nullptr;
    EXPECT_EQ(view.addMesh(mesh, "good")->primitiveCount(), 1);
    EXPECT_THROW(view.loadMesh("/nonexistent/mesh.obj"), vantrel::FileError);
    EXPECT_EQ(view.objects().size(), 1u);
}

TEST(FacadeViewport, PicksCountRowsFromTheTopAndClosedViewsRefuse)
{
    vantrel::Viewport view(64, 64);
    auto box = view.addBox(0.4, 0.4, 0.4, "box");
    view.home("front");
    // Up and left of the centre after homing: the top left quarter.
    std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -0.5, 0.5, 0, 1};
    box->setTransform(m);
    view.render();
    int topLeft = 0, bottomLeft = 0;
    for (const auto &record : view.pick(0, 0, 32, 32))
        topLeft += record.object == box;
    for (const auto &record : view.pick(0, 32, 32, 32))
        bottomLeft += record.object == box;
    EXPECT_GT(topLeft, 0);
    EXPECT_EQ(bottomLeft, 0);

    EXPECT_THROW(view.pick(64, 0), std::invalid_argument);
    view.close();
    EXPECT_FALSE(box->alive());
    EXPECT_THROW(view.render(), std::runtime_error);
    EXPECT_THROW(box->setSelected(true), std::runtime_error);
}
} // namespace
