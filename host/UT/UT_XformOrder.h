#pragma once

#include "host/UT/SYS_Visibility.h"

// The order in which scale, rotate and translate are applied, and the order
// of the three axis rotations. Letters read left to right in the order the
// steps act on a point: SRT scales first, then rotates, then translates.
class VANTREL_API UT_XformOrder
{
public:
    enum rstOrder
    {
        SRT = 0,
        STR = 1,
        RST = 2,
        RTS = 3,
        TSR = 4,
        TRS = 5
    };

    enum xyzOrder
    {
        XYZ = 0,
        XZY = 1,
        YXZ = 2,
        YZX = 3,
        ZXY = 4,
        ZYX = 5
    };

    enum step
    {
        T = 0,
        S = 1,
        R = 2
    };

    UT_XformOrder(rstOrder rst = SRT, xyzOrder xyz = XYZ) { reorder(rst, xyz); }

    // Codes outside the enumerations fall back to SRT / XYZ.
    void reorder(int rst, int xyz);

    rstOrder mainOrder() const { return myRst; }
    xyzOrder rotOrder() const { return myXyz; }

    // The step (T, S or R) applied i-th, i in 0..2.
    step mainStep(int i) const;
    // The axis index (0 x, 1 y, 2 z) rotated about i-th, i in 0..2.
    int rotAxis(int i) const;

    bool operator==(const UT_XformOrder &o) const
    {
        return myRst == o.myRst && myXyz == o.myXyz;
    }
    bool operator!=(const UT_XformOrder &o) const { return !(*this == o); }

private:
    rstOrder myRst = SRT;
    xyzOrder myXyz = XYZ;
};
