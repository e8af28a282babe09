#include "decor/GUI_ViewRender.h"

#include "host/RE/RE_Render.h"
#include "host/RE/RE_Texture2DMap.h"
#include "view/GUI_ViewState.h"

namespace
{
const RE_BlendSourceFactor theImageSource = RE_SBLEND_SRC_ALPHA;   // code 3
const RE_BlendDestFactor theImageDest = RE_DBLEND_ONE_MINUS_SRC_ALPHA; // code 4

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
