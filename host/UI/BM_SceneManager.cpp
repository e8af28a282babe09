#include "host/UI/BM_SceneManager.h"

BM_Viewport *
BM_SceneManager::getViewport(int i) const
{
    if (i < 0 || i >= myViewports.entries())
        return nullptr;
    return static_cast<BM_Viewport *>(myViewports(i));
}
