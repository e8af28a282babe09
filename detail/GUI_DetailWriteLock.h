#ifndef GUI_DetailWriteLock_h
#define GUI_DetailWriteLock_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GU_DetailHandle.h"

class GU_Detail;

// Holds a geometry locked for writing for the life of the object. The
// geometry is null when the handle has none. Locking is not an edit: the
// geometry's change counter stays.
class VANTREL_API GUI_DetailWriteLock
{
public:
    explicit GUI_DetailWriteLock(const GU_DetailHandle &handle)
        : myHandle(handle), myGdp(myHandle.writeLock()) {}
    ~GUI_DetailWriteLock() { myHandle.unlock(myGdp); }
    GUI_DetailWriteLock(const GUI_DetailWriteLock &) = delete;
    GUI_DetailWriteLock &operator=(const GUI_DetailWriteLock &) = delete;

    GU_Detail *getGdp() const { return myGdp; }
    bool isValid() const { return myGdp != nullptr; }

private:
    GU_DetailHandle myHandle;
    GU_Detail *myGdp;
};

#endif
