#include "host/GU/GU_DetailHandle.h"

#include "host/GU/GU_Detail.h"

#include <algorithm>

GU_DetailHandle::Shared::~Shared()
{
    if (myOwned)
        delete myGdp;
}

GU_DetailHandle::GU_DetailHandle(GU_Detail *gdp, bool own)
{
    allocateAndSet(gdp, own);
}

GU_DetailHandle::~GU_DetailHandle() = default;

void
GU_DetailHandle::allocateAndSet(GU_Detail *gdp, bool own)
{
    if (!gdp)
    {
        myShared.reset();
        return;
    }
    auto shared = std::make_shared<Shared>();
    shared->myGdp = gdp;
    shared->myOwned = own;
    myShared = std::move(shared);
}

bool
GU_DetailHandle::operator!=(const GU_DetailHandle &other) const
{
    const GU_Detail *mine = myShared ? myShared->myGdp : nullptr;
    const GU_Detail *theirs = other.myShared ? other.myShared->myGdp : nullptr;
    return mine != theirs;
}

GU_Detail *
GU_DetailHandle::lock(bool write) const
{
    if (isNull())
        return nullptr;
    myShared->myLockIsWrite.push_back(write);
    return myShared->myGdp;
}

const GU_Detail *
GU_DetailHandle::readLock() const
{
    return lock(false);
}

GU_Detail *
GU_DetailHandle::writeLock() const
{
    return lock(true);
}

void
GU_DetailHandle::unlock(const GU_Detail *gdp) const
{
    if (!gdp || isNull() || gdp != myShared->myGdp ||
        myShared->myLockIsWrite.empty())
        return;
    myShared->myLockIsWrite.pop_back();
}

int
GU_DetailHandle::countLocks(bool write) const
{
    if (!myShared)
        return 0;
    const std::vector<bool> &locks = myShared->myLockIsWrite;
    return int(std::count(locks.begin(), locks.end(), write));
}
