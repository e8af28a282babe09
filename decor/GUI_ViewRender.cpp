#include "decor/GUI_ViewRender.h"

#include "host/RE/RE_Render.h"
#include "host/RE/RE_Texture2DMap.h"
#include "host/UT/UT_Color.h"
#include "view/GUI_ViewState.h"

namespace
{
const RE_BlendSourceFactor theImageSource = RE_SBLEND_SRC_ALPHA;   // code 3
const RE_BlendDestFactor theImageDest = RE_DBLEND_ONE_MINUS_SRC_ALPHA; // code 4

// A sticky origin needs this many pixels each way to be legible.
const int theStickyMinPixels = 60;

bool
isImageFunction(int source, int dest)
{
    return source == theImageSource && dest == theImageDest;
}
} // namespace

GUI_ViewRender::~GUI_ViewRender()
{
    delete mySnapshotTexture;
}

RE_Texture2DMap *
GUI_ViewRender::createImageTexture()
{
    RE_Texture2DMap *texture = new RE_Texture2DMap(0, 0, 0);
    clearMipmapMode(*texture);
    texture->setMinFilter(1);
    texture->setMagFilter(1);
    return texture;
}

void
GUI_ViewRender::clearMipmapMode(RE_Texture2DMap &texture)
{
    if (!texture.getModeFlag(RE_Texture2DMap::RE_TEXTURE_MIPMAP))
        return;
    texture.clearRenderIndex();
    texture.setModeFlag(RE_Texture2DMap::RE_TEXTURE_MIPMAP, false);
}

GUI_ViewRender::ImageBracket
GUI_ViewRender::enterImageBracket(RE_Render *r)
{
    ImageBracket saved;
    saved.wasBlending = r->isBlending();
    RE_BlendSourceFactor source;
    RE_BlendDestFactor dest;
    r->getBlendFunction(source, dest);
    saved.source = source;
    saved.dest = dest;
    if (!isImageFunction(source, dest))
        r->setBlendFunction(theImageSource, theImageDest);
    if (!saved.wasBlending)
        r->blend(1);
    return saved;
}

void
GUI_ViewRender::leaveImageBracket(RE_Render *r, const ImageBracket &saved)
{
    if (!saved.wasBlending)
        r->blend(0);
    if (!isImageFunction(saved.source, saved.dest))
        r->setBlendFunction(static_cast<RE_BlendSourceFactor>(saved.source),
                            static_cast<RE_BlendDestFactor>(saved.dest));
}

bool
GUI_ViewRender::renderSnapshot(GUI_ViewState &state, RE_Render *r, float alpha)
{
    TIL_TextureMap *image = state.getSnapshotImage();
    if (!image || !r)
        return false;
    r->ortho2DW(-1.0f, 1.0f, -1.0f, 1.0f);
    r->matrixMode(1);
    r->pushMatrix(1);
    r->loadIdentityMatrix();

    if (!mySnapshotTexture)
        mySnapshotTexture = createImageTexture();
    mySnapshotTexture->setMap(image);
    r->useTexture2D(mySnapshotTexture->getIndex(0));

    static const float theCorners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    static const float theTexels[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const ImageBracket saved = enterImageBracket(r);
    r->beginPolygon(0);
    r->c4DW(1.0f, 1.0f, 1.0f, alpha);
    for (int i = 0; i < 4; ++i)
    {
        r->t2DW(theTexels[i]);
        r->v2DW(theCorners[i]);
    }
    r->endPolygon();
    leaveImageBracket(r, saved);

    r->useTexture2D(0);
    r->popMatrix(1);
    return true;
}

void
GUI_ViewRender::renderOriginList(RE_Render *r, int &list, float &builtSize, float size,
                                 const UT_Color &color, int dims, const char *letters)
{
    // A NaN size never equals the stored one, so it is rebuilt each time.
    if (!(size == builtSize))
    {
        builtSize = size;
        if (list >= 0)
            r->deleteObject(list);
        list = -1;
    }
    else if (list >= 0)
    {
        r->drawObject(list);
        return;
    }

    auto vertex = [&](const float p[3]) {
        if (dims == 2)
            r->vertex2DW(p[0], p[1]);
        else
            r->vertex3DW(p[0], p[1], p[2]);
    };
    const float origin[3] = {0.0f, 0.0f, 0.0f};
    float ends[3][3] = {};
    for (int axis = 0; axis < dims; ++axis)
        ends[axis][axis] = size;

    list = r->startObjectDefine();
    r->pushColor();
    r->setColor(color, 1.0f);
    r->pushLineStyle(0);
    r->setFont(RE_OGLRender::getViewportFont());
    r->beginLines();
    for (int axis = 0; axis < dims; ++axis)
    {
        vertex(ends[axis]);
        vertex(origin);
    }
    r->endLines();
    for (int axis = 0; axis < dims; ++axis)
    {
        if (dims == 2)
            r->textMoveW(ends[axis][0], ends[axis][1]);
        else
            r->textMove3W(ends[axis][0], ends[axis][1], ends[axis][2]);
        r->putChar(letters[axis]);
    }
    r->popLineStyle();
    r->popColor();
    if (list >= 0)
    {
        r->endObjectDefine();
        r->drawObject(list);
    }
}

void
GUI_ViewRender::renderStickyAxes(RE_Render *r, int &list, const GUI_ViewState *turnWith,
                                 const StickyAxis *axes, int count)
{
    short x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    r->getViewport2DS(&x1, &x2, &y1, &y2);
    const int width = x2 - x1;
    const int height = y2 - y1;
    if (width < theStickyMinPixels || height < theStickyMinPixels)
        return;

    const float w = width * 0.02f;
    const float h = height * 0.02f;
    r->pushMatrix(0);
    r->ortho3DW(-0.6f, 1.4f * w, -0.6f, 1.4f * h, -20.0f, 20.0f);
    if (turnWith)
        r->loadMatrix(turnWith->getRotateMatrix());
    else
        r->loadIdentityMatrix();

    if (list < 0)
    {
        list = r->startObjectDefine();
        r->pushLineStyle(0);
        r->setFont(RE_OGLRender::getViewportFont());
        r->pushColor();
        for (int i = 0; i < count; ++i)
        {
            const StickyAxis &a = axes[i];
            if (a.color)
                r->setColor(*a.color, 1.0f);
            r->beginLine();
            r->vertex3DW(0.0f, 0.0f, 0.0f);
            r->vertex3DW(a.x, a.y, a.z);
            r->endLine();
            r->textMove3W(a.x, a.y, a.z);
            r->putChar(a.letter);
        }
        r->popLineStyle();
        r->popColor();
        if (list >= 0)
            r->endObjectDefine();
    }
    if (list >= 0)
        r->drawObject(list);
    r->popMatrix(0);
}
