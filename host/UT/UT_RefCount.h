#pragma once

#include "host/UT/SYS_Visibility.h"

#include <atomic>

// A base for shared host objects created with new. A new object holds no
// reference; each owner calls upRef, and the downRef that releases the
// last reference deletes the object.
class VANTREL_API UT_RefCount
{
public:
    UT_RefCount() = default;
    // Copies start unshared.
    UT_RefCount(const UT_RefCount &) : myCount(0) {}
    UT_RefCount &operator=(const UT_RefCount &) { return *this; }
    virtual ~UT_RefCount() = default;

    void upRef() { myCount.fetch_add(1); }
    // Returns the references left; at 0 the object has been deleted.
    // A downRef with no reference held does nothing and returns 0.
    int downRef()
    {
        int old = myCount.load();
        while (old > 0 && !myCount.compare_exchange_weak(old, old - 1))
        {
        }
        if (old <= 0)
            return 0;
        if (old == 1)
            delete this;
        return old - 1;
    }
    int getRefCount() const { return myCount.load(); }

private:
    std::atomic<int> myCount{0};
};
