#ifndef GUI_MapRetry_h
#define GUI_MapRetry_h

#include "host/UT/UT_Matrix4.h"

// The jitter of the view transform that screen mapping retries with when
// the mapping degenerates. Try i (0 to 299) changes m, which the tries
// before it have changed: tries 0-149 translate in tiny steps that grow
// every third try; 150-199, 200-249 and 250-299 each start again from
// start and turn by 0.00001 about x, y and z in turn.
void GUIjitterMapTransform(int i, const UT_Matrix4 &start, UT_Matrix4 &m);

#endif
