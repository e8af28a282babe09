#pragma once

// Comparison of rendered frames with committed reference frames. The
// driver's rounding (a channel off by a unit or two, a few pixels along
// edges) passes; a moved or missing object does not, down to the sticky
// origin's few dozen pixels.

#include "host/TIL/TIL_TextureMap.h"

#include <string>

namespace golden
{
// The command that renders the references again.
const char *const theRegenerateCommand = "./dev golden";

struct Tolerance
{
    int channel = 3;  // a pixel differs when a channel is off by more
    int pixels = 24;  // the frames differ when more pixels than this differ
};

struct Comparison
{
    bool sameSize = false;
    int differing = 0; // pixels
    int total = 0;
    bool passes(const Tolerance &tol) const
    {
        return sameSize && differing <= tol.pixels;
    }
};

// Compares two RGBA images; when diff is given, fills it with the actual
// frame dimmed to a third, the differing pixels in pure red.
Comparison compare(const TIL_TextureMap &reference, const TIL_TextureMap &actual,
                   const Tolerance &tol, TIL_TextureMap *diff = nullptr);

// Checks the frame in actualPath against the reference. On failure returns
// the reason, and writes NAME.actual.png and NAME.diff.png into failureDir
// when the frames could be compared. Empty when the frame passes.
std::string check(const std::string &name, const std::string &actualPath,
                  const std::string &referencePath, const std::string &failureDir,
                  const Tolerance &tol = Tolerance());
}
