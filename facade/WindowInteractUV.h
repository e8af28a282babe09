#pragma once

#include "facade/WindowInteract.h"

namespace vantrel
{
// The person's input in the texture-space view, which is flat: left or
// middle drag pans, right drag and the wheel zoom about the pointer (no
// tumbling), a click picks the primitive whose uvs lie under the pointer,
// space or h frames the unit square as the headless uv view does, and only
// the options a 2D view draws toggle.
class VANTREL_API WindowInteractUV : public WindowInteract
{
public:
    WindowInteractUV(GUI_SceneFeel &feel, WindowScene &scene, bool report);

    // Frames the unit square from the front on all three cameras.
    void home();
    void frameNewObjects(size_t) override { home(); }

protected:
    void dragStep(int button, float dx, float dy, float x0, float y0) override;
    void dragEnd(int button) override;
    int click(float x, float y) override;
    void wheel(float x, float y, float clicks) override;
    int key(int code) override;

private:
    // Zooms the 2D window by a drag of dz pixels, keeping the uv under
    // (x, y) where it is.
    void zoomAbout(float x, float y, float dz);
    bool canDraw() const;
};
} // namespace vantrel
