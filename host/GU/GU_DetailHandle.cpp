#include "host/GU/GU_DetailHandle.h"

#include "host/GU/GU_Detail.h"

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

const GU_Detail *
GU_DetailHandle::readLock() const
{
    if (isNull())
        return nullptr;
    ++myShared->myReaders;
    myShared->myLockIsWrite.push_back(false);
    return myShared->myGdp;
}

GU_Detail *
GU_DetailHandle::writeLock() const
{
    if (isNull())
        return nullptr;
    ++myShared->myWriters;
    myShared->myLockIsWrite.push_back(true);
    return myShared->myGdp;
}

void
GU_DetailHandle::unlock(const GU_Detail *gdp) const
{
    if (!gdp || isNull() || gdp != myShared->myGdp ||
        myShared->myLockIsWrite.empty())
        return;
    if (myShared->myLockIsWrite.back())
        --myShared->myWriters;
    else
        --myShared->myReaders;
    myShared->myLockIsWrite.pop_back();
}
