#ifndef GU_DetailHandle_h
#define GU_DetailHandle_h

#include "host/UT/SYS_Visibility.h"

#include <memory>
#include <vector>

class GU_Detail;

// Shared ownership of one geometry. Copies of a handle refer to the same
// geometry; the geometry is deleted with the last handle that owns it.
//
// Reading and writing go through locks taken and released within one
// operation. Everything runs on one thread, so a lock never waits: the
// handle only keeps count of the locks held, which nest (a renderer holds
// a write lock while a helper takes a read lock on the same handle).
class VANTREL_API GU_DetailHandle
{
public:
    GU_DetailHandle() = default;
    // Takes gdp; it is deleted with the last handle when own is true.
    explicit GU_DetailHandle(GU_Detail *gdp, bool own = true);
    ~GU_DetailHandle();
    GU_DetailHandle(const GU_DetailHandle &) = default;
    GU_DetailHandle &operator=(const GU_DetailHandle &) = default;

    // Points the handle at gdp (null empties it), leaving other copies of
    // the old handle as they were.
    void allocateAndSet(GU_Detail *gdp, bool own = true);
    void clear() { myShared.reset(); }

    bool isNull() const { return !myShared || !myShared->myGdp; }
    // Whether two handles refer to different geometries (two empty
    // handles are the same).
    bool operator!=(const GU_DetailHandle &other) const;
    bool operator==(const GU_DetailHandle &other) const { return !(*this != other); }

    // The geometry for reading or writing, or null for an empty handle.
    // Each successful lock must be paired with unlock of the geometry it
    // returned. Locking for writing is not an edit: the geometry's change
    // counter stays as it is.
    const GU_Detail *readLock() const;
    GU_Detail *writeLock() const;
    // Releases the most recent lock; null (from a failed lock) is ignored.
    void unlock(const GU_Detail *gdp) const;

    int getReadLockCount() const { return countLocks(false); }
    int getWriteLockCount() const { return countLocks(true); }

private:
    struct Shared
    {
        ~Shared();
        GU_Detail *myGdp = nullptr;
        bool myOwned = true;
        std::vector<bool> myLockIsWrite;  // innermost lock last
    };

    GU_Detail *lock(bool write) const;
    int countLocks(bool write) const;

    std::shared_ptr<Shared> myShared;
};

#endif
