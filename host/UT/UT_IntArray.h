#pragma once

#include "host/UT/UT_ValArray.h"

typedef UT_ValArray<int> UT_IntArray;
