#include "scene/GUI_MapRetry.h"

#include "host/UT/UT_Axis3.h"

namespace
{
const float theStep = 0.00001f;
}

void
GUIjitterMapTransform(int i, const UT_Matrix4 &start, UT_Matrix4 &m)
{
    if (i < 0)
        return;
    if (i < 150)
    {
        const float k = float(i / 3) * theStep;
        switch (i % 3)
        {
        case 0: m.translate(k, 0.0f, k - theStep); break;
        case 1: m.translate(-k, k, 0.0f); break;
        default: m.translate(0.0f, -k, k); break;
        }
        return;
    }
    if (i >= 300)
        return;
    // Three runs of turns, each from the untouched transform.
    static const UT_Axis3::axis theAxes[3] = {UT_Axis3::XAXIS, UT_Axis3::YAXIS,
                                              UT_Axis3::ZAXIS};
    if ((i - 150) % 50 == 0)
        m = start;
    m.rotate(theAxes[(i - 150) / 50], theStep);
}
