#ifndef GR_HIGHQUALITYPASS_H
#define GR_HIGHQUALITYPASS_H

// The pass of a multi-pass high-quality render that objects are being drawn
// for; 0 is an ordinary frame. Pass 4 writes depth only.
enum GR_HighQualityPass : int
{
    GR_HQ_NONE = 0,
    GR_HQ_PASS_1 = 1,
    GR_HQ_PASS_2 = 2,
    GR_HQ_PASS_3 = 3,
    GR_HQ_DEPTH = 4,
    GR_HQ_PASS_5 = 5
};

#endif
