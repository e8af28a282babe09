// Drawings from client arrays, large ones a piece at a time. For a drawing
// from client arrays Mesa copies the vertex range and the indices it reads
// into upload buffers of its own, and llvmpipe bins every triangle of a
// drawing before it rasterises any: a drawing of a million triangles held
// about 66 MB besides the arrays until it was done. Drawn in pieces of tens
// of thousands of primitives, waiting for each piece before the next, GL
// holds about one piece at a time (a 1M-triangle mesh: +2 MB). Primitives are
// rasterised in order either way, so the pixels are those of one drawing.
// Buffer objects would not help here: their storage is a whole second copy
// of the arrays (+12 MB for that mesh, against the pieces' +2 MB).

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_GL.h"

#include <algorithm>

namespace
{
// Elements (indices, or vertices drawn in order) of one piece: a multiple
// of 2 and of 3, so that each piece holds whole lines and triangles. Pieces
// of 10k to 32k triangles measured alike; 50k held 3 MB more.
const int thePieceElements = 3 * 32768;
} // namespace

int
RE_OGLRender::drawPieceElements()
{
    return thePieceElements;
}

void
RE_OGLRender::drawClientArrays(int prim, int count, const unsigned int *indices,
                               int indexCount)
{
    const GLenum mode = REglPrimitive(prim);
    const int elements = indices ? indexCount : count;
    // A strip cut in pieces would lose the segments joining them and
    // restart its stipple. A definition copies the arrays into its object
    // whole anyway, and a pick pass counts hits rather than drawing pixels.
    const bool inPieces = elements > thePieceElements && prim != RE_PRIM_LINE_STRIP &&
                          myDefining < 0 && !isPicking();
    const int piece = inPieces ? thePieceElements : elements;
    for (int first = 0; first < elements; first += piece)
    {
        // Waiting lets the driver rasterise the piece drawn before and let
        // go of its binned triangles and uploaded arrays; a flush alone
        // measured 6 MB more, the driver queueing pieces.
        if (first > 0)
            glFinish();
        const int n = std::min(piece, elements - first);
        if (indices)
            glDrawElements(mode, n, GL_UNSIGNED_INT, indices + first);
        else
            glDrawArrays(mode, first, n);
    }
}
