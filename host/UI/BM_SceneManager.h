#ifndef BM_SceneManager_h
#define BM_SceneManager_h

#include "host/UT/SYS_Visibility.h"
#include "host/UT/UT_Pointers.h"

class BM_Viewport;

// What the viewports of one scene share: the manager knows every viewport
// made on it while that viewport lives.
class VANTREL_API BM_SceneManager
{
public:
    BM_SceneManager() = default;
    BM_SceneManager(const BM_SceneManager &) = delete;
    BM_SceneManager &operator=(const BM_SceneManager &) = delete;
    virtual ~BM_SceneManager() = default;

    virtual const char *className() const { return "BM_SceneManager"; }

    int getNumViewports() const { return myViewports.entries(); }
    // Null past the end.
    BM_Viewport *getViewport(int i) const;

private:
    friend class BM_Viewport;
    void addViewport(BM_Viewport *v) { myViewports.addMember(v); }
    void removeViewport(BM_Viewport *v) { myViewports.removeMember(v); }

    UT_Pointers myViewports;
};

#endif
