#include "host/UT/UT_XformOrder.h"

namespace
{
const UT_XformOrder::step theSteps[6][3] = {
    {UT_XformOrder::S, UT_XformOrder::R, UT_XformOrder::T},
    {UT_XformOrder::S, UT_XformOrder::T, UT_XformOrder::R},
    {UT_XformOrder::R, UT_XformOrder::S, UT_XformOrder::T},
    {UT_XformOrder::R, UT_XformOrder::T, UT_XformOrder::S},
    {UT_XformOrder::T, UT_XformOrder::S, UT_XformOrder::R},
    {UT_XformOrder::T, UT_XformOrder::R, UT_XformOrder::S},
};

const int theAxes[6][3] = {
    {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0},
};
} // namespace

void
UT_XformOrder::reorder(int rst, int xyz)
{
    myRst = (rst >= SRT && rst <= TRS) ? static_cast<rstOrder>(rst) : SRT;
    myXyz = (xyz >= XYZ && xyz <= ZYX) ? static_cast<xyzOrder>(xyz) : XYZ;
}

UT_XformOrder::step
UT_XformOrder::mainStep(int i) const
{
    if (i < 0 || i > 2)
        return T;
    return theSteps[myRst][i];
}

int
UT_XformOrder::rotAxis(int i) const
{
    if (i < 0 || i > 2)
        return 0;
    return theAxes[myXyz][i];
}
