#pragma once

#include "host/UT/SYS_Visibility.h"

#include <functional>

class GUI_SceneLook;
class GUI_ViewRender;
class RE_Render;

namespace vantrel
{
class WindowScene;

// The step of a frame that draws the objects, between the decorations
// behind and in front of them.
using ObjectsStep = std::function<void(RE_Render *)>;

// One frame over the w x h view, in the order the library composes it:
// viewport and projection, background clear and published options,
// decorations behind, the objects, decorations in front, the snapshot.
VANTREL_API void composeFrame(GUI_SceneLook &look, RE_Render *r, short w, short h, int homeAxis,
                              const ObjectsStep &objects);
// The same over the w x h view whose lower left pixel is (x, y) in the
// frame: one view of several in the frame.
VANTREL_API void composeFrame(GUI_SceneLook &look, RE_Render *r, short x, short y, short w,
                              short h, int homeAxis, const ObjectsStep &objects);

// Draws the scene's looks, each by its 3D renderer (or its uvs by its 2D
// renderer when uv is set), with the depth test as drawWithDepth sets it.
VANTREL_API void drawSceneObjects(const WindowScene &scene, RE_Render *r, bool uv);

// The same with the scene's looks as the objects, each drawn by its 3D
// renderer (or its uvs by its 2D renderer when uv is set).
VANTREL_API void composeSceneFrame(GUI_SceneLook &look, const WindowScene &scene, RE_Render *r,
                                   short w, short h, int homeAxis, bool uv);

// Runs draw with the depth test on (3D objects) or off (texture space has
// no depth: later objects draw over earlier ones), then sets it back.
VANTREL_API void drawWithDepth(RE_Render *r, bool depth, const std::function<void()> &draw);

// The decorations a view's look owns: the 2D ones of the uv view, else the
// 3D ones.
VANTREL_API GUI_ViewRender *newViewRender(bool uv);
} // namespace vantrel
