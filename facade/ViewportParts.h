#pragma once

// What the viewport's source files share: the scene a viewport and its
// texture-space views draw, and the parts of a viewport.

#include "facade/Viewport.h"
#include "facade/WindowScene.h"

#include "detail/GUI_DetailLook.h"
#include "host/RE/RE_OffscreenContext.h"
#include "host/TIL/TIL_TextureMap.h"
#include "scene/GUI_SceneLook.h"
#include "view/GUI_ViewParameter.h"
#include "view/GUI_ViewState.h"

#include <memory>
#include <vector>

namespace vantrel
{
// What a viewport and its texture-space views share: the context they draw
// in and the objects. The objects go first, with the context current, so
// the looks release their cached drawing into a live context.
struct VANTREL_API SceneData
{
    std::unique_ptr<RE_OffscreenContext> context;
    std::vector<std::shared_ptr<Object>> objects;

    ~SceneData()
    {
        if (context && context->isValid())
            context->makeCurrent();
        for (const auto &object : objects)
            object->detach();
        objects.clear();
    }

    void remove(Object &object)
    {
        if (context && context->isValid())
            context->makeCurrent();
        for (auto it = objects.begin(); it != objects.end(); ++it)
            if (it->get() == &object)
            {
                auto keep = *it;
                objects.erase(it);
                keep->detach();
                return;
            }
    }
};

// The objects of a scene as a window or a pick pass sees them.
class VANTREL_API SceneObjects : public WindowScene
{
public:
    explicit SceneObjects(std::vector<std::shared_ptr<Object>> objects)
        : myObjects(std::move(objects))
    {
    }
    size_t objectCount() const override { return myObjects.size(); }
    GUI_DetailLook &objectLook(size_t index) const override { return myObjects[index]->look(); }
    std::string objectName(size_t index) const override { return myObjects[index]->name(); }
    const std::shared_ptr<Object> &object(size_t index) const { return myObjects[index]; }

protected:
    void setObjects(std::vector<std::shared_ptr<Object>> objects) { myObjects = std::move(objects); }

private:
    std::vector<std::shared_ptr<Object>> myObjects;
};

struct VANTREL_API Viewport::Parts
{
    std::shared_ptr<SceneData> scene;
    GUI_ViewState state;
    std::unique_ptr<GUI_SceneLook> look;
    // The snapshot the view state refers to.
    TIL_TextureMap snapshot;
    bool hasSnapshot = false;
    bool homed = false;
    GUI_ViewParameter::axis homeAxis = GUI_ViewParameter::GUI_HOME_THREE_QUARTER;
    FrameStats stats;
};

} // namespace vantrel
