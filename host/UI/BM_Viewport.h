#ifndef BM_Viewport_h
#define BM_Viewport_h

#include "host/OPUI/OPUI_TabMenuParent.h"
#include "host/UT/SYS_Visibility.h"
#include "host/UI/BM_ViewportBase.h"

class BM_SceneManager;

// A viewport of a scene manager: made on the manager, it is known to it
// until it is destroyed.
class VANTREL_API BM_Viewport : public OPUI_TabMenuParent<BM_ViewportBase>
{
public:
    BM_Viewport(BM_SceneManager &manager, const char *name, int displayMode);
    BM_Viewport(const BM_Viewport &) = delete;
    BM_Viewport &operator=(const BM_Viewport &) = delete;
    ~BM_Viewport() override;

    const char *className() const override { return "BM_Viewport"; }

    BM_SceneManager &getSceneManager() const { return myManager; }

private:
    BM_SceneManager &myManager;
};

#endif
