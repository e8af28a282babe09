#pragma once

#include "host/UT/SYS_Visibility.h"

// A displacement of shaded surfaces along their normals, shared by
// reference: bumpRefCount(1) takes a reference, bumpRefCount(-1) releases
// one, and the release of the last reference deletes the object, so
// displacements are made with new.
class VANTREL_API RE_Displace
{
public:
    explicit RE_Displace(float amount = 0.0f) : myAmount(amount) {}
    RE_Displace(const RE_Displace &) = delete;
    RE_Displace &operator=(const RE_Displace &) = delete;

    float getAmount() const { return myAmount; }
    void setAmount(float amount) { myAmount = amount; }

    // Adds delta to the count and returns the references left. Releasing
    // more references than were taken does nothing and returns 0.
    int bumpRefCount(int delta);
    int getRefCount() const { return myRefCount; }

private:
    ~RE_Displace() = default;

    float myAmount;
    int myRefCount = 0;
};
