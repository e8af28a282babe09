#pragma once

// Small thread helpers.
class UT_Thread
{
public:
    // 0 for the first thread that asks (the main thread in practice), then
    // 1, 2, ... for each new thread, stable for the thread's life.
    static int getMySequentialThreadIndex();
};
