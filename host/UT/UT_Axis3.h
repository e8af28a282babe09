#pragma once

#include "host/UT/SYS_Visibility.h"

// Principal axes as bits, so a set of axes fits in one int.
class VANTREL_API UT_Axis3
{
public:
    enum axis
    {
        XAXIS = 1,
        YAXIS = 2,
        ZAXIS = 4
    };

    // 0, 1 or 2 for a single axis bit; -1 for anything else.
    static int toIndex(int a)
    {
        switch (a)
        {
        case XAXIS: return 0;
        case YAXIS: return 1;
        case ZAXIS: return 2;
        default: return -1;
        }
    }
};
