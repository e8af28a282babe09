#ifndef GUI_DetailReadLock_h
#define GUI_DetailReadLock_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GU_DetailHandle.h"

class GU_Detail;

// Holds a geometry locked for reading for the life of the object. The
// geometry is null when the handle has none.
class VANTREL_API GUI_DetailReadLock
{
public:
    explicit GUI_DetailReadLock(const GU_DetailHandle &handle)
        : myHandle(handle), myGdp(myHandle.readLock()) {}
    ~GUI_DetailReadLock() { myHandle.unlock(myGdp); }
    GUI_DetailReadLock(const GUI_DetailReadLock &) = delete;
    GUI_DetailReadLock &operator=(const GUI_DetailReadLock &) = delete;

    const GU_Detail *getGdp() const { return myGdp; }
    bool isValid() const { return myGdp != nullptr; }

private:
    GU_DetailHandle myHandle;
    const GU_Detail *myGdp;
};

#endif
