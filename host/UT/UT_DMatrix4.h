#pragma once

// UT_DMatrix4 is the double-precision UT_Matrix4T.
#include "host/UT/UT_Matrix4.h"
