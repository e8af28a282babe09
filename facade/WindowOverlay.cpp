#include "facade/WindowOverlay.h"

#include "facade/FrameCompose.h"

#include "host/RE/RE_Font.h"
#include "host/RE/RE_Render.h"

#include <algorithm>
#include <cstdio>

namespace vantrel
{
std::vector<std::string>
statsLines(const RE_FrameStats &stats, size_t objects)
{
    char text[5][96];
    std::snprintf(text[0], sizeof(text[0]), "objects %zu", objects);
    std::snprintf(text[1], sizeof(text[1]), "cached replays %ld", stats.cachedReplays);
    std::snprintf(text[2], sizeof(text[2]), "drawn together %ld", stats.batchedObjects);
    std::snprintf(text[3], sizeof(text[3]), "triangles %ld", stats.trianglesSent);
    std::snprintf(text[4], sizeof(text[4]), "%.1f ms", stats.milliseconds);
    return {text[0], text[1], text[2], text[3], text[4]};
}

void
drawOverlay(RE_Render *r, int w, int h, const std::vector<std::string> &lines)
{
    if (!r || w < 1 || h < 1 || lines.empty())
        return;
    r->setFont(RE_Font::getViewportFont());
    RE_Font &font = r->getFont();
    const int pad = 4, line = std::max(1, font.getLineHeight());
    int width = 0;
    for (const std::string &text : lines)
        width = std::max(width, font.getStringWidth(text.c_str()));
    const float top = float(h), bottom = float(h - 2 * pad - line * int(lines.size()));
    const float right = float(2 * pad + width);

    r->pushMatrix(RE_MATRIX_PROJECTION);
    r->pushMatrix(RE_MATRIX_VIEWING);
    r->ortho2DW(0.0f, float(w), 0.0f, float(h));
    r->matrixMode(RE_MATRIX_VIEWING);
    r->loadIdentityMatrix();
    const bool lit = r->isLighting();
    r->toggleLighting(0);
    r->pushColor();
    drawWithDepth(r, false, [&] {
        r->setColor(0.05f, 0.05f, 0.05f);
        r->beginPolygon();
        r->v2DW(0.0f, bottom);
        r->v2DW(right, bottom);
        r->v2DW(right, top);
        r->v2DW(0.0f, top);
        r->endPolygon();
        r->setColor(0.9f, 0.9f, 0.6f);
        for (size_t i = 0; i < lines.size(); ++i)
        {
            r->textMoveW(float(pad), top - float(pad + line * int(i + 1) - font.getDescent()));
            r->putString(lines[i].c_str());
        }
    });
    r->popColor();
    r->toggleLighting(lit ? 1 : 0);
    r->popMatrix(RE_MATRIX_VIEWING);
    r->popMatrix(RE_MATRIX_PROJECTION);
}
} // namespace vantrel
