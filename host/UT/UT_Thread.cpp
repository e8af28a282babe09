#include "host/UT/UT_Thread.h"

#include <atomic>

namespace
{
std::atomic<int> theNextIndex{0};
}

int
UT_Thread::getMySequentialThreadIndex()
{
    thread_local int theIndex = theNextIndex.fetch_add(1);
    return theIndex;
}
