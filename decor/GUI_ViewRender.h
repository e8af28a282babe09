#ifndef GUI_ViewRender_h
#define GUI_ViewRender_h

#include "host/UT/SYS_Visibility.h"
#include "view/GUI_ViewParameter.h"

class GUI_ViewState;
class RE_Render;
class RE_Texture2DMap;
class UT_Color;

// What a viewport draws around its objects: pre-render decorations behind
// them, post-render guides in front of them and the snapshot raster over
// the finished frame. One renderer serves one kind of viewport.
class VANTREL_API GUI_ViewRender
{
public:
    GUI_ViewRender() = default;
    // A copy never shares the texture: it makes its own on first use.
    GUI_ViewRender(const GUI_ViewRender &) {}
    GUI_ViewRender &operator=(const GUI_ViewRender &) { return *this; }
    virtual ~GUI_ViewRender();

    // Backgrounds and guides drawn before the objects.
    virtual void preRender(GUI_ViewState &state, RE_Render *r, GUI_ViewParameter::axis axis) = 0;
    // Guides drawn after the objects. frame is true when the whole view is
    // the picture frame; otherwise a 4:3 frame is fitted into it. The two
    // shorts are handed through for renderers that want them.
    virtual void postRender(GUI_ViewState &state, RE_Render *r, short a, short b, bool frame) = 0;
    // The view state's snapshot over the whole view; false without one.
    virtual bool rasterRender(GUI_ViewState &state, RE_Render *r, float alpha) = 0;

    // After the three drawing steps, so they keep their places in the table.
    virtual const char *className() const { return "GUI_ViewRender"; }

protected:
    // Draws the snapshot image on the whole view with the given alpha;
    // false (and nothing drawn) when the state has none.
    bool renderSnapshot(GUI_ViewState &state, RE_Render *r, float alpha);

    // A texture made the way the backgrounds want it: no mipmaps, linear
    // filters.
    static RE_Texture2DMap *createImageTexture();
    // Switches the texture out of its mipmap mode, dropping what was
    // uploaded with it.
    static void clearMipmapMode(RE_Texture2DMap &texture);

    // The bracket around every textured or raster image: blending on with
    // function (3, 4) while the image is drawn. enter gives what leave needs
    // to put both back as they were.
    struct ImageBracket
    {
        bool wasBlending;
        int source;
        int dest;
    };
    static ImageBracket enterImageBracket(RE_Render *r);
    static void leaveImageBracket(RE_Render *r, const ImageBracket &saved);

    // The origin at the centre of the world (3D, dims 3) or of texture
    // space (dims 2): a line of length size along each axis, in the origin
    // colour, with its letter at the far end. It is kept in the display list
    // list while size stays builtSize; a new size (NaN included) rebuilds it.
    static void renderOriginList(RE_Render *r, int &list, float &builtSize, float size,
                                 const UT_Color &color, int dims, const char *letters);

    // One leg of a sticky origin: its colour (null keeps the one set for
    // the leg before), its end point and letter.
    struct StickyAxis
    {
        const UT_Color *color;
        float x, y, z;
        char letter;
    };
    // The sticky origin: a tripod in the lower left corner of the viewport
    // under a fixed projection, so that it neither pans nor zooms with the
    // view. It turns with the rotation of turnWith, or not at all when that
    // is null. Viewports too small to show it legibly get none. Its display
    // list is built once.
    static void renderStickyAxes(RE_Render *r, int &list, const GUI_ViewState *turnWith,
                                 const StickyAxis *axes, int count);

private:
    RE_Texture2DMap *mySnapshotTexture = nullptr;
};

#endif
